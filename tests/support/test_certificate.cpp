#include "support/test_certificate.h"

#include <stdexcept>

#include "support/run_process.h"

namespace testsupport {

void MakeCertificate(const std::filesystem::path& cert, const std::filesystem::path& key) {
    const auto result =
        RunProcess({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                    key.string(), "-out", cert.string()});
    if (result.exitCode != 0) throw std::runtime_error("openssl: " + result.err);
}

}  // namespace testsupport
