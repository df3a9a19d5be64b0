#include "download/digest_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

DigestPipe::~DigestPipe() {
    Abandon();
}

void DigestPipe::Begin() {
    Abandon();
    if (blocks_.empty()) {
        for (int i = 0; i < kBlocks; ++i) blocks_.push_back(std::make_unique<char[]>(kBlockSize));
    }
    free_.clear();
    for (int i = 0; i < kBlocks; ++i) free_.push_back(i);
    jobs_.clear();
    closing_ = dropping_ = failed_ = false;
    filling_ = -1;
    filled_ = 0;
    digest_.Reset();
    worker_ = std::thread(&DigestPipe::Work, this);
}

void DigestPipe::AppendFile(const std::string& path, int64_t size, bool follow) {
    if (!Begun()) return;
    QueueFilled();
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({-1, static_cast<size_t>(size > 0 ? size : 0), path, follow});
    }
    changed_.notify_all();
}

void DigestPipe::Update(const void* data, size_t size) {
    if (!Begun()) return;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        if (filling_ < 0) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !free_.empty(); });
            filling_ = free_.back();
            free_.pop_back();
            filled_ = 0;
        }
        const size_t take = std::min(size, kBlockSize - filled_);
        std::memcpy(blocks_[filling_].get() + filled_, bytes, take);
        filled_ += take;
        bytes += take;
        size -= take;
        if (filled_ == kBlockSize) QueueFilled();
    }
}

void DigestPipe::QueueFilled() {
    if (filling_ < 0) return;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({filling_, filled_, {}});
    }
    filling_ = -1;
    filled_ = 0;
    changed_.notify_all();
}

std::string DigestPipe::Finish() {
    if (!Begun()) return {};
    QueueFilled();
    Stop(true);
    const std::string hex = digest_.Finish();
    return failed_ ? std::string() : hex;
}

void DigestPipe::Abandon() {
    if (!Begun()) return;
    Stop(false);
    filling_ = -1;
    filled_ = 0;
}

// Hashes a file's first bytes; a followed file is waited for while it grows.
bool DigestPipe::HashFile(const Job& job) {
    if (!job.follow) return digest_.UpdateFromFile(job.path, static_cast<long long>(job.length));
    const int file = ::open(job.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    std::vector<char> block(256 * 1024);
    size_t done = 0;
    bool ok = true;
    while (done < job.length) {
        const size_t want = std::min(block.size(), job.length - done);
        const ssize_t got = ::pread(file, block.data(), want, static_cast<off_t>(done));
        if (got > 0) {
            digest_.Update(block.data(), static_cast<size_t>(got));
            done += static_cast<size_t>(got);
            continue;
        }
        if (got < 0) {
            ok = false;
            break;
        }
        // Not written yet: wait a little, unless the digest is dropped.
        std::unique_lock lock(mutex_);
        if (dropping_) {
            ok = false;
            break;
        }
        changed_.wait_for(lock, std::chrono::milliseconds(2));
    }
    ::close(file);
    return ok;
}

void DigestPipe::Stop(bool drain) {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        dropping_ = !drain;
    }
    changed_.notify_all();
    worker_.join();
}

void DigestPipe::Work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !jobs_.empty() || closing_; });
            if (dropping_ || jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        if (job.block >= 0) {
            digest_.Update(blocks_[job.block].get(), job.length);
        } else if (!HashFile(job)) {
            std::lock_guard lock(mutex_);
            failed_ = true;
        }
        if (job.block >= 0) {
            std::lock_guard lock(mutex_);
            free_.push_back(job.block);
        }
        changed_.notify_all();
    }
}
