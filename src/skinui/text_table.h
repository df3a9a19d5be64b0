#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace skinui {

// The process's numbered texts (the current language's translations). Control
// texts may carry tokens "%{n}"; they are replaced by text n when drawn or
// measured, and a token whose number has no text stays as written.
class TextTable {
  public:
    static TextTable& Instance();

    void Set(int id, std::string text);
    void Clear();
    bool Get(int id, std::string& out) const;

    // The text with every known "%{n}" token replaced.
    std::string Substitute(std::string_view text) const;

  private:
    mutable std::mutex mutex_;
    std::map<int, std::string> texts_;
};

}  // namespace skinui
