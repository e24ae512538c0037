#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "host/admin/context.h"

namespace admin {

// Changes that would hide or strand reservations already booked. Each is
// refused (InputError) with the list of what it would affect, unless the
// administrator repeats the command with --force. Run inside the change's
// own transaction, so what is listed is what the change meets.
class GuardRail {
public:
    explicit GuardRail(Context& context) : c_(context) {}

    // A non-working day greys its reservations out: they can no longer be
    // opened.
    void holiday(const QDate& date);
    // A retired room's reservations can no longer be changed or cancelled.
    void retireRoom(const QString& key);
    // After a format change a typed number pads to a key of the new width,
    // beside the numeric keys of another width already stored: "1" opens
    // 00001 while the reservations sit on 0000000001.
    void keyFormat(const QString& format, const QString& table, const QString& keyColumn, const QString& noun);

private:
    QStringList reservations(const QString& where, const QVariantList& params);
    void refuse(const QString& reason, const QStringList& affected);

    Context& c_;
};

}  // namespace admin
