#pragma once

#include "platform/core/error.h"

namespace admin {

// Input the administrator's command refuses: a usage mistake, a malformed
// value, an unknown or duplicate key. It changes nothing and ends the
// command with the bad-input exit code; any other core::Error is trouble
// with the database.
class InputError : public core::Error {
public:
    using core::Error::Error;
};

}  // namespace admin
