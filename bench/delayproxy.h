#pragma once

#include <atomic>
#include <chrono>
#include <thread>

namespace bench {

// A TCP relay on 127.0.0.1 that holds every chunk of bytes back a fixed
// time in each direction before passing it on to 127.0.0.1:targetPort, so a
// loopback server behaves like one across a network without needing any
// privileges. It counts round trips: a burst from the client answered by the
// server counts once, however many packets either side used.
class DelayProxy {
public:
    DelayProxy(int targetPort, std::chrono::microseconds oneWay);
    ~DelayProxy();
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    // The port it listens on, chosen free by the system.
    int port() const { return port_; }
    std::chrono::microseconds oneWay() const { return oneWay_; }
    long long roundTrips() const { return roundTrips_.load(); }
    long long bytesForwarded() const { return bytes_.load(); }

private:
    void run();

    int targetPort_;
    std::chrono::microseconds oneWay_;
    int listenFd_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<long long> roundTrips_{0};
    std::atomic<long long> bytes_{0};
    std::thread thread_;
};

}  // namespace bench
