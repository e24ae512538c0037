#pragma once

#include <chrono>

namespace ado {

// Told by a connection while it waits on the database, so the program
// around it can show that it waits and let the person stop waiting. The
// connections know nothing of screens; the host installs one hook for the
// thread that runs its statements.
class WaitHook {
public:
    virtual ~WaitHook();

    // Asked again and again (about every tenth of a second) while one wait
    // lasts, with how long it has lasted; false stops the wait: the
    // statement is cancelled and fails.
    virtual bool waiting(std::chrono::milliseconds elapsed) = 0;
    // The wait that was asked about is over, however it ended.
    virtual void waitEnded() = 0;

    static void install(WaitHook* hook);
    static WaitHook* installed();
};

}  // namespace ado
