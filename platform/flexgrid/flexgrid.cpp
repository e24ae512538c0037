#include "platform/flexgrid/flexgrid.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QToolTip>

#include "platform/core/units.h"

namespace flexgrid {

namespace {

// Limits that keep every pixel sum inside an int and memory sane whatever a
// caller asks for.
constexpr int kMaxRows = 1000000;
constexpr int kMaxCols = 100000;
constexpr long long kMaxCells = 2000000;
constexpr int kMaxColWidthTwips = 30000;
constexpr int kMaxRowHeightMinTwips = 15000;
constexpr double kMinPoints = 1.0;
constexpr double kMaxPoints = 200.0;

constexpr int kDefaultColWidthTwips = 1000;
constexpr int kNormalBack = 0xFFFFFF;
constexpr int kFixedBack = 0xC0C0C0;
constexpr int kDefaultFore = 0x000000;
constexpr int kGridColor = 0xC0C0C0;
constexpr int kGridColorFixed = 0x808080;
constexpr int kBackgroundBeyondCells = 0x808080;
constexpr int kRowPadding = 4;
constexpr int kScrollStep = 20;

// Tips come from the screens' data: shown literally, never as markup. Short
// ones stay on one line (Qt folds even a few words of a rich tip); longer ones
// wrap as a paragraph instead of spanning the screen. Qt wraps only between
// words, so long unbroken runs (paths, codes) get invisible break chances
// (zero-width spaces) between whole characters.
QString tipDisplay(const QString& text) {
    constexpr int kOneLine = 40;
    constexpr int kLongestRun = 20;
    if (text.size() <= kOneLine && !text.contains(u'\n'))
        return QStringLiteral("<p style=\"white-space:nowrap\">%1</p>").arg(text.toHtmlEscaped());
    QString broken;
    broken.reserve(text.size() + text.size() / kLongestRun);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    int run = 0;
    for (qsizetype from = 0, to = characters.toNextBoundary(); to > from; from = to, to = characters.toNextBoundary()) {
        run = text.at(from).isSpace() ? 0 : run + 1;
        if (run > kLongestRun) {
            broken += QChar(0x200B);
            run = 1;
        }
        broken += QStringView(text).sliced(from, to - from);
    }
    return Qt::convertFromPlainText(broken, Qt::WhiteSpaceNormal);
}

// Designed colours may name a system colour (high bit set, index in the low
// byte); these are the classic desktop values the screens were drawn with.
QColor resolveColor(int value) {
    const quint32 v = static_cast<quint32>(value);
    if ((v & 0x80000000u) == 0) return core::fromBgr(v & 0xFFFFFFu);
    switch (v & 0xFFu) {
    case 0x05: case 0x0E: case 0x14: return core::fromBgr(0xFFFFFF);  // window, highlight text, 3D light
    case 0x0D: return core::fromBgr(0x6A240A);                         // highlight
    case 0x0F: case 0x16: return core::fromBgr(kFixedBack);            // button face
    case 0x10: case 0x11: return core::fromBgr(0x808080);              // shadow, grey text
    case 0x18: return core::fromBgr(0xE1FFFF);                         // tool-tip back
    default: return core::fromBgr(0x000000);                           // texts and frames
    }
}

Qt::Alignment toQtAlignment(int alignment, const QString& text) {
    switch (alignment) {
    case FlexGrid::flexAlignLeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case FlexGrid::flexAlignLeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case FlexGrid::flexAlignLeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case FlexGrid::flexAlignCenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case FlexGrid::flexAlignCenterCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case FlexGrid::flexAlignCenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case FlexGrid::flexAlignRightTop: return Qt::AlignRight | Qt::AlignTop;
    case FlexGrid::flexAlignRightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case FlexGrid::flexAlignRightBottom: return Qt::AlignRight | Qt::AlignBottom;
    default: {
        // General: numbers to the right, everything else to the left.
        bool number = false;
        text.trimmed().toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    }
}

// Index range [first, last) of the bands (columns or rows) that overlap
// content positions [from, to), looking only at bands [lo, hi).
std::pair<int, int> bandsIn(const std::vector<int>& edges, int lo, int hi, int from, int to) {
    if (lo >= hi || from >= to) return {lo, lo};
    const auto begin = edges.begin();
    const int first = static_cast<int>(std::upper_bound(begin + lo + 1, begin + hi + 1, from) - begin) - 1;
    if (first >= hi) return {hi, hi};
    const int last = static_cast<int>(std::lower_bound(begin + first, begin + hi, to) - begin);
    return {first, last};
}

// The band holding content position pos among bands [lo, hi), or -1.
int bandAt(const std::vector<int>& edges, int lo, int hi, int pos) {
    if (lo >= hi || pos < edges[lo] || pos >= edges[hi]) return -1;
    const auto begin = edges.begin();
    return static_cast<int>(std::upper_bound(begin + lo + 1, begin + hi + 1, pos) - begin) - 1;
}

}  // namespace

struct FlexGrid::Private {
    struct Cell {
        QString text;
        int back = 0;
        int fore = 0;
        float points = 0;  // 0: the widget font's size
        bool hasBack = false;
        bool hasFore = false;
    };
    struct Column {
        int widthTwips = -1;  // -1: the default width
        int alignment = flexAlignGeneral;
        bool merge = false;
    };

