#pragma once

#include <sys/types.h>

#include <string>

namespace testsupport {

// A private X server for tests of real windows: Xvfb on a display number it
// picks itself; DISPLAY points at it while this object lives.
class XvfbDisplay {
  public:
    XvfbDisplay() = default;
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // False (with the reason in `error`) when the server does not come up.
    bool Start(int width, int height, std::string& error);
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace testsupport
