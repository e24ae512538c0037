#include "platform/ado/connection.h"

namespace ado {

Connection::~Connection() = default;

}  // namespace ado
