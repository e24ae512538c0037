#pragma once

class QWidget;

namespace reservation {

// The editor's designed client area, in twips.
constexpr int kFormWidthTwips = 8175;
constexpr int kFormHeightTwips = 5250;

// Creates every control of the editor on form as designed: named, placed,
// in tab order, tagged with its group and given its design-time properties.
// Throws core::Error when the host lacks a control or one of its properties.
void buildEditor(QWidget* form);

// The only sizes that follow the form: the responsible-person and purpose
// boxes, in twips.
struct EditorGeometry {
    float responsableWidth = 5535;
    float propositoWidth = 5535;
    float propositoHeight = 1695;
};

// Fits the two boxes to a form whose inner area is width x height twips,
// keeping a right and bottom margin of 120. Each step stands alone: one that
// would give a negative size is skipped and keeps the previous size.
EditorGeometry fitEditor(EditorGeometry g, float width, float height);

}  // namespace reservation
