#include "skinui/skin_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <glib.h>

#include <algorithm>
#include <mutex>

#include "app/debug_log.h"
#include "platform/embedded_resources.h"

namespace skinui {

namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};

std::mutex g_sharedMutex;
bool g_sharedTried = false;
int g_sharedOpens = 0;
std::unique_ptr<SkinArchive> g_shared;

}  // namespace

std::string SkinArchive::NormaliseName(std::string_view name) {
    std::string slashed(name);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    gchar* folded = g_utf8_casefold(slashed.c_str(), static_cast<gssize>(slashed.size()));
    std::string out(folded ? folded : "");
    g_free(folded);
    return out;
}

std::unique_ptr<SkinArchive> SkinArchive::Open(std::span<const unsigned char> bytes) {
    if (bytes.empty()) return nullptr;
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    archive_read_support_format_7zip(reader.get());
    archive_read_support_filter_all(reader.get());
    if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) {
        DEBUG_LOG("cannot open the skin archive: %s", archive_error_string(reader.get()));
        return nullptr;
    }
    auto result = std::unique_ptr<SkinArchive>(new SkinArchive);
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const char* name = archive_entry_pathname_utf8(entry);
        if (!name) name = archive_entry_pathname(entry);
        if (!name) continue;
        std::vector<unsigned char> data;
        const la_int64_t size = archive_entry_size(entry);
        if (size > 0) data.reserve(static_cast<size_t>(size));
        unsigned char chunk[16384];
        la_ssize_t n = 0;
        while ((n = archive_read_data(reader.get(), chunk, sizeof chunk)) > 0) {
            data.insert(data.end(), chunk, chunk + n);
        }
        if (n < 0) {
            DEBUG_LOG("cannot unpack %s: %s", name, archive_error_string(reader.get()));
            return nullptr;
        }
        result->entries_[NormaliseName(name)] = std::move(data);
    }
    if (status != ARCHIVE_EOF) {
        DEBUG_LOG("the skin archive is damaged: %s", archive_error_string(reader.get()));
        return nullptr;
    }
    return result;
}

const SkinArchive* SkinArchive::Shared(std::string_view resourceType, int resourceId) {
    std::lock_guard lock(g_sharedMutex);
    if (!g_sharedTried) {
        const auto bytes = platform::FindResource(resourceType, resourceId);
        if (!bytes.empty()) {
            g_sharedTried = true;
            ++g_sharedOpens;
            g_shared = Open(bytes);
        }
    }
    return g_shared.get();
}

int SkinArchive::SharedOpenCount() {
    std::lock_guard lock(g_sharedMutex);
    return g_sharedOpens;
}

const std::vector<unsigned char>* SkinArchive::Find(std::string_view name) const {
    const auto it = entries_.find(NormaliseName(name));
    return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace skinui
