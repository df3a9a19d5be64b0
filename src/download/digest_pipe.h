#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "download/integrity_check.h"

// An MD5 taken on a thread of its own while a download stores its bytes, so
// that receiving and hashing overlap instead of following one another. The
// writer hands over copies of the bytes it stored (in a few fixed blocks, so
// memory stays flat whatever the package size) and files whose bytes come
// next, in order; Finish() waits for the rest and yields the digest.
class DigestPipe {
  public:
    static constexpr size_t kBlockSize = 1 << 20;
    static constexpr int kBlocks = 4;

    DigestPipe() = default;
    ~DigestPipe();
    DigestPipe(const DigestPipe&) = delete;
    DigestPipe& operator=(const DigestPipe&) = delete;

    // Starts a new digest; any earlier one is dropped.
    void Begin();
    bool Begun() const { return worker_.joinable(); }

    // The first `size` bytes of a file come next. With `follow`, the file
    // may still be growing: its bytes are hashed as they appear, until
    // `size` bytes are there or the digest is dropped.
    void AppendFile(const std::string& path, int64_t size, bool follow = false);
    // These bytes come next. Blocks while every block waits to be hashed.
    void Update(const void* data, size_t size);

    // The digest of everything appended since Begin(), as 32 lowercase hex
    // digits; empty when a file could not be read or nothing was begun.
    std::string Finish();

    // Drops the digest in progress.
    void Abandon();

  private:
    struct Job {
        int block = -1;  // a block of `length` bytes, or
        size_t length = 0;
        std::string path;  // a file's first `length` bytes
        bool follow = false;
    };

    void Work();
    bool HashFile(const Job& job);
    void Stop(bool drain);
    void QueueFilled();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    std::vector<int> free_;
    bool closing_ = false;
    bool dropping_ = false;
    bool failed_ = false;

    std::vector<std::unique_ptr<char[]>> blocks_;
    int filling_ = -1;  // the block the writer is filling
    size_t filled_ = 0;

    Md5Digest digest_;  // used by the worker only while it runs
    std::thread worker_;
};
