#pragma once

#include "platform/flexgrid/gridpartaccessible.h"

namespace flexgrid {

// The grid's caption as assistive technology reads it: what the grid shows,
// as the grid's accessible speech puts it.
class GridCaptionAccessible : public GridPartAccessible {
public:
    explicit GridCaptionAccessible(FlexGrid* grid);

    bool isValid() const override { return !grid_.isNull(); }
    QString text(QAccessible::Text type) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override { return {}; }
};

}  // namespace flexgrid