    int rows = 2;
    int cols = 2;
    int fixedRows = 1;
    int fixedCols = 1;
    int row = 1;
    int col = 1;
    std::vector<Cell> cells = std::vector<Cell>(4);
    std::vector<Column> columns = std::vector<Column>(2);
    std::vector<char> rowMerge = std::vector<char>(2, 0);
    int mergeMode = flexMergeNever;
    int rowHeightMinTwips = 0;
    bool redraw = true;
    QString toolTip;
    int paints = 0;

    // Laid out on demand, never by setters, so batches stay cheap.
    bool mergesDirty = true;
    std::vector<QRect> blocks;
    bool geometryDirty = true;
    int laidOutForWidth = -1;
    QFont laidOutForFont;
    std::vector<int> colX;  // cols + 1 content edges, stretched to the viewport
    std::vector<int> rowY;  // rows + 1 content edges

    bool inRange(int r, int c) const { return r >= 0 && r < rows && c >= 0 && c < cols; }
    Cell& cell(int r, int c) { return cells[static_cast<std::size_t>(r) * cols + c]; }
    const Cell& cell(int r, int c) const { return cells[static_cast<std::size_t>(r) * cols + c]; }
    bool isFixed(int r, int c) const { return r < fixedRows || c < fixedCols; }

    int backAt(int r, int c) const {
        const Cell& x = cell(r, c);
        return x.hasBack ? x.back : (isFixed(r, c) ? kFixedBack : kNormalBack);
    }
    int foreAt(int r, int c) const {
        const Cell& x = cell(r, c);
        return x.hasFore ? x.fore : kDefaultFore;
    }

    void reshape(int newRows, int newCols) {
        std::vector<Cell> next(static_cast<std::size_t>(newRows) * newCols);
        const int keepRows = std::min(rows, newRows);
        const int keepCols = std::min(cols, newCols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                next[static_cast<std::size_t>(r) * newCols + c] = std::move(cell(r, c));
        cells = std::move(next);
        rows = newRows;
        cols = newCols;
        columns.resize(static_cast<std::size_t>(newCols));
        rowMerge.resize(static_cast<std::size_t>(newRows), 0);
        mergesDirty = true;
        geometryDirty = true;
    }

    void ensureMerges() {
        if (!mergesDirty && blocks.size() == cells.size()) return;
        MergeInput in;
        in.rows = rows;
        in.cols = cols;
        in.fixedRows = fixedRows;
        in.fixedCols = fixedCols;
        in.freeMerge = mergeMode == flexMergeFree;
        if (in.freeMerge) {
            in.texts.reserve(cells.size());
            for (const Cell& x : cells) in.texts.push_back(x.text);
            in.mergeRows.assign(rowMerge.begin(), rowMerge.end());
            in.mergeCols.reserve(columns.size());
            for (const Column& column : columns) in.mergeCols.push_back(column.merge);
        }
        const MergeLayout layout(in);
        blocks.resize(cells.size());
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) blocks[static_cast<std::size_t>(r) * cols + c] = layout.block(r, c);
        mergesDirty = false;
    }

