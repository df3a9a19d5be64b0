#include "support/refusing_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {

RefusingPort::RefusingPort() {
    v4_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (v4_ < 0 || ::bind(v4_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(v4_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (v4_ >= 0) ::close(v4_);
        throw std::runtime_error("cannot reserve a port");
    }
    port_ = ntohs(address.sin_port);
    // Names under .localhost resolve to ::1 as well; keep that side shut too.
    v6_ = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address6{};
    address6.sin6_family = AF_INET6;
    address6.sin6_addr = in6addr_loopback;
    address6.sin6_port = htons(port_);
    if (v6_ >= 0 && ::bind(v6_, reinterpret_cast<sockaddr*>(&address6), sizeof address6) != 0) {
        ::close(v6_);
        v6_ = -1;
    }
}

RefusingPort::~RefusingPort() {
    if (v4_ >= 0) ::close(v4_);
    if (v6_ >= 0) ::close(v6_);
}

}  // namespace testsupport
