#pragma once

#include <memory>

#include <QObject>
#include <QString>

#include "src/shell/controlnames.h"
#include "src/shell/ifunciones.h"
#include "src/shell/isistema.h"

namespace shell {

// The module's globals: the statement being built and the host's two
// service objects, created once per process before the first Pantalla.
class Publico {
public:
    static inline QString SQL;

    static ISistema* Sistema();
    static IFunciones* Funciones();

    // Creates the service objects through the component runtime on first
    // call; later calls do nothing. Throws core::Error when the host's
    // service library cannot supply them.
    static void iniciar();
    static bool iniciado();

    // Names under which the host registers its service library classes.
    static inline const QString& kSistemaClass = ControlNames::kSistema;
    static inline const QString& kFuncionesClass = ControlNames::kFunciones;
    static inline const QString& kConsultaRegistroClass = ControlNames::kConsultaRegistro;

private:
    static std::unique_ptr<QObject> sistema_;
    static std::unique_ptr<QObject> funciones_;
};

}  // namespace shell
