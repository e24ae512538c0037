#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <QLineEdit>
#include <QTest>

#include "host/controls/controllibrary.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "host/services/servicelibrary.h"
#include "platform/component/runtime.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/frmrs501.h"
#include "src/shell/publico.h"
#include "tests/support/recordingconnection.h"
#include "tests/support/testdatabase.h"

namespace testsupport {

// The calendar screen on a fresh database of each engine, with the host's
// services and controls registered as the host application does.
class CalendarTest : public BackendTest {
protected:
    static constexpr int kGreen = 0x00FF00, kBlue = 0xFF0000, kSilver = 0xC0C0C0, kWhite = 0xFFFFFF, kBlack = 0;

    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        schema::Schema::ensure(*conn);
        conn->Execute("INSERT INTO Sala_Junta (Sj_Cve_Sala_Junta, Sj_Descripcion, Es_Cve_Estado) VALUES "
                      "('0000000001', 'Sala Juárez', 'AC'), ('0000000002', 'Sala Hidalgo', 'AC'), "
                      "('0000000006', 'Sala retirada', 'BA')");
        static const bool registered = [] {
            services::ServiceLibrary::registerAll(component::Runtime::instance());
            controls::ControlLibrary::registerAll(component::Runtime::instance());
            return true;
        }();
        (void)registered;
    }

    void TearDown() override {
        if (calendar::frmRS501::exists()) delete calendar::frmRS501::instance();
        session.reset();
        BackendTest::TearDown();
    }

    void setParameter(const QString& key, const QString& value) {
        conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES (?, ?)", {key, value});
    }

    // Opens the screen as the host does: a session, the module's start-up,
    // the shared screen shown (which loads it).
    void open(std::unique_ptr<ado::Connection> connection = nullptr, const std::function<void()>& beforeShow = {}) {
        if (calendar::frmRS501::exists()) delete calendar::frmRS501::instance();
        session = std::make_unique<services::HostSession>(connection ? std::move(connection) : db->open(),
                                                          QStringLiteral("ANA"), unattended);
        services::HostSession::install(session.get());
        shell::Publico::iniciar();
        screen = calendar::frmRS501::instance();
        if (beforeShow) beforeShow();
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
        ASSERT_TRUE(screen->Loaded());
    }

    // A session connection that records, and can be made to fail, each statement: rec.
    std::unique_ptr<ado::Connection> recorded() {
        auto recording = std::make_unique<testsupport::RecordingConnection>(db->open());
        rec = recording.get();
        return recording;
    }

    // The recorded statements from number from on, each with its values: "SQL | v1,v2".
    QStringList asked(qsizetype from = 0) const {
        QStringList out;
        for (qsizetype i = from; i < rec->statements.size(); ++i)
            out << rec->statements[i].simplified() + " | " + QVariant(rec->values.value(i)).toStringList().join(',');
        return out;
    }

    flexgrid::FlexGrid* grid() const { return screen->findChild<flexgrid::FlexGrid*>("msfDisponibilidad"); }
    QLineEdit* roomEdit() const { return screen->findChild<QWidget*>("txtSalaJunta")->findChild<QLineEdit*>(); }
    QString roomName() const { return screen->findChild<QWidget*>("txtNSalaJunta")->property("text").toString(); }

    void typeRoom(const QString& text) {
        roomEdit()->setFocus();
        QTest::keyClicks(roomEdit(), text);
    }
    void clickButton(const char* name) {
        QWidget* button = screen->findChild<QWidget*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // A mark in a cell that any repaint of the grid wipes.
    void markGrid() { grid()->SetTextMatrix(2, 2, "marca"); }
    bool repainted() const { return grid()->TextMatrix(2, 2) != "marca"; }

    int columnOf(const QDate& day) const { return static_cast<int>(screen->Inicio().daysTo(day)) + 1; }
    int rowOf(const QString& slot) const {
        for (int r = 2; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, 0) == slot) return r;
        return -1;
    }

    // A slot cell's colour and text.
    std::pair<int, QString> cell(const char* slot, const QDate& day) const {
        const int r = rowOf(slot), c = columnOf(day);
        return {grid()->CellBackColorAt(r, c), grid()->TextMatrix(r, c)};
    }

    void addReservation(const QString& folio, const QDate& day, const QString& start, const QString& end,
                        const QString& room, const QString& state = "AC", const QString& who = "Laura Méndez") {
        conn->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, "
                      "Sj_Cve_Sala_Junta, Rsj_Responsable, Es_Cve_Estado) VALUES (?, ?, ?, ?, ?, ?, ?)",
                      {folio, day, start, end, room, who, state});
    }

    // Identifier and message of each error the screen reported, oldest first.
    std::vector<std::pair<QString, QString>> reports() {
        std::vector<std::pair<QString, QString>> out;
        for (ado::Recordset rs = conn->Execute("SELECT Be_Identificador, Be_Mensaje FROM Bitacora_Error ORDER BY Be_Id");
             !rs.Eof(); rs.MoveNext())
            out.emplace_back(rs.Fields(0).Value.toString(), rs.Fields(1).Value.toString());
        return out;
    }

    std::unique_ptr<services::HostSession> session;
    calendar::frmRS501* screen = nullptr;
    testsupport::RecordingConnection* rec = nullptr;
    bool unattended = true;  // false: reports show their message box
};

}  // namespace testsupport
