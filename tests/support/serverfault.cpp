#include "tests/support/serverfault.h"

#include <csignal>

#include <gtest/gtest.h>

#include <QThread>

namespace testsupport {

ServerFault::ServerFault(ado::Connection& victim, QString connectionText)
    : text_(std::move(connectionText)), pid_(victim.Execute("SELECT pg_backend_pid()").Fields(0).Value.toLongLong()) {}

ServerFault::~ServerFault() {
    thaw();
}

void ServerFault::strike(Kind kind) {
    if (kind == Kind::Freeze) {
        ASSERT_EQ(::kill(static_cast<pid_t>(pid_), SIGSTOP), 0);
        frozen_ = true;
        return;
    }
    auto admin = ado::open(text_);
    ASSERT_TRUE(admin->Execute("SELECT pg_terminate_backend(?)", {pid_}).Fields(0).Value.toBool());
    // The process takes a moment to go; the victim must find it gone.
    for (int i = 0; i < 100; ++i) {
        if (admin->Execute("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = ?", {pid_}).Fields(0).Value.toLongLong() == 0)
            return;
        QThread::msleep(20);
    }
    ADD_FAILURE() << "the server process " << pid_ << " did not end";
}

void ServerFault::thaw() {
    if (frozen_) ::kill(static_cast<pid_t>(pid_), SIGCONT);
    frozen_ = false;
}

}  // namespace testsupport
