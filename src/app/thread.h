#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace Utils {

// A worker thread that is created waiting and runs its function once its
// owner resumes it. It carries a name for debuggers ("t" and its id when the
// name is empty) and traces "THREAD BEGIN" and "THREAD END". The owner joins
// it without time limit; destruction joins too, and a thread that was never
// resumed then ends without running its function.
class Thread {
public:
    static constexpr uint32_t kNoId = UINT32_MAX;

    Thread(std::string name, std::function<void()> function);
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Lets the thread run its function. Does nothing after the first call or
    // when the thread could not be created.
    void Resume();

    // Waits for the thread to end; afterwards Id() is kNoId.
    void Join();

    // The system's id of the thread; kNoId when it was not created or is joined.
    uint32_t Id() const { return id_; }
    const std::string& Name() const { return name_; }

private:
    static void CallBack(Thread* self);
    void Release(bool run);

    std::string name_;
    std::function<void()> function_;
    std::thread thread_;
    uint32_t id_ = kNoId;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;   // the new thread has published its id
    bool released_ = false;  // the owner resumed it or gave up on it
    bool run_ = false;       // the function is to run
};

}  // namespace Utils
