#include "platform/flexgrid/flexgrid.h"

#include <algorithm>
#include <optional>

#include <QFontInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "platform/flexgrid/cellstore.h"
#include "platform/flexgrid/gridaccessible.h"
#include "platform/flexgrid/gridgeometry.h"
#include "platform/flexgrid/gridpainter.h"
#include "platform/flexgrid/mergelayout.h"
#include "platform/flexgrid/tiptext.h"

namespace flexgrid {

static_assert(CellStore::kGeneralAlignment == FlexGrid::flexAlignGeneral);

namespace {

constexpr int kScrollStep = 20;

}  // namespace

struct FlexGrid::Private {
    CellStore store;
    GridGeometry geometry;
    std::optional<MergeLayout> merges;  // laid out on demand, never by setters
    int row = 1;
    int col = 1;
    int mergeMode = flexMergeNever;
    bool redraw = true;
    QString toolTip;
    int paints = 0;
    CellSpeech speech;
    std::function<QString()> caption;

    const MergeLayout& mergeLayout() {
        if (!merges) merges.emplace(store.mergeInput(mergeMode == flexMergeFree));
        return *merges;
    }
    const GridGeometry& geometryOf(const FlexGrid& grid) {
        geometry.ensure(store, grid.font(), grid.viewport()->width());
        return geometry;
    }
};

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent), d(std::make_unique<Private>()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    GridAccessible::install();
}

FlexGrid::~FlexGrid() = default;

// Every change ends here: drops what it made stale and, unless drawing is
// off, brings the scroll bars and the picture up to date.
void FlexGrid::relayout(int stale) {
    if (stale & kMerges) d->merges.reset();
    if (stale & kSizes) d->geometry.invalidate();
    if (!d->redraw) return;
    if (stale & kSizes) updateScrollRanges();
    viewport()->update();
}

// ---- shape

int FlexGrid::Rows() const {
    return d->store.rows();
}

// Shrinking under the current cell moves it, which is a change of cell.
void FlexGrid::setRows(int rows) {
    if (!d->store.setRows(rows)) return;
    const bool moved = d->row >= rows;
    if (moved) d->row = rows - 1;
    relayout(kMerges | kSizes);
    if (moved) emit EnterCell();
}

int FlexGrid::Cols() const {
    return d->store.cols();
}

void FlexGrid::setCols(int cols) {
    if (!d->store.setCols(cols)) return;
    const bool moved = d->col >= cols;
    if (moved) d->col = cols - 1;
    relayout(kMerges | kSizes);
    if (moved) emit EnterCell();
}

int FlexGrid::FixedRows() const {
    return d->store.fixedRows();
}

void FlexGrid::setFixedRows(int rows) {
    if (d->store.setFixedRows(rows)) relayout(kMerges | kSizes);
}

int FlexGrid::FixedCols() const {
    return d->store.fixedCols();
}

void FlexGrid::setFixedCols(int cols) {
    if (d->store.setFixedCols(cols)) relayout(kMerges | kSizes);
}

// ---- current cell

int FlexGrid::Row() const {
    return d->row;
}

void FlexGrid::setRow(int row) {
    if (row < 0 || row >= d->store.rows() || row == d->row) return;
    setCurrent(row, d->col);
}

int FlexGrid::Col() const {
    return d->col;
}

void FlexGrid::setCol(int col) {
    if (col < 0 || col >= d->store.cols() || col == d->col) return;
    setCurrent(d->row, col);
}

// A batch (drawing off) moves the current cell about without a person
// following it; only moves made with drawing on are spoken.
void FlexGrid::setCurrent(int row, int col) {
    d->row = row;
    d->col = col;
    relayout(kPicture);
    if (d->redraw && hasFocus()) GridAccessible::announceCurrent(this);
    emit EnterCell();
}

QString FlexGrid::Text() const {
    return TextMatrix(d->row, d->col);
}

void FlexGrid::setText(const QString& text) {
    SetTextMatrix(d->row, d->col, text);
}

int FlexGrid::CellBackColor() const {
    return CellBackColorAt(d->row, d->col);
}

void FlexGrid::setCellBackColor(int bgr) {
    if (d->store.setBack(d->row, d->col, bgr)) relayout(kPicture);
}