    void ensureGeometry(const QFont& font, int viewportWidth) {
        if (!geometryDirty && laidOutForWidth == viewportWidth && laidOutForFont == font &&
            colX.size() == static_cast<std::size_t>(cols) + 1 && rowY.size() == static_cast<std::size_t>(rows) + 1)
            return;
        std::vector<int> widths(static_cast<std::size_t>(cols));
        int fixedWidth = 0;
        int scrollingWidth = 0;
        int stretchable = 0;
        for (int c = 0; c < cols; ++c) {
            const int twips = columns[c].widthTwips < 0 ? kDefaultColWidthTwips : columns[c].widthTwips;
            widths[c] = core::twipsToPixels(twips);
            if (c < fixedCols) {
                fixedWidth += widths[c];
            } else {
                scrollingWidth += widths[c];
                if (widths[c] > 0) ++stretchable;
            }
        }
        // A short grid fills the width: the spare pixels go evenly to the
        // scrolling columns, so a week of day columns spans the screen.
        const int spare = viewportWidth - fixedWidth - scrollingWidth;
        if (spare > 0 && stretchable > 0) {
            int share = spare / stretchable;
            int leftover = spare % stretchable;
            for (int c = fixedCols; c < cols; ++c) {
                if (widths[c] == 0) continue;
                widths[c] += share + (leftover > 0 ? 1 : 0);
                if (leftover > 0) --leftover;
            }
        }
        colX.assign(static_cast<std::size_t>(cols) + 1, 0);
        for (int c = 0; c < cols; ++c) colX[c + 1] = colX[c] + widths[c];

        QFont sized = font;
        std::map<float, int> heightOfSize;
        const auto heightFor = [&](float points) {
            auto it = heightOfSize.find(points);
            if (it != heightOfSize.end()) return it->second;
            if (points > 0) sized.setPointSizeF(points);
            const int h = QFontMetrics(points > 0 ? sized : font).height();
            heightOfSize.emplace(points, h);
            return h;
        };
        const int minHeight = core::twipsToPixels(rowHeightMinTwips);
        const int plainHeight = heightFor(0) + kRowPadding;
        rowY.assign(static_cast<std::size_t>(rows) + 1, 0);
        for (int r = 0; r < rows; ++r) {
            int textHeight = plainHeight;
            for (int c = 0; c < cols; ++c) {
                const float points = cell(r, c).points;
                if (points > 0) textHeight = std::max(textHeight, heightFor(points) + kRowPadding);
            }
            rowY[r + 1] = rowY[r] + std::max(minHeight, textHeight);
        }
        geometryDirty = false;
        laidOutForWidth = viewportWidth;
        laidOutForFont = font;
    }

