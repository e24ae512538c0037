#include "host/controls/controllibrary.h"

#include "host/controls/colorscheme.h"
#include "host/controls/datepicker.h"
#include "host/controls/flatbutton.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "host/controls/toolbar.h"
#include "platform/component/runtime.h"

namespace controls {

void ControlLibrary::registerAll(component::Runtime& runtime) {
    runtime.registerClass(QStringLiteral("toolbarQNT.Controles"), [] { return new Toolbar; });
    runtime.registerClass(QStringLiteral("textoQNT.txtQNT"), [] { return new TextBox; });
    runtime.registerClass(QStringLiteral("LabelQnt.Etiqueta"), [] { return new Label; });
    runtime.registerClass(QStringLiteral("flatButtonQNT.flatButton"), [] { return new FlatButton; });
    runtime.registerClass(QStringLiteral("fechaQnt.dpFecha"), [] { return new DatePicker; });
    runtime.registerClass(QStringLiteral("coloresQNT.colorQNT"), [] { return new ColorScheme; });
}

}  // namespace controls
