#pragma once

#include <QString>
#include <QStringList>

#include "host/admin/context.h"

namespace admin {

// The site's parameters (Parametro). A parameter the host reads is stored
// under the name it reads it by, and only with a value the host accepts.
class Parameters {
public:
    explicit Parameters(Context& context) : c_(context) {}

    void run(const QString& action, const QStringList& values);

private:
    void list();
    void set(const QString& typedKey, const QString& typedValue);

    Context& c_;
};

}  // namespace admin
