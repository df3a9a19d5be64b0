#pragma once

#include <string>

// A per-user key of named text values, the counterpart of a registry key
// below HKEY_CURRENT_USER: one file below the user's config folder holding one
// "Name=value" line per value. Names match without regard to letter case;
// values keep every character. Each write replaces the file atomically, so a
// crash mid-write leaves the earlier values in place.
class RegistryStore {
  public:
    // keyPath as the registry names it, e.g. "Software\TarvoSoft\VantyxAudioEditor".
    explicit RegistryStore(std::string keyPath);

    // The file that holds the key's values.
    std::string FilePath() const;

    // True when the value exists; value is left as it was otherwise.
    bool Read(const std::string& name, std::string& value) const;
    // True when the value was stored.
    bool Write(const std::string& name, const std::string& value);

  private:
    std::string m_KeyPath;
};

// The product's own key.
inline constexpr const char* kProductKeyPath = "Software\\TarvoSoft\\VantyxAudioEditor";

// Values of the product's key.
bool ReadRegistryValue(const std::string& name, std::string& value);
bool WriteRegistryValue(const std::string& name, const std::string& value);