    int fixedWidth() const { return colX[fixedCols]; }
    int fixedHeight() const { return rowY[fixedRows]; }
};

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent), d(new Private) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

FlexGrid::~FlexGrid() {
    delete d;
}

// ---- shape

int FlexGrid::Rows() const {
    return d->rows;
}

void FlexGrid::setRows(int rows) {
    if (rows == d->rows || rows < d->fixedRows || rows > kMaxRows ||
        static_cast<long long>(rows) * d->cols > kMaxCells)
        return;
    d->reshape(rows, d->cols);
    const bool moved = d->row >= rows;
    if (moved) d->row = rows - 1;
    shapeChanged(moved);
}

int FlexGrid::Cols() const {
    return d->cols;
}

void FlexGrid::setCols(int cols) {
    if (cols == d->cols || cols < d->fixedCols || cols > kMaxCols ||
        static_cast<long long>(cols) * d->rows > kMaxCells)
        return;
    d->reshape(d->rows, cols);
    const bool moved = d->col >= cols;
    if (moved) d->col = cols - 1;
    shapeChanged(moved);
}

// After any change of shape: lay out again when drawing is on, and tell
// listeners when the current cell had to move inside the new shape.
void FlexGrid::shapeChanged(bool currentMoved) {
    if (d->redraw) {
        updateScrollRanges();
        viewport()->update();
    }
    if (currentMoved) emit EnterCell();
}

int FlexGrid::FixedRows() const {
    return d->fixedRows;
}

void FlexGrid::setFixedRows(int rows) {
    if (rows < 0 || rows >= d->rows || rows == d->fixedRows) return;
    d->fixedRows = rows;
    d->mergesDirty = true;
    d->geometryDirty = true;
    shapeChanged(false);
}

int FlexGrid::FixedCols() const {
    return d->fixedCols;
}

void FlexGrid::setFixedCols(int cols) {
    if (cols < 0 || cols >= d->cols || cols == d->fixedCols) return;
    d->fixedCols = cols;
    d->mergesDirty = true;
    d->geometryDirty = true;
    shapeChanged(false);
}

// ---- current cell

int FlexGrid::Row() const {
    return d->row;
}

void FlexGrid::setRow(int row) {
    if (row < 0 || row >= d->rows || row == d->row) return;
    d->row = row;
    if (d->redraw) viewport()->update();
    emit EnterCell();
}

int FlexGrid::Col() const {
    return d->col;
}

void FlexGrid::setCol(int col) {
    if (col < 0 || col >= d->cols || col == d->col) return;
    d->col = col;
    if (d->redraw) viewport()->update();
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
    if (!d->inRange(d->row, d->col)) return;
    Private::Cell& x = d->cell(d->row, d->col);
    x.back = bgr;
    x.hasBack = true;
    if (d->redraw) viewport()->update();
}

int FlexGrid::CellForeColor() const {
    return CellForeColorAt(d->row, d->col);
}

void FlexGrid::setCellForeColor(int bgr) {
    if (!d->inRange(d->row, d->col)) return;
    Private::Cell& x = d->cell(d->row, d->col);
    x.fore = bgr;
    x.hasFore = true;
    if (d->redraw) viewport()->update();
}

double FlexGrid::CellFontSize() const {
    if (d->inRange(d->row, d->col) && d->cell(d->row, d->col).points > 0) return d->cell(d->row, d->col).points;
    return QFontInfo(font()).pointSizeF();
}

void FlexGrid::setCellFontSize(double points) {
    if (!d->inRange(d->row, d->col) || !std::isfinite(points) || points <= 0) return;
    d->cell(d->row, d->col).points = static_cast<float>(std::clamp(points, kMinPoints, kMaxPoints));
    d->geometryDirty = true;
    if (d->redraw) {
        updateScrollRanges();
        viewport()->update();
    }
}

// ---- behaviour

int FlexGrid::MergeCells() const {
    return d->mergeMode;
}

void FlexGrid::setMergeCells(int mode) {
    if ((mode != flexMergeNever && mode != flexMergeFree) || mode == d->mergeMode) return;
    d->mergeMode = mode;
    d->mergesDirty = true;
    if (d->redraw) viewport()->update();
}

int FlexGrid::RowHeightMin() const {
    return d->rowHeightMinTwips;
}

void FlexGrid::setRowHeightMin(int twips) {
    twips = std::clamp(twips, 0, kMaxRowHeightMinTwips);
    if (twips == d->rowHeightMinTwips) return;
    d->rowHeightMinTwips = twips;
    d->geometryDirty = true;
    if (d->redraw) {
        updateScrollRanges();
        viewport()->update();
    }
}

bool FlexGrid::Redraw() const {
    return d->redraw;
}

void FlexGrid::setRedraw(bool on) {
    d->redraw = on;
    if (!on) return;
    updateScrollRanges();
    viewport()->update();
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
    for (Private::Cell& x : d->cells) x = Private::Cell();
    d->mergesDirty = true;
    d->geometryDirty = true;
    if (d->redraw) {
        updateScrollRanges();
        viewport()->update();
    }
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return d->inRange(row, col) ? d->cell(row, col).text : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (!d->inRange(row, col)) return;
    d->cell(row, col).text = text;
    d->mergesDirty = true;
    if (d->redraw) viewport()->update();
}

bool FlexGrid::MergeRow(int row) const {
    return row >= 0 && row < d->rows && d->rowMerge[row];
}

void FlexGrid::SetMergeRow(int row, bool allowed) {
    if (row < 0 || row >= d->rows) return;
    d->rowMerge[row] = allowed;
    d->mergesDirty = true;
    if (d->redraw) viewport()->update();
}

bool FlexGrid::MergeCol(int col) const {
    return col >= 0 && col < d->cols && d->columns[col].merge;
}

void FlexGrid::SetMergeCol(int col, bool allowed) {
    if (col < 0 || col >= d->cols) return;
    d->columns[col].merge = allowed;
    d->mergesDirty = true;
    if (d->redraw) viewport()->update();
}

int FlexGrid::ColAlignment(int col) const {
    return col >= 0 && col < d->cols ? d->columns[col].alignment : flexAlignGeneral;
}

void FlexGrid::SetColAlignment(int col, int alignment) {
    if (col < 0 || col >= d->cols || alignment < flexAlignLeftTop || alignment > flexAlignGeneral) return;
    d->columns[col].alignment = alignment;
    if (d->redraw) viewport()->update();
}

int FlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= d->cols) return 0;
    return d->columns[col].widthTwips < 0 ? kDefaultColWidthTwips : d->columns[col].widthTwips;
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= d->cols) return;
    d->columns[col].widthTwips = twips < 0 ? -1 : std::min(twips, kMaxColWidthTwips);
    d->geometryDirty = true;
    if (d->redraw) {
        updateScrollRanges();
        viewport()->update();
    }
}

