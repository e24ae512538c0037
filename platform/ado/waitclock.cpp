#include "platform/ado/waitclock.h"

#include "platform/ado/waithook.h"
#include "platform/core/error.h"

namespace ado {

WaitClock::WaitClock(bool& busy) : busy_(busy), hook_(WaitHook::installed()) {
    if (busy_)
        throw core::Error(QStringLiteral("La conexión todavía espera la respuesta anterior del servidor; intente de "
                                         "nuevo cuando termine."));
    busy_ = true;
}

WaitClock::~WaitClock() {
    busy_ = false;
    if (told_ && hook_) hook_->waitEnded();
}

std::chrono::milliseconds WaitClock::elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
}

bool WaitClock::goOn() {
    if (stopped_) return false;
    if (!hook_) return true;
    const Clock::time_point now = Clock::now();
    if (now - asked_ < kSlice) return true;
    asked_ = now;
    told_ = true;
    stopped_ = !hook_->waiting(elapsed());
    return !stopped_;
}

}  // namespace ado