int FlexGrid::CellForeColor() const {
    return CellForeColorAt(d->row, d->col);
}

void FlexGrid::setCellForeColor(int bgr) {
    if (d->store.setFore(d->row, d->col, bgr)) relayout(kPicture);
}

double FlexGrid::CellFontSize() const {
    const float points = d->store.points(d->row, d->col);
    return points > 0 ? points : QFontInfo(font()).pointSizeF();
}

void FlexGrid::setCellFontSize(double points) {
    if (d->store.setPoints(d->row, d->col, points)) relayout(kSizes);
}

// ---- behaviour

int FlexGrid::MergeCells() const {
    return d->mergeMode;
}

void FlexGrid::setMergeCells(int mode) {
    if ((mode != flexMergeNever && mode != flexMergeFree) || mode == d->mergeMode) return;
    d->mergeMode = mode;
    relayout(kMerges);
}

int FlexGrid::RowHeightMin() const {
    return d->geometry.rowHeightMinTwips();
}

void FlexGrid::setRowHeightMin(int twips) {
    if (d->geometry.setRowHeightMinTwips(twips)) relayout(kSizes);
}

bool FlexGrid::Redraw() const {
    return d->redraw;
}

// Turning drawing back on catches up with everything a batch changed.
// Moves made with drawing off were not spoken: once it is back on, a
// person in the grid hears where the current cell is now.
void FlexGrid::setRedraw(bool on) {
    const bool was = d->redraw;
    d->redraw = on;
    if (!on) return;
    relayout(kSizes);
    GridAccessible::announceContents(this);
    if (!was && hasFocus()) GridAccessible::announceCurrent(this);
}

QString FlexGrid::ToolTipText() const {
    return d->toolTip;
}

void FlexGrid::setToolTipText(const QString& text) {
    d->toolTip = text;
    setToolTip(text.isEmpty() ? QString() : tipDisplay(text));  // the frame and scroll bars show it too
}

// ---- cells by position

void FlexGrid::Clear() {
    d->store.clear();
    relayout(kMerges | kSizes);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return d->store.text(row, col);
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (d->store.setText(row, col, text)) relayout(kMerges);
}

bool FlexGrid::MergeRow(int row) const {
    return d->store.rowMerges(row);
}

void FlexGrid::SetMergeRow(int row, bool allowed) {
    if (d->store.setRowMerges(row, allowed)) relayout(kMerges);
}

bool FlexGrid::MergeCol(int col) const {
    return d->store.colMerges(col);
}

void FlexGrid::SetMergeCol(int col, bool allowed) {
    if (d->store.setColMerges(col, allowed)) relayout(kMerges);
}

int FlexGrid::ColAlignment(int col) const {
    return d->store.alignment(col);
}

void FlexGrid::SetColAlignment(int col, int alignment) {
    if (d->store.setAlignment(col, alignment)) relayout(kPicture);
}

int FlexGrid::ColWidth(int col) const {
    return d->store.widthTwips(col);
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (d->store.setWidthTwips(col, twips)) relayout(kSizes);
}

int FlexGrid::CellBackColorAt(int row, int col) const {
    return d->store.back(row, col);
}

int FlexGrid::CellForeColorAt(int row, int col) const {
    return d->store.fore(row, col);
}

QRect FlexGrid::MergedBlock(int row, int col) const {
    return d->mergeLayout().block(row, col);
}

void FlexGrid::setAccessibleSpeech(CellSpeech cells, std::function<QString()> caption) {
    d->speech = std::move(cells);
    d->caption = std::move(caption);
}

QString FlexGrid::accessibleCellText(int row, int col) const {
    if (!d->store.inRange(row, col)) return QString();
    return d->speech ? d->speech(row, col) : d->store.text(row, col).trimmed();
}

QString FlexGrid::accessibleCaption() const {
    return d->caption ? d->caption() : accessibleName();
}

int FlexGrid::paintCount() const {
    return d->paints;
}

QRect FlexGrid::cellRect(int row, int col) const {
    if (!d->store.inRange(row, col)) return QRect();
    const QPoint offset(col < d->store.fixedCols() ? 0 : horizontalScrollBar()->value(),
                        row < d->store.fixedRows() ? 0 : verticalScrollBar()->value());
    return d->geometryOf(*this).area(QRect(col, row, 1, 1), offset);
}

