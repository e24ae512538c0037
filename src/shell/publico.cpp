#include "src/shell/publico.h"

#include "platform/component/runtime.h"
#include "platform/core/error.h"

namespace shell {

std::unique_ptr<QObject> Publico::sistema_;
std::unique_ptr<QObject> Publico::funciones_;

namespace {

template <typename Interface>
std::unique_ptr<QObject> createService(const QString& className) {
    std::unique_ptr<QObject> object(component::Runtime::instance().createObject(className));
    if (!qobject_cast<Interface*>(object.get()))
        throw core::Error(QStringLiteral("La clase %1 del anfitrión no ofrece la interfaz esperada.").arg(className));
    return object;
}

}  // namespace

void Publico::iniciar() {
    if (iniciado()) return;
    auto sistema = createService<ISistema>(kSistemaClass);
    auto funciones = createService<IFunciones>(kFuncionesClass);
    sistema_ = std::move(sistema);
    funciones_ = std::move(funciones);
}

bool Publico::iniciado() {
    return sistema_ && funciones_;
}

ISistema* Publico::Sistema() {
    if (!sistema_) throw core::Error(QStringLiteral("El módulo RS501 no se ha iniciado."));
    return qobject_cast<ISistema*>(sistema_.get());
}

IFunciones* Publico::Funciones() {
    if (!funciones_) throw core::Error(QStringLiteral("El módulo RS501 no se ha iniciado."));
    return qobject_cast<IFunciones*>(funciones_.get());
}

}  // namespace shell