int FlexGrid::CellBackColorAt(int row, int col) const {
    return d->inRange(row, col) ? d->backAt(row, col) : 0;
}

int FlexGrid::CellForeColorAt(int row, int col) const {
    return d->inRange(row, col) ? d->foreAt(row, col) : 0;
}

QRect FlexGrid::MergedBlock(int row, int col) const {
    if (!d->inRange(row, col)) return QRect();
    d->ensureMerges();
    return d->blocks[static_cast<std::size_t>(row) * d->cols + col];
}

int FlexGrid::paintCount() const {
    return d->paints;
}

QRect FlexGrid::cellRect(int row, int col) const {
    if (!d->inRange(row, col)) return QRect();
    d->ensureGeometry(font(), viewport()->width());
    const int dx = col < d->fixedCols ? 0 : horizontalScrollBar()->value();
    const int dy = row < d->fixedRows ? 0 : verticalScrollBar()->value();
    return QRect(QPoint(d->colX[col] - dx, d->rowY[row] - dy),
                 QPoint(d->colX[col + 1] - dx - 1, d->rowY[row + 1] - dy - 1));
}

// ---- layout, input and painting

void FlexGrid::updateScrollRanges() {
    d->ensureGeometry(font(), viewport()->width());
    const QSize view = viewport()->size();
    const int totalWidth = d->colX.back();
    const int totalHeight = d->rowY.back();
    horizontalScrollBar()->setPageStep(std::max(1, view.width() - d->fixedWidth()));
    verticalScrollBar()->setPageStep(std::max(1, view.height() - d->fixedHeight()));
    horizontalScrollBar()->setRange(0, std::max(0, totalWidth - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, totalHeight - view.height()));
}

