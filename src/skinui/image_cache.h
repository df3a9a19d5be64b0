#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace skinui {

class SkinArchive;

// Decoded images of one window, by file name. Names are looked up in the skin
// archive when the window has one, else below the resource folder. A name that
// cannot be found or decoded is remembered as missing and yields nullptr.
class ImageCache {
  public:
    ImageCache() = default;
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    void SetArchive(const SkinArchive* archive) { archive_ = archive; }
    void SetResourceFolder(std::string folder) { folder_ = std::move(folder); }

    // The decoded image (owned by the cache), with pixels of the mask colour's
    // RGB made transparent when a mask is given.
    cairo_surface_t* Get(std::string_view name, std::optional<uint32_t> mask = std::nullopt);

    // Names asked for that could not be loaded, in the order first asked.
    const std::map<std::string, int>& Missing() const { return missing_; }

    // Decodes PNG bytes; nullptr when they are not a PNG.
    static cairo_surface_t* DecodePng(const unsigned char* data, size_t size);

  private:
    const SkinArchive* archive_ = nullptr;
    std::string folder_;
    std::map<std::pair<std::string, uint64_t>, cairo_surface_t*> images_;
    std::map<std::string, int> missing_;
};

}  // namespace skinui
