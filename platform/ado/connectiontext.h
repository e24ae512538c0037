#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// A PostgreSQL connection text as libpq itself reads it: a postgresql://
// or postgres:// URL, or libpq's keyword form ("host=… dbname=…",
// "service=…"). Whatever is shown of it (status bar, messages, logs) is
// rebuilt from what libpq read, without the password.
class ConnectionText {
public:
    // True for a URL of either scheme and for a text libpq reads as keywords.
    static bool isPostgres(const QString& text);
    // The text rebuilt as a URL without its password; a text libpq cannot
    // read is shown with every spelling of its password masked.
    static QString display(const QString& text);
    // True when the text itself carries a password.
    static bool hasPassword(const QString& text);
    // The message with every spelling of the text's password masked: libpq
    // may quote the text it could not read.
    static QString scrub(const QString& text, QString message);
    // Refuses (core::Error) a URL whose raw password libpq would split
    // differently from what was meant ("@", "/", "?" unencoded): its pieces
    // would land in the host or database name and show up in messages.
    static void refuseAmbiguous(const QString& text);
    // Said on stderr when --db carries a password: every local user can
    // read a command line in the process list.
    static QString commandLineWarning();

private:
    static QStringList secrets(const QString& text);
};

}  // namespace ado
