#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the host executable was asked to do.
struct HostOptions {
    QString database;    // connection text; empty for the default file
    QString user;        // empty: RS501_USER, else the login name
    bool demo = false;   // load the demonstration data
    bool userGiven = false;     // --user was on the command line, even empty
    bool createSchema = false;
    bool createDatabase = true;  // false: a SQLite file that is not there is refused, not made
    QString overlapGuard;  // "on" or "off": set the database's guard against double booking  // create our tables in a database of another application
    bool unattended = false;
    QString screenshot;  // render the main window into this PNG and quit
    QString room;        // room key typed into the calendar at start
    bool accept = false;  // with editor and screenshot: accept before the picture
    QString editor;      // slot "AAAA-MM-DDThh:mm" or folio to open the editor on

    // Parses the command line; on a bad one, fills error and returns false.
    static bool parse(const QStringList& arguments, HostOptions& options, QString& error);

    // --db, else RS501_DB, else the default file.
    QString connectionText() const;
    static QString defaultDatabasePath();
    // The program's version and the schema version it works with.
    static QString versionText();
    // --version anywhere on a command line that is not the admin command's.
    static bool asksVersion(const QStringList& arguments);
};

}  // namespace app
