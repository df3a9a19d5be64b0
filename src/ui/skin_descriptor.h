#pragma once

#include <cstdint>
#include <string>

// Which skin a window uses, handed by each window class to CSkinFrame.
struct SkinDescriptor {
    int32_t resourceKind = 4;  // the skin package in a zip-type program resource
    int32_t resourceId = 147;
    std::string skinFolder;
    std::string skinFile;         // e.g. "MainWnd.xml"
    std::string windowClassName;  // the skin file's name up to its last "."

    // The descriptor every window of the installer uses for a layout file.
    static SkinDescriptor ForSkinFile(const std::string& skinFile);
};
