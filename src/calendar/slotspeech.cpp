#include "src/calendar/slotspeech.h"

#include <QLocale>
#include <QStringList>

#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/calendargrid.h"
#include "src/calendar/frmrs501.h"
#include "src/shell/ifunciones.h"
#include "src/shell/publico.h"

namespace calendar {

namespace {

// The words around the names are Spanish, so are the names of days and months.
const QLocale& spoken() {
    static const QLocale locale(QLocale::Spanish, QLocale::Mexico);
    return locale;
}

// The holder of a folio, as the tip finds it; a failed look-up leaves the
// name out rather than stopping a screen reader.
QString holderOf(const QString& folio) {
    try {
        return shell::Publico::Funciones()->BuscarDescripcion(QStringLiteral("Reservacion_Sala_Junta"),
                                                             QStringLiteral("Rsj_Folio"), folio,
                                                             QStringLiteral("Rsj_Responsable"), 0, QString(),
                                                             QString(), QString());
    } catch (const std::exception&) {
        return QString();
    }
}

QString cellSpeech(const frmRS501& screen, const flexgrid::FlexGrid& g, int row, int col) {
    const QVariantList fechas = screen.Fechas();
    const QDate day = col < fechas.size() ? fechas.at(col).toDate() : QDate();
    const bool heading = row < g.FixedRows() || col < g.FixedCols();
    if (heading) return row == g.FixedRows() - 1 && day.isValid() ? spokenDay(day) : g.TextMatrix(row, col).trimmed();
    const int colour = g.CellBackColorAt(row, col);
    SlotFacts facts{day, g.TextMatrix(row, 0), slotEnd(g.TextMatrix(row, 0)),
                    colour == kGreen || colour == kBlue || colour == kSilver, colour == kSilver,
                    g.TextMatrix(row, col), QString()};
    if (!facts.folio.isEmpty()) facts.responsable = holderOf(facts.folio);
    return slotSpeech(facts);
}

}  // namespace

QString spokenDay(const QDate& day) {
    return spoken().toString(day, QStringLiteral("dddd d 'de' MMMM"));
}

QString slotSpeech(const SlotFacts& f) {
    QStringList parts{spokenDay(f.day), QStringLiteral("%1 a %2").arg(f.start, f.end)};
    if (f.painted && f.inhabil) parts << QStringLiteral("inhábil");
    if (!f.folio.isEmpty())
        parts << QStringLiteral("reservado") << QStringLiteral("folio ") + f.folio;
    else if (f.painted && !f.inhabil)
        parts << QStringLiteral("disponible");
    if (!f.folio.isEmpty() && !f.responsable.isEmpty()) parts << f.responsable;
    return parts.join(QStringLiteral(", "));
}

QString gridCaption(const QString& roomName, const QDate& inicio, const QDate& fin, const QString& tipo) {
    const QString room = roomName.isEmpty() ? QStringLiteral("Sin sala elegida") : roomName;
    if (tipo.compare(QLatin1String("m"), Qt::CaseInsensitive) == 0)
        return room + QStringLiteral(", mes de ") + spoken().toString(inicio, QStringLiteral("MMMM 'de' yyyy"));
    const QDate last = fin.addDays(-1);
    const QString day = QStringLiteral("dddd d 'de' MMMM");
    const QString year = QStringLiteral(" 'de' yyyy");
    return room + QStringLiteral(", semana del %1 al %2")
                      .arg(spoken().toString(inicio, inicio.year() == last.year() ? day : day + year),
                           spoken().toString(last, day + year));
}

void speakGrid(const frmRS501& screen, const CalendarControls& ui) {
    const flexgrid::FlexGrid* g = ui.msfDisponibilidad;
    const QLabel* room = ui.txtNSalaJunta;
    ui.msfDisponibilidad->setAccessibleSpeech(
        [&screen, g](int row, int col) { return cellSpeech(screen, *g, row, col); },
        [&screen, room] { return gridCaption(room->text(), screen.Inicio(), screen.Fin(), screen.Tipo()); });
}

}  // namespace calendar
