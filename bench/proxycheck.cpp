// Self-check of the delay proxy, run by bench/run.sh before any figure is
// taken: bytes pass intact both ways, each way is held back the asked time,
// and round trips are counted once per answered burst.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "bench/delayproxy.h"
#include "bench/echoserver.h"

namespace {

using namespace std::chrono;
using bench::DelayProxy;
using bench::EchoServer;

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
}

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
    const int on = 1;  // each write leaves at once, as a database client's would
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

bool writeAll(int fd, const std::string& data) {
    for (std::size_t done = 0; done < data.size();) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string readExactly(int fd, std::size_t size) {
    std::string out(size, '\0');
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::read(fd, out.data() + done, size - done);
        if (n <= 0) return out.substr(0, done);
        done += static_cast<std::size_t>(n);
    }
    return out;
}

std::string randomBytes(std::size_t size) {
    std::mt19937 random(501);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(random() & 0xFF);
    return out;
}

// A megabyte written while the echo is read back, so neither side's buffer
// can stall the other.
void bytesPassIntact(int echoPort) {
    DelayProxy proxy(echoPort, microseconds(0));
    const int fd = connectTo(proxy.port());
    const std::string sent = randomBytes(1 << 20);
    std::thread writer([&] { writeAll(fd, sent); });
    const std::string back = readExactly(fd, sent.size());
    writer.join();
    ::close(fd);
    check(back == sent, "a megabyte of random bytes comes back intact through the proxy");
}

// Ping-pong exchanges: each takes at least twice the one-way delay, not
// grossly more, and each counts as one round trip.
void delayAndCount(int echoPort, microseconds oneWay) {
    DelayProxy proxy(echoPort, oneWay);
    const int fd = connectTo(proxy.port());
    constexpr int kExchanges = 20;
    std::vector<double> ms;
    bool intact = true;
    for (int i = 0; i < kExchanges; ++i) {
        const std::string ping = "ping " + std::to_string(i);
        const auto start = steady_clock::now();
        writeAll(fd, ping);
        intact = intact && readExactly(fd, ping.size()) == ping;
        ms.push_back(duration<double, std::milli>(steady_clock::now() - start).count());
    }
    ::close(fd);
    std::sort(ms.begin(), ms.end());
    const double want = 2.0 * static_cast<double>(oneWay.count()) / 1000.0;
    char text[200];
    std::snprintf(text, sizeof text, "%.1f ms each way: fastest exchange %.3f ms, median %.3f ms (asked %.1f ms)",
                  static_cast<double>(oneWay.count()) / 1000.0, ms.front(), ms[ms.size() / 2], want);
    check(intact && ms.front() >= want, std::string(text) + ": never faster than asked, echo intact");
    // Loose: on a loaded machine the scheduler alone can add milliseconds.
    check(ms[ms.size() / 2] < want + 10.0, "  and the median within 10 ms of asked");
    check(proxy.roundTrips() == kExchanges,
          std::to_string(kExchanges) + " exchanges counted as " + std::to_string(proxy.roundTrips()) + " round trips");
}

// Three pieces written back to back form one burst: one round trip.
void burstCountsOnce(int echoPort) {
    DelayProxy proxy(echoPort, microseconds(2500));
    const int fd = connectTo(proxy.port());
    for (const char* piece : {"Parse", "Bind", "Sync"}) writeAll(fd, piece);
    const std::string back = readExactly(fd, 13);
    ::close(fd);
    check(back == "ParseBindSync" && proxy.roundTrips() == 1,
          "a burst of three writes answered counts as one round trip (counted " +
              std::to_string(proxy.roundTrips()) + ")");
}

}  // namespace

int main() {
    EchoServer echo;
    bytesPassIntact(echo.port());
    delayAndCount(echo.port(), microseconds(500));
    delayAndCount(echo.port(), microseconds(2500));
    burstCountsOnce(echo.port());
    std::printf("%s\n", failures == 0 ? "proxy check passed" : "proxy check FAILED");
    return failures == 0 ? 0 : 1;
}
