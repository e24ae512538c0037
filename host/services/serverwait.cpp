#include "host/services/serverwait.h"

#include <QApplication>

#include "host/services/waitwindow.h"

namespace services {

ServerWait::ServerWait(bool offerCancel) : offerCancel_(offerCancel) {}

ServerWait::~ServerWait() {
    waitEnded();
}

bool ServerWait::waiting(std::chrono::milliseconds elapsed) {
    // A wait of another connection inside the events of this one changes
    // nothing on screen: the outer wait owns the cursor and the window.
    if (pumping_) return true;
    if (elapsed < kBusyAfter || !qobject_cast<QApplication*>(QCoreApplication::instance())) return !stopAsked_;
    if (!busy_) QApplication::setOverrideCursor(Qt::BusyCursor);
    busy_ = true;
    if (!offerCancel_) return true;
    if (!window_ && elapsed >= kWindowAfter) {
        window_ = std::make_unique<WaitWindow>(QApplication::activeWindow());
        QObject::connect(window_.get(), &WaitWindow::cancelled, [this] { stopAsked_ = true; });
        window_->show();
    }
    // Without the window a click would reach the screens behind: only
    // painting and timers run until it is up.
    pumping_ = true;
    QApplication::processEvents(window_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    pumping_ = false;
    return !stopAsked_;
}

void ServerWait::waitEnded() {
    if (pumping_) return;
    if (busy_) QApplication::restoreOverrideCursor();
    busy_ = false;
    stopAsked_ = false;
    window_.reset();
}

}  // namespace services
