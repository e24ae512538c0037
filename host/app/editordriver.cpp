#include "host/app/editordriver.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QTime>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace app {

namespace {

QString cellText(QObject* grid, int row, int col) {
    QString text;
    QMetaObject::invokeMethod(grid, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, row), Q_ARG(int, col));
    return text;
}

// A slot target "AAAA-MM-DDThh:mm", read as a day and a time apart: the
// day's midnight may not exist here. Invalid parts for any other text.
void readSlot(const QString& target, QDate& day, QTime& time) {
    const QStringList parts = target.split(QLatin1Char('T'));
    day = parts.size() == 2 ? QDate::fromString(parts[0], QStringLiteral("yyyy-MM-dd")) : QDate();
    time = parts.size() == 2 ? QTime::fromString(parts[1], QStringLiteral("HH:mm")) : QTime();
}

// The grid cell of a slot or a folio; false when the period shown lacks it.
bool findCell(QWidget* calendar, QObject* grid, const QString& target, int& row, int& col) {
    const int rows = grid->property("Rows").toInt();
    const int cols = grid->property("Cols").toInt();
    QDate day;
    QTime time;
    readSlot(target, day, time);
    const bool slot = day.isValid() && time.isValid();
    const QVariantList dates = calendar->property("Fechas").toList();
    for (row = 2; row < rows; ++row)
        for (col = 1; col < cols; ++col) {
            const bool match = slot ? col < dates.size() && dates.at(col).toDate() == day &&
                                          cellText(grid, row, 0) == time.toString(QStringLiteral("HH:mm"))
                                    : cellText(grid, row, col) == target;
            if (match) return true;
        }
    return false;
}

}  // namespace

bool openEditorOn(QWidget* calendar, const QString& target, QString& error) {
    QObject* grid = calendar->findChild<QObject*>(QStringLiteral("msfDisponibilidad"));
    int row = 0;
    int col = 0;
    if (!grid || !findCell(calendar, grid, target.trimmed(), row, col)) {
        error = QStringLiteral("El calendario no muestra \"%1\" (un espacio AAAA-MM-DDThh:mm del periodo o un folio).")
                    .arg(target);
        return false;
    }
    grid->setProperty("Row", row);
    grid->setProperty("Col", col);
    QMetaObject::invokeMethod(calendar, "msfDisponibilidad_DblClick");
    return true;
}

void captureEditorWhenShown(const QString& file, bool accept, bool& saved) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, file, accept, &saved] {
        QWidget* editor = QApplication::activeModalWidget();
        if (!editor || !editor->isVisible()) return;
        poll->deleteLater();
        if (auto* command = editor->findChild<QAction*>(QStringLiteral("actAceptar")); command && accept)
            command->trigger();
        if (!editor->isVisible()) {  // stored: nothing left to picture
            saved = false;
            return;
        }
        saved = editor->grab().save(file, "PNG");
        QMetaObject::invokeMethod(editor, "Controles_Salir");
    });
    poll->start(50);
}

}  // namespace app
