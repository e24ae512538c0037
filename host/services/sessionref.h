#pragma once

#include "host/services/hostsession.h"

namespace services {

// The session a service object works on: the one it was handed, or else
// whichever session the host has installed at the time of each call, so
// that the module's long-lived objects follow the host from one session to
// the next.
class SessionRef {
public:
    // Implicit, so that a service can simply be handed its session.
    SessionRef(HostSession& session) : session_(&session) {}
    static SessionRef installed() { return SessionRef(); }

    // Throws core::Error when following the installed session and none is.
    HostSession& get() const;
    // This reference, after making sure it reaches a session now.
    SessionRef checked() const;

private:
    SessionRef() = default;

    HostSession* session_ = nullptr;
};

}  // namespace services
