#pragma once

class QObject;

namespace services {

// Properties of the controls a service or another control writes into.
class MetaProperty {
public:
    static bool isWritable(const QObject* object, const char* name);
};

}  // namespace services
