#include "host/controls/lookupdialog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace controls {

LookupDialog::LookupDialog(const QString& title, std::vector<Catalogue::Row> rows, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), filter_(new QLineEdit(this)), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("dlgConsulta"));
    setWindowTitle(title);
    resize(520, 380);

    filter_->setObjectName(QStringLiteral("txtFiltro"));
    filter_->setPlaceholderText(QStringLiteral("Escriba para buscar por clave o descripción"));
    filter_->installEventFilter(this);

    table_->setObjectName(QStringLiteral("grdConsulta"));
    table_->setColumnCount(2);
    table_->setHorizontalHeaderLabels({QStringLiteral("Clave"), QStringLiteral("Descripción")});
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        table_->setItem(r, 0, new QTableWidgetItem(rows_[r].key));
        table_->setItem(r, 1, new QTableWidgetItem(rows_[r].description));
    }
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnToContents(0);
    connect(table_, &QTableWidget::doubleClicked, this, [this](const QModelIndex& index) { pick(index.row()); });
    connect(filter_, &QLineEdit::textChanged, this, &LookupDialog::applyFilter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Buscar:"), this));
    layout->addWidget(filter_);
    layout->addWidget(table_);
    filter_->setFocus();
    applyFilter({});
}

int LookupDialog::visibleRowCount() const {
    int n = 0;
    for (int r = 0; r < table_->rowCount(); ++r) n += table_->isRowHidden(r) ? 0 : 1;
    return n;
}

QStringList LookupDialog::visibleKeys() const {
    QStringList keys;
    for (int r = 0; r < table_->rowCount(); ++r)
        if (!table_->isRowHidden(r)) keys << rows_[r].key;
    return keys;
}

void LookupDialog::applyFilter(const QString& text) {
    const QString wanted = text.trimmed();
    int first = -1;
    for (int r = 0; r < table_->rowCount(); ++r) {
        const bool shown = wanted.isEmpty() || rows_[r].key.contains(wanted, Qt::CaseInsensitive) ||
                           rows_[r].description.contains(wanted, Qt::CaseInsensitive);
        table_->setRowHidden(r, !shown);
        if (shown && first < 0) first = r;
    }
    // Enter picks what is highlighted, so the highlight follows the filter.
    if (first >= 0)
        table_->setCurrentCell(first, 0);
    else
        table_->setCurrentCell(-1, -1);
}

void LookupDialog::moveSelection(int step) {
    int r = table_->currentRow();
    for (int next = r + step; next >= 0 && next < table_->rowCount(); next += step) {
        if (!table_->isRowHidden(next)) {
            table_->setCurrentCell(next, 0);
            return;
        }
    }
}

bool LookupDialog::eventFilter(QObject* watched, QEvent* event) {
    // Arrow keys in the search box walk the list without leaving the box.
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            moveSelection(key == Qt::Key_Down ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LookupDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pick(table_->currentRow());
        return;
    }
    QDialog::keyPressEvent(event);
}

void LookupDialog::pick(int row) {
    if (row < 0 || row >= table_->rowCount() || table_->isRowHidden(row) || result() == Accepted) return;
    picked_ = rows_[row];
    accept();
}

}  // namespace controls
