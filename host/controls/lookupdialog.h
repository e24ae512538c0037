#pragma once

#include <vector>

#include <QDialog>

#include "host/controls/catalogue.h"

class QLineEdit;
class QTableWidget;

namespace controls {

// The searchable list a text box opens on F2 or its "…" button. It never
// runs its own event loop: the box shows it and reads the pick when it
// finishes, so a script can drive it like a person (type in "txtFiltro",
// press Enter).
class LookupDialog : public QDialog {
    Q_OBJECT
public:
    LookupDialog(const QString& title, std::vector<Catalogue::Row> rows, QWidget* parent = nullptr);

    // Valid once the dialog was accepted.
    const Catalogue::Row& picked() const { return picked_; }
    int visibleRowCount() const;
    // The keys of the rows the filter leaves, in order.
    QStringList visibleKeys() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyFilter(const QString& text);
    void moveSelection(int step);
    void pick(int row);

    std::vector<Catalogue::Row> rows_;
    Catalogue::Row picked_;
    QLineEdit* filter_;
    QTableWidget* table_;
};

}  // namespace controls
