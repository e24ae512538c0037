#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/flexgrid/cellstore.h"
#include "platform/flexgrid/gridgeometry.h"
#include "platform/flexgrid/mergelayout.h"

class QPainter;

namespace flexgrid {

// Paints a laid-out grid into its viewport: the grey beyond the cells, then
// four panes (the scrolling cells, then the headings over them, so fixed
// rows and columns stay put whatever the scroll position), each block of
// merged cells once, and the focus frame on the current cell.
class GridPainter {
public:
    static constexpr int kFocusWidth = 2;  // pixels of the focus frame

    struct View {
        QSize size;          // of the viewport
        QPoint scroll;       // scroll bar values
        QRect dirty;         // what needs painting
        bool focus = false;  // frame the current cell
        int row = 0;         // the current cell
        int col = 0;
    };

    GridPainter(QPainter& painter, const CellStore& store, const GridGeometry& geometry, const MergeLayout& merges,
                const QFont& font);
    void paint(const View& view);

private:
    struct Pane;
    void paintPane(const Pane& pane, const QRect& clip);
    void paintBlock(const QRect& block, const QPoint& offset);
    void paintFrame(const QRect& area, bool fixed);
    void paintText(const QRect& area, int row, int col);
    void useFontOf(float points);
    void paintFocus(const View& view);

    QPainter& painter_;
    const CellStore& store_;
    const GridGeometry& geometry_;
    const MergeLayout& merges_;
    const QFont font_;
    float fontPoints_ = -1;  // of the font set on the painter; -1: none set yet
};

}  // namespace flexgrid
