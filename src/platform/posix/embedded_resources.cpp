#include "platform/embedded_resources.h"

#include <strings.h>

#include <mutex>
#include <string>
#include <vector>

namespace platform {

namespace {

struct Entry {
    std::string type;
    int id;
    std::span<const unsigned char> data;
};

struct Table {
    std::mutex mutex;
    std::vector<Entry> entries;
};

// Built on first use, so that registrations from static initialisers in any
// order find it.
Table& Resources() {
    static Table table;
    return table;
}

}  // namespace

void RegisterResource(std::string_view type, int id, std::span<const unsigned char> data) {
    Table& table = Resources();
    std::lock_guard lock(table.mutex);
    table.entries.push_back({std::string(type), id, data});
}

std::span<const unsigned char> FindResource(std::string_view type, int id) {
    Table& table = Resources();
    std::lock_guard lock(table.mutex);
    const std::string wanted(type);
    for (const Entry& entry : table.entries) {
        if (entry.id == id && strcasecmp(entry.type.c_str(), wanted.c_str()) == 0) {
            return entry.data;
        }
    }
    return {};
}

}  // namespace platform
