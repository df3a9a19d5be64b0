#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <openssl/evp.h>

#include "app/install_events.h"

// The package's expected MD5 travels in its final URL: the folder that holds
// the file is named after the digest. These helpers take it from there,
// compute the digest of the bytes we stored and compare the two.

// The name of the URL's last folder ("D" in scheme://host/path/D/name);
// empty when the URL has fewer than two "/".
std::string GetUrlMd5(std::string_view url);

// MD5 of a file's whole content as 32 lowercase hex digits; empty when the
// file cannot be read.
std::string GetFileMd5(const std::string& path);

// Hex digests compared without regard to letter case.
bool SameDigest(std::string_view a, std::string_view b);

// How a single-stream run ends once its bytes are stored, judged by the
// digest folder of its final URL: without a digest there the package is taken
// with a message; a package whose digest differs is refused with a message,
// and the first refusal in the downloader's life asks for one restart
// (1005), later ones fail the run (1004); otherwise the run succeeds (1003).
// `restartUsed` is the downloader's own flag; `source` the events' text.
void FinishVerifiedRun(const std::string& expectedMd5, const std::string& actualMd5,
                       bool& restartUsed, std::string_view source,
                       const EventCallback& send);

// An MD5 computed piece by piece, so that bytes can be hashed while they
// arrive instead of being read back afterwards.
class Md5Digest {
  public:
    Md5Digest();
    ~Md5Digest();
    Md5Digest(const Md5Digest&) = delete;
    Md5Digest& operator=(const Md5Digest&) = delete;

    void Reset();
    void Update(const void* data, size_t size);
    // Hashes the first `size` bytes of a file; false when they cannot be read.
    bool UpdateFromFile(const std::string& path, long long size);
    // 32 lowercase hex digits of everything given since the last Reset.
    std::string Finish();

  private:
    EVP_MD_CTX* context_;
};
