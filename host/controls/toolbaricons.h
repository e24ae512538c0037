#pragma once

#include <QIcon>
#include <QString>

class QPainter;

namespace controls {

// The toolbar's command pictures, drawn here rather than taken from the
// desktop theme: themes draw cancel, exit and close as the same cross, and a
// person must tell those three apart at a glance.
class ToolbarIcons {
public:
    // The picture of a command by its name ("Nuevo", "Cancelar", ...); an
    // unknown name gets an empty icon.
    static QIcon forCommand(const QString& name);

private:
    // Each draws on a 16 x 16 square.
    static void page(QPainter& p);
    static void pencil(QPainter& p);
    static void magnifier(QPainter& p);
    static void bin(QPainter& p);
    static void printer(QPainter& p);
    static void tick(QPainter& p);
    static void undoArrow(QPainter& p);
    static void doorOut(QPainter& p);
    static void windowCross(QPainter& p);
};

}  // namespace controls
