#pragma once

#include <QAccessible>
#include <QPointer>

namespace flexgrid {

class FlexGrid;

// A part of the grid that assistive technology reads (a cell, the caption):
// it has no object and no children of its own, sits in the grid's window
// and has the grid for its parent.
class GridPartAccessible : public QAccessibleInterface {
public:
    explicit GridPartAccessible(FlexGrid* grid) : grid_(grid) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<FlexGrid> grid_;
};

}  // namespace flexgrid
