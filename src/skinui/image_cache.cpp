#include "skinui/image_cache.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/debug_log.h"
#include "platform/file_contents.h"
#include "skinui/skin_archive.h"

namespace skinui {

namespace {

struct PngReader {
    const unsigned char* data;
    size_t size;
    size_t pos;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->size - reader->pos < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->pos, length);
    reader->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

void ApplyMask(cairo_surface_t* surface, uint32_t mask) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const uint32_t rgb = mask & 0x00FFFFFF;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            // Only opaque pixels carry their colour unchanged by premultiplying.
            if ((row[x] >> 24) == 0xFF && (row[x] & 0x00FFFFFF) == rgb) row[x] = 0;
        }
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace

ImageCache::~ImageCache() {
    for (auto& [key, surface] : images_) cairo_surface_destroy(surface);
}

cairo_surface_t* ImageCache::DecodePng(const unsigned char* data, size_t size) {
    PngReader reader{data, size, 0};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadPng, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    // A private ARGB copy, so that masking never touches a shared surface.
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        const int w = cairo_image_surface_get_width(surface);
        const int h = cairo_image_surface_get_height(surface);
        cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* cr = cairo_create(argb);
        cairo_set_source_surface(cr, surface, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        surface = argb;
    }
    return surface;
}

cairo_surface_t* ImageCache::Get(std::string_view name, std::optional<uint32_t> mask) {
    if (name.empty()) return nullptr;
    const uint64_t maskKey = mask ? (1ull << 32) | *mask : 0;
    const auto key = std::make_pair(std::string(name), maskKey);
    if (const auto it = images_.find(key); it != images_.end()) return it->second;
    if (missing_.count(key.first)) return nullptr;

    cairo_surface_t* surface = nullptr;
    if (archive_) {
        if (const auto* bytes = archive_->Find(name)) {
            surface = DecodePng(bytes->data(), bytes->size());
        }
    } else {
        std::string path = folder_ + std::string(name);
        std::replace(path.begin(), path.end(), '\\', '/');
        if (const auto contents = platform::ReadFileContents(path)) {
            surface = DecodePng(reinterpret_cast<const unsigned char*>(contents->data()),
                                contents->size());
        }
    }
    if (!surface) {
        DEBUG_LOG("image not found: %s", key.first.c_str());
        missing_.emplace(key.first, static_cast<int>(missing_.size()));
        return nullptr;
    }
    if (mask) ApplyMask(surface, *mask);
    images_.emplace(key, surface);
    return surface;
}

}  // namespace skinui
