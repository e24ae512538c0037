#pragma once

#include <QString>

namespace shell {

// The class names under which the host registers its controls and service
// objects, and by which the module creates them.
struct ControlNames {
    static inline const QString kToolbar = QStringLiteral("toolbarQNT.Controles");
    static inline const QString kTextBox = QStringLiteral("textoQNT.txtQNT");
    static inline const QString kLabel = QStringLiteral("LabelQnt.Etiqueta");
    static inline const QString kFlatButton = QStringLiteral("flatButtonQNT.flatButton");
    static inline const QString kDatePicker = QStringLiteral("fechaQnt.dpFecha");
    static inline const QString kColorScheme = QStringLiteral("coloresQNT.colorQNT");

    static inline const QString kSistema = QStringLiteral("Quintasistema.Sistema");
    static inline const QString kFunciones = QStringLiteral("Quintasistema.Funciones");
    static inline const QString kConsultaRegistro = QStringLiteral("Quintasistema.ConsultaRegistro");
};

}  // namespace shell
