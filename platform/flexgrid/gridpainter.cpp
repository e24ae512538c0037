#include "platform/flexgrid/gridpainter.h"

#include <algorithm>

#include <QPainter>

#include "platform/core/contrast.h"
#include "platform/core/units.h"

namespace flexgrid {

namespace {

constexpr int kGridColor = 0xC0C0C0;
constexpr int kGridColorFixed = 0x808080;
constexpr int kBackgroundBeyondCells = 0x808080;

// Screen colours may name a system colour (high bit set, index in the low
// byte); these are the classic desktop values the screens were drawn with.
QColor resolveColor(int value) {
    const quint32 v = static_cast<quint32>(value);
    if ((v & 0x80000000u) == 0) return core::fromBgr(v & 0xFFFFFFu);
    switch (v & 0xFFu) {
    case 0x05: case 0x0E: case 0x14: return core::fromBgr(0xFFFFFF);  // window, highlight text, 3D light
    case 0x0D: return core::fromBgr(0x6A240A);                         // highlight
    case 0x0F: case 0x16: return core::fromBgr(CellStore::kFixedBack);  // button face
    case 0x10: case 0x11: return core::fromBgr(0x808080);              // shadow, grey text
    case 0x18: return core::fromBgr(0xE1FFFF);                         // tool-tip back
    default: return core::fromBgr(0x000000);                           // texts and frames
    }
}

// The grid's alignments in their order: left, centre, right, each top,
// centre, bottom; then general.
Qt::Alignment toQtAlignment(int alignment, const QString& text) {
    static const Qt::Alignment kFixed[] = {
        Qt::AlignLeft | Qt::AlignTop,     Qt::AlignLeft | Qt::AlignVCenter,     Qt::AlignLeft | Qt::AlignBottom,
        Qt::AlignHCenter | Qt::AlignTop,  Qt::AlignHCenter | Qt::AlignVCenter,  Qt::AlignHCenter | Qt::AlignBottom,
        Qt::AlignRight | Qt::AlignTop,    Qt::AlignRight | Qt::AlignVCenter,    Qt::AlignRight | Qt::AlignBottom,
    };
    if (alignment >= 0 && alignment < CellStore::kGeneralAlignment) return kFixed[alignment];
    // General: numbers to the right, everything else to the left.
    bool number = false;
    text.trimmed().toDouble(&number);
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

}  // namespace

// The cells of rows [rowLo, rowHi) and columns [colLo, colHi), drawn inside
// clip and moved by offset.
struct GridPainter::Pane {
    int rowLo, rowHi, colLo, colHi;
    QRect clip;
    QPoint offset;
};

GridPainter::GridPainter(QPainter& painter, const CellStore& store, const GridGeometry& geometry,
                         const MergeLayout& merges, const QFont& font)
    : painter_(painter), store_(store), geometry_(geometry), merges_(merges), font_(font) {}

void GridPainter::paint(const View& view) {
    painter_.fillRect(view.dirty, resolveColor(kBackgroundBeyondCells));
    const int w = view.size.width();
    const int h = view.size.height();
    const int fixedW = std::min(geometry_.fixedWidth(), w);
    const int fixedH = std::min(geometry_.fixedHeight(), h);
    const int rows = store_.rows();
    const int cols = store_.cols();
    const int fr = store_.fixedRows();
    const int fc = store_.fixedCols();
    const QPoint s = view.scroll;
    const Pane panes[] = {
        {fr, rows, fc, cols, QRect(fixedW, fixedH, w - fixedW, h - fixedH), s},
        {0, fr, fc, cols, QRect(fixedW, 0, w - fixedW, fixedH), QPoint(s.x(), 0)},
        {fr, rows, 0, fc, QRect(0, fixedH, fixedW, h - fixedH), QPoint(0, s.y())},
        {0, fr, 0, fc, QRect(0, 0, fixedW, fixedH), QPoint()},
    };
    for (const Pane& pane : panes) {
        const QRect clip = pane.clip.intersected(view.dirty);
        if (clip.isEmpty()) continue;
        painter_.setClipRect(clip);
        paintPane(pane, clip);
        if (view.focus && &pane == &panes[0]) paintFocus(view);
    }
}

// A block is painted once, from its first visible cell.
void GridPainter::paintPane(const Pane& pane, const QRect& clip) {
    const QPoint off = pane.offset;
    const auto [r1, r2] = geometry_.rowsIn(pane.rowLo, pane.rowHi, clip.top() + off.y(), clip.bottom() + 1 + off.y());
    const auto [c1, c2] = geometry_.colsIn(pane.colLo, pane.colHi, clip.left() + off.x(), clip.right() + 1 + off.x());
    for (int r = r1; r < r2; ++r) {
        for (int c = c1; c < c2; ++c) {
            const QRect block = merges_.block(r, c);
            if (r == std::max(block.top(), r1) && c == std::max(block.left(), c1)) paintBlock(block, off);
        }
    }
}

// A merged block shows its first cell's colours and text.
void GridPainter::paintBlock(const QRect& block, const QPoint& offset) {
    const QRect area = geometry_.area(block, offset);
    if (area.isEmpty()) return;
    const int r = block.top();
    const int c = block.left();
    painter_.fillRect(area, resolveColor(store_.back(r, c)));
    paintFrame(area, store_.isFixed(r, c));
    paintText(area, r, c);
}

// Headings look raised: a light edge top and left, a darker line right and
// below. Other cells get only the grid line right and below.
void GridPainter::paintFrame(const QRect& area, bool fixed) {
    if (fixed) {
        painter_.setPen(Qt::white);
        painter_.drawLine(area.topLeft(), area.topRight());
        painter_.drawLine(area.topLeft(), area.bottomLeft());
    }
    painter_.setPen(resolveColor(fixed ? kGridColorFixed : kGridColor));
    painter_.drawLine(area.topRight(), area.bottomRight());
    painter_.drawLine(area.bottomLeft(), area.bottomRight());
}

void GridPainter::paintText(const QRect& area, int row, int col) {
    const QString text = store_.text(row, col);
    if (text.isEmpty()) return;
    useFontOf(store_.points(row, col));
    const QRect textArea = area.adjusted(3, 1, -4, -2);
    if (textArea.width() <= 0 || textArea.height() <= 0) return;
    const QString shown = painter_.fontMetrics().elidedText(text, Qt::ElideRight, textArea.width());
    painter_.setPen(resolveColor(store_.fore(row, col)));
    painter_.drawText(textArea, toQtAlignment(store_.alignment(col), text) | Qt::TextSingleLine, shown);
}

// Most cells share a size, so the font changes only when the size does.
void GridPainter::useFontOf(float points) {
    if (points == fontPoints_) return;
    fontPoints_ = points;
    QFont font = font_;
    if (points > 0) font.setPointSizeF(points);
    painter_.setFont(font);
}

// A solid frame inside the cell's grid lines, black or white by the fill,
// so it stands out on free, reserved and non-working cells alike.
void GridPainter::paintFocus(const View& view) {
    const QRect block = merges_.block(view.row, view.col);
    const QRect r = geometry_.area(block, view.scroll).adjusted(0, 0, -1, -1);
    const QColor mark = core::strongestOn(resolveColor(store_.back(block.top(), block.left())));
    const int w = kFocusWidth;
    painter_.fillRect(QRect(r.left(), r.top(), r.width(), w), mark);
    painter_.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), mark);
    painter_.fillRect(QRect(r.left(), r.top(), w, r.height()), mark);
    painter_.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), mark);
}

}  // namespace flexgrid