bool FlexGrid::cellAt(const QPoint& pos, int* row, int* col) const {
    d->ensureGeometry(font(), viewport()->width());
    const int x = pos.x() < d->fixedWidth() ? pos.x() : pos.x() + horizontalScrollBar()->value();
    const int y = pos.y() < d->fixedHeight() ? pos.y() : pos.y() + verticalScrollBar()->value();
    const int c = pos.x() < d->fixedWidth() ? bandAt(d->colX, 0, d->fixedCols, x) : bandAt(d->colX, d->fixedCols, d->cols, x);
    const int r = pos.y() < d->fixedHeight() ? bandAt(d->rowY, 0, d->fixedRows, y) : bandAt(d->rowY, d->fixedRows, d->rows, y);
    if (r < 0 || c < 0) return false;
    *row = r;
    *col = c;
    return true;
}

void FlexGrid::moveCurrent(int row, int col) {
    if (!d->inRange(row, col) || (row == d->row && col == d->col)) return;
    d->row = row;
    d->col = col;
    if (d->redraw) viewport()->update();
    emit EnterCell();
}

void FlexGrid::scrollToCell(int row, int col) {
    if (!d->inRange(row, col)) return;
    d->ensureGeometry(font(), viewport()->width());
    const QSize view = viewport()->size();
    if (col >= d->fixedCols) {
        QScrollBar* bar = horizontalScrollBar();
        const int left = d->colX[col] - d->fixedWidth();
        const int right = d->colX[col + 1] - view.width();
        if (bar->value() > left) bar->setValue(left);
        else if (bar->value() < right) bar->setValue(std::min(right, left));
    }
    if (row >= d->fixedRows) {
        QScrollBar* bar = verticalScrollBar();
        const int top = d->rowY[row] - d->fixedHeight();
        const int bottom = d->rowY[row + 1] - view.height();
        if (bar->value() > top) bar->setValue(top);
        else if (bar->value() < bottom) bar->setValue(std::min(bottom, top));
    }
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
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
    // Keys never land on a heading: a current cell set there by code steps
    // into the first scrolling row or column.
    if (d->fixedRows >= d->rows || d->fixedCols >= d->cols) return;
    const int r = std::clamp(d->row + dr, d->fixedRows, d->rows - 1);
    const int c = std::clamp(d->col + dc, d->fixedCols, d->cols - 1);
    moveCurrent(r, c);
    scrollToCell(r, c);
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d->geometryDirty = true;
    updateScrollRanges();
}

void FlexGrid::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        d->geometryDirty = true;
        if (d->redraw) {
            updateScrollRanges();
            viewport()->update();
        }
    }
}

