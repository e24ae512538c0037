#pragma once

#include <QAccessible>
#include <QPointer>

namespace flexgrid {

class FlexGrid;

// The grid's caption as assistive technology reads it: what the grid shows,
// as the grid's accessible speech puts it.
class GridCaptionAccessible : public QAccessibleInterface {
public:
    explicit GridCaptionAccessible(FlexGrid* grid);

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<FlexGrid> grid_;
};

}  // namespace flexgrid
