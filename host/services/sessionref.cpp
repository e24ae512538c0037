#include "host/services/sessionref.h"

namespace services {

HostSession& SessionRef::get() const {
    return session_ ? *session_ : HostSession::current();
}

SessionRef SessionRef::checked() const {
    get();
    return *this;
}

}  // namespace services