bool FlexGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (d->toolTip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tipDisplay(d->toolTip), viewport());
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // The press was ours, so is its release.
        event->accept();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void FlexGrid::paintEvent(QPaintEvent* event) {
    ++d->paints;
    QPainter painter(viewport());
    painter.fillRect(event->rect(), resolveColor(kBackgroundBeyondCells));
    d->ensureGeometry(font(), viewport()->width());
    d->ensureMerges();

    const QSize view = viewport()->size();
    const int scrollX = horizontalScrollBar()->value();
    const int scrollY = verticalScrollBar()->value();
    const int fixedW = std::min(d->fixedWidth(), view.width());
    const int fixedH = std::min(d->fixedHeight(), view.height());
    const bool showFocus = hasFocus() && !d->isFixed(d->row, d->col);
    const QFont baseFont = font();
    QFont cellFont = baseFont;
    float fontPoints = -1;

    const auto paintBlock = [&](const QRect& block, int offX, int offY) {
        const int r0 = block.top();
        const int c0 = block.left();
        const QRect area(QPoint(d->colX[c0] - offX, d->rowY[r0] - offY),
                         QPoint(d->colX[c0 + block.width()] - offX - 1, d->rowY[r0 + block.height()] - offY - 1));
        if (area.isEmpty()) return;
        const bool fixed = d->isFixed(r0, c0);
        painter.fillRect(area, resolveColor(d->backAt(r0, c0)));
        if (fixed) {
            painter.setPen(Qt::white);
            painter.drawLine(area.topLeft(), area.topRight());
            painter.drawLine(area.topLeft(), area.bottomLeft());
        }
        painter.setPen(resolveColor(fixed ? kGridColorFixed : kGridColor));
        painter.drawLine(area.topRight(), area.bottomRight());
        painter.drawLine(area.bottomLeft(), area.bottomRight());

        const Private::Cell& x = d->cell(r0, c0);
        if (x.text.isEmpty()) return;
        if (x.points != fontPoints) {
            fontPoints = x.points;
            cellFont = baseFont;
            if (fontPoints > 0) cellFont.setPointSizeF(fontPoints);
            painter.setFont(cellFont);
        }
        const QRect textArea = area.adjusted(3, 1, -4, -2);
        if (textArea.width() <= 0 || textArea.height() <= 0) return;
        const QString shown = painter.fontMetrics().elidedText(x.text, Qt::ElideRight, textArea.width());
        painter.setPen(resolveColor(d->foreAt(r0, c0)));
        painter.drawText(textArea, toQtAlignment(d->columns[c0].alignment, x.text) | Qt::TextSingleLine, shown);
    };

    // Four panes: the scrolling cells, then the headings over them, so
    // fixed rows and columns stay put whatever the scroll position.
    struct Pane {
        int rowLo, rowHi, colLo, colHi;
        QRect clip;
        int offX, offY;
    };
    const Pane panes[] = {
        {d->fixedRows, d->rows, d->fixedCols, d->cols, QRect(fixedW, fixedH, view.width() - fixedW, view.height() - fixedH), scrollX, scrollY},
        {0, d->fixedRows, d->fixedCols, d->cols, QRect(fixedW, 0, view.width() - fixedW, fixedH), scrollX, 0},
        {d->fixedRows, d->rows, 0, d->fixedCols, QRect(0, fixedH, fixedW, view.height() - fixedH), 0, scrollY},
        {0, d->fixedRows, 0, d->fixedCols, QRect(0, 0, fixedW, fixedH), 0, 0},
    };
    for (const Pane& pane : panes) {
        const QRect clip = pane.clip.intersected(event->rect());
        if (clip.isEmpty()) continue;
        painter.setClipRect(clip);
        const auto [r1, r2] = bandsIn(d->rowY, pane.rowLo, pane.rowHi, clip.top() + pane.offY, clip.bottom() + 1 + pane.offY);
        const auto [c1, c2] = bandsIn(d->colX, pane.colLo, pane.colHi, clip.left() + pane.offX, clip.right() + 1 + pane.offX);
        for (int r = r1; r < r2; ++r) {
            for (int c = c1; c < c2; ++c) {
                const QRect& block = d->blocks[static_cast<std::size_t>(r) * d->cols + c];
                // A block is painted once, from its first visible cell.
                if (r == std::max(block.top(), r1) && c == std::max(block.left(), c1)) paintBlock(block, pane.offX, pane.offY);
            }
        }
        if (showFocus && &pane == &panes[0]) {
            const QRect& block = d->blocks[static_cast<std::size_t>(d->row) * d->cols + d->col];
            const QRect area(QPoint(d->colX[block.left()] - scrollX, d->rowY[block.top()] - scrollY),
                             QPoint(d->colX[block.left() + block.width()] - scrollX - 2,
                                    d->rowY[block.top() + block.height()] - scrollY - 2));
            painter.setPen(QPen(resolveColor(kDefaultFore), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(1, 1, -1, -1));
        }
    }
}

}  // namespace flexgrid
