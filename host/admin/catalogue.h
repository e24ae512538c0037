#pragma once

#include <QString>
#include <QStringList>

#include "host/admin/context.h"

namespace admin {

// One of the host's catalogues of keyed, named records that are retired
// (state BA) and never deleted, since reservations and logs refer to them:
// rooms, clients and users.
class Catalogue {
public:
    struct Kind {
        QString area;  // as the command names it
        QString table, keyColumn, nameColumn;
        QString entity;  // as the operations log names it
        QString noun;    // "sala": messages say "la sala 0000000007"
        bool feminine;
        bool nameRequired;
        // Keys are typed into the screens' key boxes, which upper-case them
        // and pad numbers to this parameter's all-zeros format; empty: a
        // user code, kept exactly as given.
        QString formatParameter, formatDefault;
    };
    static const Kind kRooms, kClients, kUsers;

    Catalogue(const Kind& kind, Context& context) : kind_(kind), c_(context) {}

    void run(const QString& action, const QStringList& values);

    // The key as the application would look it up; throws InputError for
    // one the table cannot hold.
    QString key(const QString& typed);
    // Throws InputError unless the record exists.
    void requireExisting(const QString& key);

private:
    void list();
    void add(const QString& typed, const QString& name);
    void setState(const QString& typed, bool active);
    [[noreturn]] void refuseDuplicate(const QString& key);
    QString noun(const QString& key) const;   // "la sala 0000000007"
    QString title(const QString& key) const;  // "Sala 0000000007"
    QString ending() const { return kind_.feminine ? QStringLiteral("a") : QStringLiteral("o"); }

    const Kind& kind_;
    Context& c_;
};

}  // namespace admin
