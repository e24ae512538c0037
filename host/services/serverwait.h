#pragma once

#include <memory>

#include "platform/ado/waithook.h"

namespace services {

class WaitWindow;

// What a person sees while the database keeps the program waiting: past
// kBusyAfter the busy cursor and screens that repaint (input to them held
// back); past kWindowAfter the wait window, whose Cancelar stops the wait.
// Unattended, only the cursor: no window a script would have to answer,
// and the connections give up on their own as always.
class ServerWait : public ado::WaitHook {
public:
    static constexpr std::chrono::milliseconds kBusyAfter{300}, kWindowAfter{1500};

    explicit ServerWait(bool offerCancel);
    ~ServerWait() override;

    bool waiting(std::chrono::milliseconds elapsed) override;
    void waitEnded() override;

    void setOfferCancel(bool on) { offerCancel_ = on; }

private:
    bool offerCancel_;
    bool busy_ = false;       // the cursor says so
    bool pumping_ = false;    // events are running inside a wait
    bool stopAsked_ = false;
    std::unique_ptr<WaitWindow> window_;
};

}  // namespace services
