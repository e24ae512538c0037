#pragma once

#include <QString>
#include <QStringList>

#include "host/admin/context.h"

namespace admin {

// The non-working days kept by date (Dia_Inhabil); the weekly rest days are
// a parameter instead.
class Holidays {
public:
    explicit Holidays(Context& context) : c_(context) {}

    void run(const QString& action, const QStringList& values);

private:
    void list(const QStringList& range);
    void add(const QString& typedDate, const QString& description);
    void remove(const QString& typedDate);

    Context& c_;
};

}  // namespace admin
