#include "host/services/metaproperty.h"

#include <QMetaProperty>
#include <QObject>

namespace services {

bool MetaProperty::isWritable(const QObject* object, const char* name) {
    const int index = object->metaObject()->indexOfProperty(name);
    return index >= 0 && object->metaObject()->property(index).isWritable();
}

}  // namespace services
