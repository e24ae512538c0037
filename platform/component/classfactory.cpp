#include "platform/component/classfactory.h"

#include "platform/core/error.h"

namespace component {

ClassFactory::ClassFactory(QString className, std::function<QObject*()> create)
    : className_(std::move(className)), create_(std::move(create)) {}

QObject* ClassFactory::CreateInstance() {
    QObject* object = create_();
    if (!object) throw core::Error(QStringLiteral("No se pudo crear un objeto de la clase %1.").arg(className_));
    ++live_;
    QObject::connect(object, &QObject::destroyed, [this] { --live_; });
    return object;
}

void ClassFactory::LockServer(bool lock) {
    locks_ += lock ? 1 : (locks_ > 0 ? -1 : 0);
}

}  // namespace component
