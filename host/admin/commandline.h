#pragma once

#include <QString>
#include <QStringList>

#include "host/app/hostoptions.h"

namespace admin {

// The administrator's command line, the words after "admin":
//   [--db CONEXION] [--user CLAVE] [--create-schema] ÁREA ACCIÓN [VALORES...]
// Options may stand anywhere before "--", after which every word is a value.
class CommandLine {
public:
    // Throws InputError for an unknown option, area or action and for a
    // wrong number of values; help only needs no area.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();

    // The options start-up opens the database with.
    app::HostOptions hostOptions() const;

    QString database;
    QString user;
    bool userGiven = false;
    bool createSchema = false;
    bool force = false;
    bool help = false;
    QString area;
    QString action;
    QStringList values;

private:
    void takeOption(const QStringList& arguments, qsizetype& i);
    void checkVerb() const;
};

}  // namespace admin
