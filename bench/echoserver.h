#pragma once

#include <thread>

namespace bench {

// A loopback TCP server that sends back every byte it receives, one
// connection at a time, until it is destroyed; the proxy check's far end.
class EchoServer {
public:
    EchoServer();
    ~EchoServer();
    EchoServer(const EchoServer&) = delete;
    EchoServer& operator=(const EchoServer&) = delete;

    int port() const { return port_; }

private:
    void run();
    void echo(int fd);

    int listenFd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace bench
