#pragma once

#include <memory>

#include "host/app/hostoptions.h"
#include "platform/ado/connection.h"

namespace app {

// Opens the database the options name, creates the tables when missing and
// loads the demonstration data into a newly created default file or when
// asked. Throws core::Error with a readable reason.
std::unique_ptr<ado::Connection> openHostDatabase(const HostOptions& options);

}  // namespace app
