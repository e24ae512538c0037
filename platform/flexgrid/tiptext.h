#pragma once

#include <QString>

namespace flexgrid {

// The rich text a tool tip shows for a tip that comes from the screens'
// data: the text exactly as typed, never read as markup.
QString tipDisplay(const QString& text);

}  // namespace flexgrid
