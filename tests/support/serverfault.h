#pragma once

#include <QString>

#include "platform/ado/connection.h"

namespace testsupport {

// What can happen to a PostgreSQL session's server process while a desktop
// works: it freezes (stopped, the kernel still holding its socket open), or
// an administrator ends it. A frozen process is thawed again on destruction.
class ServerFault {
public:
    enum class Kind { Freeze, Terminate };

    // The server process behind the connection; the connection is left
    // waiting for an answer that never comes, or cut.
    ServerFault(ado::Connection& victim, QString connectionText);
    ~ServerFault();
    ServerFault(const ServerFault&) = delete;
    ServerFault& operator=(const ServerFault&) = delete;

    void strike(Kind kind);
    void thaw();

private:
    QString text_;
    long long pid_ = 0;
    bool frozen_ = false;
};

}  // namespace testsupport
