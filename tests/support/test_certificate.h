#pragma once

#include <filesystem>

namespace testsupport {

// A self-signed certificate for 127.0.0.1 and its key, made with openssl.
void MakeCertificate(const std::filesystem::path& cert, const std::filesystem::path& key);

}  // namespace testsupport
