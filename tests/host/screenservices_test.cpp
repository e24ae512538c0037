#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include "host/controls/datepicker.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "host/schema/demodata.h"
#include "host/services/consultaregistro.h"
#include "platform/core/error.h"
#include "tests/host/servicefixture.h"

namespace {

using testsupport::ServiceTest;

class ControlGroupsTest : public ServiceTest {};
class ConsultaRegistroTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (IsSkipped()) return;
        schema::DemoData::load(*conn, QDate(2026, 12, 5));
    }
};

// A screen whose controls belong to groups "1" and "2", plus an untagged one.
TEST_P(ControlGroupsTest, ClearingAndEnablingTouchOnlyTheGroupAndClearingLeavesDates) {
    QWidget screen;
    auto* box1 = new controls::TextBox(&screen, sistema.get());
    auto* box2 = new controls::TextBox(&screen, sistema.get());
    auto* label1 = new controls::Label(&screen);
    auto* date1 = new controls::DatePicker(&screen);
    auto* line1 = new QLineEdit("libre", &screen);
    auto* notes1 = new QPlainTextEdit("notas", &screen);
    auto* untagged = new QLineEdit("sin grupo", &screen);
    const QDateTime when{QDate(2026, 12, 7), QTime(10, 0)};
    const QList<QWidget*> group1{box1, label1, date1, line1, notes1};
    for (QWidget* w : group1) w->setProperty("Tag", "1");
    box2->setProperty("Tag", "2");
    box1->setText("0001");
    box2->setText("0002");
    label1->setCaption("Sala Juárez");
    date1->setValue(when);
    for (QWidget* w : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->setEnabled(false);

    funciones->LimpiarControles(&screen, "1");
    funciones->LimpiarControles(&screen, "");  // untagged widgets are in no group
    EXPECT_EQ(QStringList({box1->Text(), label1->Caption(), line1->text(), notes1->toPlainText()}),
              QStringList({"", "", "", ""}));
    EXPECT_EQ(date1->Value(), when);
    EXPECT_EQ(box2->Text(), "0002");
    EXPECT_EQ(untagged->text(), "sin grupo");

    funciones->HabilitarControles(&screen, "1");
    for (QWidget* w : group1) EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();
    EXPECT_FALSE(box2->isEnabled());
    EXPECT_FALSE(untagged->isEnabled());

    EXPECT_THROW(funciones->LimpiarControles(nullptr, "1"), core::Error);
    EXPECT_THROW(funciones->HabilitarControles(nullptr, "1"), core::Error);
    EXPECT_FALSE(funciones->ObtenerMensajeError().isEmpty());
}

// A record is read in table order, further key pairs narrow it, and the
// dialog lists every column read-only.
TEST_P(ConsultaRegistroTest, ReadsTheRecordInTableOrderAndTheDialogListsItReadOnly) {
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '1', '0001', 'Ana Torres'), ('OTRA', '1', '0001', 'Luis')");
    services::ConsultaRegistro consulta(*session);
    const services::ConsultaRegistro::Campos expected = {
        {"Sj_Cve_Sala_Junta", "0000000006"}, {"Sj_Descripcion", "Sala Anexo (retirada)"}, {"Es_Cve_Estado", "BA"}};
    EXPECT_EQ(consulta.Leer("Sala_Junta", "Sj_Cve_Sala_Junta", "0000000006"), expected);
    EXPECT_EQ(consulta.Leer("Tabla_General_Detalle", "Tgd_Id", "1", "Tg_Cve_Tabla_General", "OTRA").back(),
              std::make_pair(QString("Tgd_Valor"), QString("Luis")));

    auto dialog = services::ConsultaRegistro::crearDialogo("Cliente", consulta.Leer("Cliente", "Cl_Cve_Cliente", "0002"),
                                                           nullptr);
    auto* grid = dialog->findChild<QTableWidget*>("grdCampos");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(1, 0)->text(), "Cl_Razon_Social");
    EXPECT_EQ(grid->item(1, 1)->text(), "Constructora del Bajío");
    dialog->show();
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_F2);  // the edit key opens no editor
    QTest::keyClicks(grid, "x");
    EXPECT_EQ(grid->item(1, 1)->text(), "Constructora del Bajío");
}

TEST_P(ConsultaRegistroTest, RefusesUnknownNamesAndAMissingRecord) {
    struct Case {
        const char *table, *column, *key, *e1;
        const char* message;
    } const cases[] = {
        {"Sala_Junta; DROP TABLE Sala_Junta", "Sj_Cve_Sala_Junta", "1", "", "tabla no permitido"},
        {"Sala_Junta", "Sj_Cve_Sala_Junta OR 1=1", "1", "", "columna no permitido"},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "0000000001", "Es_Cve_Estado = Es_Cve_Estado", "columna no permitido"},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "0000000099", "", "No existe el registro"},
    };
    services::ConsultaRegistro consulta(*session);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table + std::string(" ") + c.column + " " + c.key);
        try {
            consulta.Mostrar(c.table, c.column, c.key, c.e1, "AC");
            ADD_FAILURE() << "no error";
        } catch (const core::Error& e) {
            EXPECT_TRUE(e.description().contains(c.message)) << e.description().toStdString();
        }
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Sala_Junta"), 6);
}

RS_INSTANTIATE_BACKENDS(ControlGroupsTest);
RS_INSTANTIATE_BACKENDS(ConsultaRegistroTest);

}  // namespace
