#include "download/integrity_check.h"

#include <cctype>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

std::string GetUrlMd5(std::string_view url) {
    const size_t lastSlash = url.rfind('/');
    if (url.empty() || lastSlash == std::string_view::npos) return {};
    const std::string_view folderPath = url.substr(0, lastSlash);
    const size_t folderSlash = folderPath.rfind('/');
    if (folderSlash == std::string_view::npos) return {};
    return std::string(folderPath.substr(folderSlash + 1));
}

std::string GetFileMd5(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return {};
    Md5Digest digest;
    char block[64 * 1024];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) digest.Update(block, got);
    if (std::ferror(file.get())) return {};
    return digest.Finish();
}

bool SameDigest(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

Md5Digest::Md5Digest() : context_(EVP_MD_CTX_new()) {
    Reset();
}

Md5Digest::~Md5Digest() {
    EVP_MD_CTX_free(context_);
}

void Md5Digest::Reset() {
    EVP_DigestInit_ex(context_, EVP_md5(), nullptr);
}

void Md5Digest::Update(const void* data, size_t size) {
    if (size > 0) EVP_DigestUpdate(context_, data, size);
}

bool Md5Digest::UpdateFromFile(const std::string& path, long long size) {
    if (size <= 0) return true;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    char block[64 * 1024];
    long long left = size;
    while (left > 0) {
        const size_t want = left < static_cast<long long>(sizeof block) ? left : sizeof block;
        const size_t got = std::fread(block, 1, want, file.get());
        if (got == 0) return false;
        Update(block, got);
        left -= static_cast<long long>(got);
    }
    return true;
}

std::string Md5Digest::Finish() {
    unsigned char bytes[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_, bytes, &length);
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text.push_back(kHex[bytes[i] >> 4]);
        text.push_back(kHex[bytes[i] & 0xf]);
    }
    Reset();
    return text;
}

void FinishVerifiedRun(const std::string& expectedMd5, const std::string& actualMd5,
                       bool& restartUsed, std::string_view source, const EventCallback& send) {
    if (expectedMd5.size() != 32) {
        send(DL_CODE_MESSAGE, 0.0, "curl获取url-md5失败");
    } else if (actualMd5.size() == 32 && !SameDigest(actualMd5, expectedMd5)) {
        send(DL_CODE_MESSAGE, 0.0, "curl文件md5校验失败");
        if (restartUsed) {
            send(DL_CODE_FAIL, 0.0, source);
        } else {
            restartUsed = true;
            send(DL_CODE_RETRY, 0.0, source);
        }
        return;
    }
    send(DL_CODE_SUCCESS, 0.0, source);
}
