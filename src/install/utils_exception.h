#pragma once

#include <stdexcept>
#include <string>

namespace Utils {

// The one exception of the installer: a pipe or a child process could not be
// created. The package runner and the remover catch it and report their
// start failure.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message = {}) : std::runtime_error(message) {}
};

}  // namespace Utils
