#pragma once

#include <chrono>

namespace ado {

class WaitHook;

// One wait of a connection on the database, from the moment a statement is
// sent: asks the installed hook, at most once a slice, whether to go on,
// and tells it when the wait is over. A connection already waiting refuses
// a second statement: the hook may let events run, and libpq and SQLite
// serve one statement at a time.
class WaitClock {
public:
    static constexpr std::chrono::milliseconds kSlice{100};

    // busy is the connection's own flag, set while this clock lives.
    explicit WaitClock(bool& busy);
    ~WaitClock();
    WaitClock(const WaitClock&) = delete;
    WaitClock& operator=(const WaitClock&) = delete;

    // False once the person asked to stop; cheap between slices.
    bool goOn();
    // Whether a hook is there to ask: without one a connection waits in one piece.
    bool watched() const { return hook_ != nullptr; }
    std::chrono::milliseconds elapsed() const;

private:
    using Clock = std::chrono::steady_clock;

    bool& busy_;
    WaitHook* hook_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point asked_ = start_;
    bool told_ = false;
    bool stopped_ = false;
};

}  // namespace ado
