#include "host/controls/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace controls {

namespace {

const QColor kInk(0x30, 0x30, 0x30);

QPen pen(const QColor& color, double width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

QIcon ToolbarIcons::forCommand(const QString& name) {
    const struct {
        const char* name;
        void (*draw)(QPainter&);
    } pictures[] = {
        {"Nuevo", page},          {"Modificar", pencil}, {"Consultar", magnifier},
        {"Eliminar", bin},        {"Imprimir", printer}, {"Aceptar", tick},
        {"Cancelar", undoArrow},  {"Salir", doorOut},    {"Cerrar", windowCross},
    };
    for (const auto& picture : pictures) {
        if (name != QLatin1String(picture.name)) continue;
        QIcon icon;
        // Drawn at each size rather than scaled, so thin lines stay sharp.
        for (const int size : {16, 32}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            picture.draw(p);
            p.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }
    return {};
}

void ToolbarIcons::page(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(3, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(3, 14.5);
    sheet.closeSubpath();
    p.setPen(pen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
    p.setPen(pen(QColor(0x1E, 0x8C, 0x2E), 2));
    p.drawLine(QPointF(12, 9.5), QPointF(12, 15));
    p.drawLine(QPointF(9.25, 12.25), QPointF(14.75, 12.25));
}

void ToolbarIcons::pencil(QPainter& p) {
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(0xF2, 0xB7, 0x2F));
    p.drawRect(QRectF(-4.5, -2, 9, 4));
    p.setBrush(QColor(0xE0, 0x6C, 0x75));
    p.drawRect(QRectF(4.5, -2, 2, 4));
    p.setBrush(QColor(0xF5, 0xDE, 0xB3));
    p.drawPolygon(QPolygonF({{-4.5, -2}, {-7.5, 0}, {-4.5, 2}}));
}

void ToolbarIcons::magnifier(QPainter& p) {
    p.setPen(pen(kInk, 2.5));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(pen(QColor(0x1F, 0x5F, 0xA8), 1.75));
    p.setBrush(QColor(0xD6, 0xE8, 0xF7));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
}

void ToolbarIcons::bin(QPainter& p) {
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(0xB0, 0xB6, 0xBC));
    p.drawPolygon(QPolygonF({{3.5, 4.5}, {12.5, 4.5}, {11.5, 14.5}, {4.5, 14.5}}));
    p.drawRect(QRectF(2, 3, 12, 1.5));
    p.drawRect(QRectF(6, 1.5, 4, 1.5));
    for (const double x : {6.5, 8.0, 9.5}) p.drawLine(QPointF(x, 6.5), QPointF(x, 12.5));
}

void ToolbarIcons::printer(QPainter& p) {
    p.setPen(pen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0x8A, 0x94, 0x9E));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.setPen(pen(QColor(0x2E, 0xA0, 0x44), 1.5));
    p.drawPoint(QPointF(12.5, 8));
}

void ToolbarIcons::tick(QPainter& p) {
    p.setPen(pen(QColor(0x1E, 0x8C, 0x2E), 3));
    p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
}

void ToolbarIcons::undoArrow(QPainter& p) {
    // Back the way one came: the action under way is dropped, the screen stays.
    const QColor red(0xC6, 0x28, 0x28);
    p.setPen(pen(red, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(4.5, 6);
    curve.lineTo(9.5, 6);
    curve.cubicTo(15, 6, 15, 14, 9.5, 14);
    curve.lineTo(5, 14);
    p.drawPath(curve);
    p.setBrush(red);
    p.setPen(pen(red, 1));
    p.drawPolygon(QPolygonF({{1, 6}, {5.5, 2}, {5.5, 10}}));
}

void ToolbarIcons::doorOut(QPainter& p) {
    // An open door with the way out beside it: leaves the screen.
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(0x9C, 0x6B, 0x3C));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {7.5, 3}, {7.5, 15}, {1.5, 14.5}}));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{7.5, 3}, {9.5, 1.5}, {1.5, 1.5}}));
    const QColor blue(0x1F, 0x5F, 0xA8);
    p.setPen(pen(blue, 2));
    p.drawLine(QPointF(9, 8.5), QPointF(13, 8.5));
    p.setPen(pen(blue, 1));
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({{15.5, 8.5}, {12, 5}, {12, 12}}));
}

void ToolbarIcons::windowCross(QPainter& p) {
    // A window with its title bar: the whole screen closes.
    p.setPen(pen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(0x1F, 0x5F, 0xA8));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(pen(QColor(0xC6, 0x28, 0x28), 1.75));
    p.drawLine(QPointF(6, 7.5), QPointF(10, 11.5));
    p.drawLine(QPointF(10, 7.5), QPointF(6, 11.5));
}

}  // namespace controls