// ---- layout and input

void FlexGrid::updateScrollRanges() {
    const GridGeometry& geometry = d->geometryOf(*this);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setPageStep(std::max(1, view.width() - geometry.fixedWidth()));
    verticalScrollBar()->setPageStep(std::max(1, view.height() - geometry.fixedHeight()));
    horizontalScrollBar()->setRange(0, std::max(0, geometry.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, geometry.height() - view.height()));
}

bool FlexGrid::cellAt(const QPoint& pos, int* row, int* col) const {
    const GridGeometry& geometry = d->geometryOf(*this);
    const int c = geometry.colAt(pos.x(), horizontalScrollBar()->value());
    const int r = geometry.rowAt(pos.y(), verticalScrollBar()->value());
    if (r < 0 || c < 0) return false;
    *row = r;
    *col = c;
    return true;
}

void FlexGrid::moveCurrent(int row, int col) {
    if (!d->store.inRange(row, col) || (row == d->row && col == d->col)) return;
    setCurrent(row, col);
}

void FlexGrid::scrollToCell(int row, int col) {
    if (!d->store.inRange(row, col)) return;
    const GridGeometry& geometry = d->geometryOf(*this);
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    if (col >= d->store.fixedCols())
        across->setValue(geometry.scrollToShowCol(col, across->value(), viewport()->width()));
    if (row >= d->store.fixedRows()) down->setValue(geometry.scrollToShowRow(row, down->value(), viewport()->height()));
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    int r = 0;
    int c = 0;
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    event->accept();  // the grey beyond the cells is still the grid's
    if (!cellAt(event->position().toPoint(), &r, &c)) return;
    moveCurrent(r, c);
    emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    int r = 0;
    int c = 0;
    if (event->button() != Qt::LeftButton || !cellAt(event->position().toPoint(), &r, &c)) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    moveCurrent(r, c);
    emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    int dr = 0;
    int dc = 0;
    switch (event->key()) {
    case Qt::Key_Up: dr = -1; break;
    case Qt::Key_Down: dr = 1; break;
    case Qt::Key_Left: dc = -1; break;
    case Qt::Key_Right: dc = 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // The keyboard's double-click, on a cell a double-click could reach.
        if ((event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier ||
            d->store.isFixed(d->row, d->col))
            break;
        event->accept();
        emit DblClick();
        return;
    default: break;
    }
    if (dr == 0 && dc == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    // Keys never land on a heading: a current cell set there by code steps
    // into the first scrolling row or column.
    const CellStore& s = d->store;
    if (s.fixedRows() >= s.rows() || s.fixedCols() >= s.cols()) return;
    const int r = std::clamp(d->row + dr, s.fixedRows(), s.rows() - 1);
    const int c = std::clamp(d->col + dc, s.fixedCols(), s.cols() - 1);
    moveCurrent(r, c);
    scrollToCell(r, c);
}

// The widget's own focus is announced first; the cell's follows it.
void FlexGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    QMetaObject::invokeMethod(
        this, [this] { if (hasFocus()) GridAccessible::announceCurrent(this); }, Qt::QueuedConnection);
}

// The scroll bars follow the size even while drawing is off.
void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d->geometry.invalidate();
    updateScrollRanges();
}

void FlexGrid::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) relayout(kSizes);
}

bool FlexGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        showTip(*static_cast<QHelpEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // The press was ours, so is its release.
        event->accept();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// Without text no tip at all, not even an empty frame, and the event goes
// on unanswered.
void FlexGrid::showTip(QHelpEvent& event) {
    if (d->toolTip.isEmpty()) {
        QToolTip::hideText();
        event.ignore();
        return;
    }
    QToolTip::showText(event.globalPos(), tipDisplay(d->toolTip), viewport());
}

void FlexGrid::paintEvent(QPaintEvent* event) {
    ++d->paints;
    QPainter painter(viewport());
    const bool focus = hasFocus() && !d->store.isFixed(d->row, d->col);
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const GridGeometry& geometry = d->geometryOf(*this);
    GridPainter(painter, d->store, geometry, d->mergeLayout(), font())
        .paint({viewport()->size(), scroll, event->rect(), focus, d->row, d->col});
}

}  // namespace flexgrid
