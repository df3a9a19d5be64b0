#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skinui {

// The skin package: a 7z archive read from memory. Every entry is unpacked
// once, when the archive is opened, and indexed by its normalised name, so a
// look-up ignores letter case and the direction of separators
// ("res\MainWnd\BG1.png" finds "res/mainWnd/bg1.png").
class SkinArchive {
  public:
    // Reads the archive; nullptr when the bytes are not a readable archive.
    static std::unique_ptr<SkinArchive> Open(std::span<const unsigned char> bytes);

    // The process's skin, opened from the program resource (type, id) on the
    // first call; later calls return the same archive. nullptr when the
    // program carries no such resource or it cannot be read.
    static const SkinArchive* Shared(std::string_view resourceType, int resourceId);

    // How many times Shared() actually opened an archive in this process.
    static int SharedOpenCount();

    // The entry's bytes, or nullptr when there is no such entry.
    const std::vector<unsigned char>* Find(std::string_view name) const;

    size_t EntryCount() const { return entries_.size(); }

    // "\" becomes "/", then the name is case-folded.
    static std::string NormaliseName(std::string_view name);

  private:
    std::unordered_map<std::string, std::vector<unsigned char>> entries_;
};

}  // namespace skinui
