#pragma once

#include "platform/component/registration.h"

namespace rs501 {

// What the component tells the runtime about itself: its one creatable
// class, which hands out the calendar screen, and whether a screen is out.
const component::Registration& registration();

}  // namespace rs501
