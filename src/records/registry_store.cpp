#include "records/registry_store.h"

#include <strings.h>
#include <optional>
#include <vector>

#include "app/directories.h"
#include "platform/file_contents.h"
#include "platform/known_folders.h"

namespace {

constexpr std::string_view kSoftwarePrefix = "Software\\";

std::string Escape(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Unescape(std::string_view text) {
    std::string value;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            value += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            value += text[i];
        }
    }
    return value;
}

struct Line {
    std::string name;
    std::string rest;  // the escaped value
};

std::vector<Line> Parse(const std::string& contents) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        const std::string_view line(contents.data() + start, end - start);
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            lines.push_back(
                Line{std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
        }
        start = end + 1;
    }
    return lines;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

}  // namespace

RegistryStore::RegistryStore(std::string keyPath) : m_KeyPath(std::move(keyPath)) {}

std::string RegistryStore::FilePath() const {
    const std::string home = platform::ConfigHomeDirectory();
    if (home.empty()) return {};
    std::string relative = m_KeyPath;
    if (relative.starts_with(kSoftwarePrefix)) relative.erase(0, kSoftwarePrefix.size());
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    return home + "/" + relative + ".reg";
}

bool RegistryStore::Read(const std::string& name, std::string& value) const {
    const std::string path = FilePath();
    if (path.empty()) return false;
    const std::optional<std::string> contents = platform::ReadFileContents(path);
    if (!contents) return false;
    for (const Line& line : Parse(*contents)) {
        if (SameName(line.name, name)) {
            value = Unescape(line.rest);
            return true;
        }
    }
    return false;
}

bool RegistryStore::Write(const std::string& name, const std::string& value) {
    if (name.empty() || name.find_first_of("=\n\r") != std::string::npos) return false;
    const std::string path = FilePath();
    if (path.empty()) return false;
    const std::string folder = path.substr(0, path.rfind('/'));
    if (!CreateDirectories(folder)) return false;

    std::vector<Line> lines = Parse(platform::ReadFileContents(path).value_or(""));
    bool replaced = false;
    for (Line& line : lines) {
        if (SameName(line.name, name)) {
            line.rest = Escape(value);
            replaced = true;
            break;
        }
    }
    if (!replaced) lines.push_back(Line{name, Escape(value)});
    std::string contents;
    for (const Line& line : lines) contents += line.name + "=" + line.rest + "\n";
    return platform::ReplaceFileContents(path, contents);
}

bool ReadRegistryValue(const std::string& name, std::string& value) {
    return RegistryStore(kProductKeyPath).Read(name, value);
}

bool WriteRegistryValue(const std::string& name, const std::string& value) {
    return RegistryStore(kProductKeyPath).Write(name, value);
}
