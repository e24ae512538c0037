#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QTextStream>

namespace bench {

// Turns the benchmark programs' JSON output into the results tables, each
// figure beside the target the calendar work aims for and whether it is met.
class BenchReport {
public:
    // The calendar benchmark's results; the editor benchmark's, of this
    // build ("new") and of the one before ("today").
    bool addCalendar(const QString& path, QString& error);
    bool addSave(const QString& run, const QString& path, QString& error);
    void addMemory(const QString& what, double megabytes) { memory_ << qMakePair(what, megabytes); }

    void print(QTextStream& out) const;

private:
    struct Result {
        QString name;  // without the iterations and real-time suffixes
        QJsonObject json;
        double ms() const;
        double counter(const char* key, double missing = -1) const;
        bool failed() const { return json.value(QStringLiteral("error_occurred")).toBool(); }
    };

    static bool load(const QString& path, QList<Result>& into, const QString& prefix, QString& error);
    const Result* find(const QString& name) const;
    void printRepaints(QTextStream& out) const;
    void printGrowth(QTextStream& out) const;
    void printStartups(QTextStream& out) const;
    void printSaves(QTextStream& out) const;
    void printMemory(QTextStream& out) const;

    QList<Result> calendar_;
    QList<Result> saves_;
    QList<QPair<QString, double>> memory_;
};

}  // namespace bench
