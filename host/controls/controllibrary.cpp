#include "host/controls/controllibrary.h"

#include "host/controls/colorscheme.h"
#include "host/controls/datepicker.h"
#include "host/controls/flatbutton.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "host/controls/toolbar.h"
#include "host/services/sistema.h"
#include "platform/component/runtime.h"
#include "src/shell/controlnames.h"

namespace controls {

namespace {

// Lives as long as the runtime may hand out controls: to the end of the process.
services::Sistema& installedSessionHost() {
    static services::Sistema* host = new services::Sistema(services::SessionRef::installed());
    return *host;
}

}  // namespace

void ControlLibrary::registerAll(component::Runtime& runtime, services::IControlHost& host) {
    using shell::ControlNames;
    runtime.registerClass(ControlNames::kToolbar, [] { return new Toolbar; });
    runtime.registerClass(ControlNames::kTextBox, [&host] { return new TextBox(nullptr, &host); });
    runtime.registerClass(ControlNames::kLabel, [] { return new Label; });
    runtime.registerClass(ControlNames::kFlatButton, [] { return new FlatButton; });
    runtime.registerClass(ControlNames::kDatePicker, [] { return new DatePicker; });
    runtime.registerClass(ControlNames::kColorScheme, [] { return new ColorScheme; });
}

void ControlLibrary::registerAll(component::Runtime& runtime) {
    registerAll(runtime, installedSessionHost());
}

}  // namespace controls
