#pragma once

namespace testsupport {

// A port on 127.0.0.1 (and ::1 where it can) that refuses connections while
// this object lives: it is bound but nobody listens on it.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    int Port() const { return port_; }

private:
    int v4_ = -1;
    int v6_ = -1;
    int port_ = 0;
};

}  // namespace testsupport
