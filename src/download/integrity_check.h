#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <openssl/evp.h>

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
