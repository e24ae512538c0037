#pragma once

#include <QString>

class QWidget;

namespace app {

// Opens the calendar's reservation editor as a double-click would, driving
// the screen by name only. target is a slot of the period shown,
// "AAAA-MM-DDThh:mm", or a folio shown in the grid. Returns once the editor
// has been left; false with error when no such cell is shown.
bool openEditorOn(QWidget* calendar, const QString& target, QString& error);

// Saves the editor into a PNG as soon as it is up (after its accept command
// when accept is set), then leaves it; the editor is opened afterwards by
// openEditorOn.
void captureEditorWhenShown(const QString& file, bool accept, bool& saved);

}  // namespace app
