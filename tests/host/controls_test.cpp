#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/controls/label.h"
#include "host/controls/lookupdialog.h"
#include "host/controls/textbox.h"
#include "host/schema/demodata.h"
#include "tests/host/servicefixture.h"

namespace {

using controls::LookupDialog;
using controls::TextBox;

const QString kRoomSql = QStringLiteral(
    "SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = '?' AND Es_Cve_Estado <> 'BA'");
const QString kClientSql = QStringLiteral(
    "SELECT Cl_Razon_Social FROM Cliente WHERE Cl_Cve_Cliente = ? AND Es_Cve_Estado <> 'BA'");

// A screen with a text box, a neighbour to tab to and a result label.
struct Screen {
    QWidget window;
    TextBox* box = new TextBox(&window);
    QLineEdit* next = new QLineEdit(&window);
    controls::Label* result = new controls::Label(&window);

    Screen() {
        window.setObjectName(QStringLiteral("frmPrueba"));
        box->setObjectName(QStringLiteral("txtClave"));
        result->setObjectName(QStringLiteral("lblResultado"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(next);
        layout->addWidget(result);
    }
    void activate() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        ASSERT_TRUE(box->lineEdit()->hasFocus());
    }
    void type(const QString& text) {
        // keyClicks knows ASCII only; accented letters go as key + text.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
    void key(Qt::Key k) { QTest::keyClick(box->lineEdit(), k); }
    // A key box of rooms that shows the room's name in lblResultado.
    void roomBox() {
        box->setProperty("esclave", true);
        box->setProperty("FormatoClave", "0000000000");
        box->setProperty("sql", kRoomSql);
        box->setProperty("sql_control_resultado", "lblResultado");
    }
};

// --- keys typed without a database --------------------------------------

// Leaving by Enter or Tab confirms the key: short numbers are padded to an
// all-zeros format, and Enter moves on only when asked (from an empty box
// only when allowed).
TEST(TextBoxKeyTest, LeavingPadsShortNumericKeysAndEnterMovesOnOnlyWhenAsked) {
    enum { Key = 1, TabOnEnter = 2, NotWhenEmpty = 4 };
    struct Case {
        int flags;
        const char* format;
        const char* typed;
        Qt::Key leaveBy;
        const char* expected;
        bool movesOn;
    } const cases[] = {
        {Key, "0000", "7", Qt::Key_Return, "0007", false},
        {Key, "0000", "7", Qt::Key_Tab, "0007", true},
        {Key | TabOnEnter, "0000", "7", Qt::Key_Return, "0007", true},
        {Key, "0000", "12345", Qt::Key_Return, "12345", false},  // longer than the format: as typed
        {Key, "0000", "A7", Qt::Key_Return, "A7", false},        // not a number
        {Key, "XX00", "7", Qt::Key_Return, "7", false},          // not a zero format
        {Key, "", "7", Qt::Key_Tab, "7", true},
        {0, "0000", "7", Qt::Key_Return, "7", false},            // not a key box
        {TabOnEnter, "", "", Qt::Key_Return, "", true},
        {TabOnEnter | NotWhenEmpty, "", "", Qt::Key_Return, "", false},
        {TabOnEnter | NotWhenEmpty, "", "5", Qt::Key_Return, "5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.flags << " " << c.format << " / " << c.typed);
        Screen s;
        s.box->setProperty("FormatoClave", QString::fromLatin1(c.format));
        s.box->setProperty("esclave", bool(c.flags & Key));
        s.box->setProperty("tabonenter", bool(c.flags & TabOnEnter));
        s.box->setProperty("tabonentervacio", !(c.flags & NotWhenEmpty));
        s.activate();
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(QString::fromLatin1(c.typed));
        s.key(c.leaveBy);
        EXPECT_EQ(s.box->property("Text").toString(), c.expected);
        EXPECT_EQ(s.box->property("ValorClave").toString(), c.expected);
        EXPECT_EQ(consulta.count(), 1);
        EXPECT_EQ(s.next->hasFocus(), c.movesOn);
    }
}

TEST(TextBoxKeyTest, ChangeFollowsEveryEditWithinTheLimitsAndConsultaOnlyAConfirmation) {
    Screen s;
    s.box->setProperty("maxlength", 4);
    s.activate();
    QSignalSpy change(s.box, SIGNAL(Change()));
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    s.type("12345");
    EXPECT_EQ(s.box->Text(), "1234");
    EXPECT_EQ(change.count(), 4);
    s.key(Qt::Key_Backspace);
    EXPECT_EQ(change.count(), 5);
    s.box->setProperty("Text", "abc");  // the screen writing counts too
    s.box->setText("abc");              // no change, no signal
    EXPECT_EQ(change.count(), 6);
    s.box->setProperty("locked", true);
    s.type("9");
    s.key(Qt::Key_Backspace);
    EXPECT_EQ(s.box->Text(), "abc");
    s.key(Qt::Key_Tab);  // leaving after the screen's own text confirms nothing
    EXPECT_TRUE(s.next->hasFocus());
    EXPECT_EQ(consulta.count(), 0);
    EXPECT_EQ(s.box->ValorClave(), "");
    s.box->setFocus();
    s.key(Qt::Key_Return);
    s.key(Qt::Key_Return);  // Enter always confirms, edited or not
    EXPECT_EQ(consulta.count(), 2);
    EXPECT_EQ(s.box->ValorClave(), "abc");
    EXPECT_EQ(change.count(), 6);
}

// The length limit is for typing: a screen writes a stored key whole, and
// that key is the box's key. A box that is no tab stop is passed by.
TEST(TextBoxKeyTest, AScreenWritesWholeKeysAndTabPassesABoxThatIsNoTabStop) {
    Screen s;
    s.box->setProperty("maxlength", 4);
    s.box->setProperty("esclave", true);
    s.box->setProperty("TabStop", false);
    s.box->setText("0000000001");
    EXPECT_EQ(s.box->Text(), "0000000001");
    EXPECT_EQ(s.box->ValorClave(), "0000000001");
    s.activate();  // a click or the screen may still focus it
    s.key(Qt::Key_Tab);
    EXPECT_TRUE(s.next->hasFocus());
    QTest::keyClick(s.next, Qt::Key_Tab);
    EXPECT_TRUE(s.next->hasFocus());
}

// --- behaviour that needs the session and its database ------------------

class TextBoxTest : public testsupport::ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (IsSkipped()) return;
        schema::DemoData::load(*conn, QDate(2026, 12, 5));
    }
    long long errorsLogged() { return scalar("SELECT COUNT(*) FROM Bitacora_Error WHERE Be_Identificador = 'ERR-ID:7600001'"); }
};

TEST_P(TextBoxTest, TypingAndPastingAreUpperCasedWhenTheBoxOrTheSessionAsksForIt) {
    struct Case {
        bool boxUpper, sessionUpper;
        const char* typed;
        const char* expected;
    } const cases[] = {
        {true, false, "sala ñ-1", "SALA Ñ-1"},
        {false, true, "juárez", "JUÁREZ"},
        {false, false, "juárez", "juárez"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        session->setForceUpperCase(c.sessionUpper);
        Screen s;
        s.box->setProperty("mayusculas", c.boxUpper);
        s.activate();
        QSignalSpy change(s.box, SIGNAL(Change()));
        s.type(QString::fromUtf8(c.typed));
        EXPECT_EQ(s.box->Text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(change.count(), QString::fromUtf8(c.typed).size());  // one per key, no echo of the capital
    }

    Screen s;
    s.box->setMayusculas(true);
    s.activate();
    s.box->setText("Descripción leída");
    EXPECT_EQ(s.box->Text(), "Descripción leída") << "the screen's own text is left alone";
    QApplication::clipboard()->setText("sala hidalgo");
    if (QApplication::clipboard()->text() != "sala hidalgo") GTEST_SKIP() << "no clipboard on this platform";
    s.box->setText({});
    QSignalSpy change(s.box, SIGNAL(Change()));
    QTest::keyClick(s.box->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.box->Text(), "SALA HIDALGO");
    EXPECT_EQ(change.count(), 1);
}

// The confirmed key goes into a quoted '?' as protected text and in place of
// a bare ? as a bound parameter: quotes and SQL in it find nothing and change
// nothing, and retired rows never show.
TEST_P(TextBoxTest, ConfirmedKeyFillsTheResultControlFromItsLookUp) {
    struct Case {
        const QString& sql;
        const char* typed;
        const char* expected;
    } const cases[] = {
        {kRoomSql, "1", "Sala Juárez (10 personas)"},
        {kRoomSql, "0000000003", "Sala Morelos (20 personas)"},
        {kRoomSql, "6", ""},   // retired room
        {kRoomSql, "99", ""},  // no such room
        {kRoomSql, "0000000001' OR '1'='1", ""},
        {kRoomSql, "x'; DELETE FROM Sala_Junta; --", ""},
        {kRoomSql, "?", ""},
        {kClientSql, "2", "Constructora del Bajío"},
        {kClientSql, "0012", ""},  // retired client
        {kClientSql, "0002 OR 1=1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Screen s;
        s.roomBox();
        s.box->setProperty("sql", c.sql);
        s.box->setProperty("FormatoClave", &c.sql == &kRoomSql ? "0000000000" : "0000");
        s.result->setCaption("antes");
        s.activate();
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(QString::fromUtf8(c.typed));
        s.key(Qt::Key_Return);
        EXPECT_EQ(s.result->Caption(), QString::fromUtf8(c.expected));
        EXPECT_TRUE(s.box->Text().endsWith(QString::fromUtf8(c.typed))) << s.box->Text().toStdString();
        EXPECT_EQ(consulta.count(), 1);
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Sala_Junta"), 6);
    EXPECT_EQ(errorsLogged(), 0);
}

TEST_P(TextBoxTest, ResultReachesAnyControlThatShowsTextAndARefreshRereadsWithoutConfirming) {
    Screen s;
    s.roomBox();
    auto* otherBox = new TextBox(&s.window);
    auto* plainLabel = new QLabel(&s.window);
    auto* plainEdit = new QLineEdit(&s.window);
    s.box->setProperty("sql_control_resultado", "destino");
    s.box->setText("0000000002");
    for (const auto& [target, shown] : {std::pair<QWidget*, const char*>{otherBox, "Text"}, {plainLabel, "text"},
                                        {plainEdit, "text"}}) {
        target->setObjectName("destino");
        s.box->ConfirmarClave();
        EXPECT_EQ(target->property(shown).toString(), "Sala Hidalgo (6 personas)") << target->metaObject()->className();
        target->setObjectName({});
    }

    s.box->setProperty("sql_control_resultado", "lblResultado");
    conn->Execute("UPDATE Sala_Junta SET Sj_Descripcion = 'Sala Hidalgo renovada' WHERE Sj_Cve_Sala_Junta = '0000000002'");
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    QMetaObject::invokeMethod(s.box, "ActualizarConsulta");
    EXPECT_EQ(s.result->Caption(), "Sala Hidalgo renovada");
    EXPECT_EQ(consulta.count(), 0);
}

TEST_P(TextBoxTest, FailingLookUpIsReportedAndKeepsTheTextAndTheLastKey) {
    Screen s;
    s.roomBox();
    s.activate();
    s.type("2");
    s.key(Qt::Key_Return);
    ASSERT_EQ(s.box->ValorClave(), "0000000002");
    const std::pair<const char*, QString> cases[] = {
        {"SELECT Nada FROM No_Existe WHERE Clave = '?'", "5"},
        {"SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = '?'", QStringLiteral("5\x01")},
    };
    long long logged = 0;
    for (const auto& [sql, typed] : cases) {
        SCOPED_TRACE(sql);
        s.box->setProperty("sql", QString::fromLatin1(sql));
        s.box->lineEdit()->setText(typed);  // in the box, not confirmed
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.key(Qt::Key_Return);
        EXPECT_EQ(s.box->Text(), typed);
        EXPECT_EQ(s.box->ValorClave(), "0000000002");
        EXPECT_EQ(s.result->Caption(), "Sala Hidalgo (6 personas)");
        EXPECT_EQ(consulta.count(), 0);
        EXPECT_EQ(errorsLogged(), ++logged);
    }
    ado::Recordset rs = conn->Execute("SELECT Be_Titulo, Be_Modulo FROM Bitacora_Error");
    EXPECT_EQ(rs.Fields("Be_Titulo").Value.toString(), "txtQNT");
    EXPECT_EQ(rs.Fields("Be_Modulo").Value.toString(), "RS501");
}

// --- the look-up list ----------------------------------------------------

class TextBoxLookupTest : public TextBoxTest {
protected:
    // Opens the list by F2 or the "…" button and returns it, shown and not modal.
    LookupDialog* open(Screen& s, bool byButton = false) {
        if (byButton) {
            auto* button = s.box->findChild<QToolButton*>("btnConsulta");
            EXPECT_TRUE(button->isVisible());
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            s.key(Qt::Key_F2);
        }
        auto* dialog = s.box->findChild<LookupDialog*>("dlgConsulta");
        if (dialog) {
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(dialog->isModal());
        }
        return dialog;
    }
    static QLineEdit* filterOf(LookupDialog* d) { return d->findChild<QLineEdit*>("txtFiltro"); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_P(TextBoxLookupTest, ListsActiveRoomsNarrowsAsYouTypeAndPicksByEnterOrDoubleClickOnly) {
    Screen s;
    s.roomBox();
    s.box->setProperty("idconsulta", "SALA_JUNTA");
    s.box->setText("0000000001");
    s.activate();
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    LookupDialog* dialog = open(s, true);
    ASSERT_NE(dialog, nullptr);
    // The retired "Sala Anexo" (0000000006) never shows.
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0000000001", "0000000002", "0000000003", "0000000004", "0000000005"}));
    QTest::keyClicks(filterOf(dialog), "zzz");
    EXPECT_EQ(dialog->visibleRowCount(), 0);
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "nothing to pick";
    QTest::keyClick(filterOf(dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(s.box->Text(), "0000000001");
    EXPECT_EQ(consulta.count(), 0);
    settle();

    dialog = open(s);
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(filterOf(dialog), "HID");
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0000000002"}));
    filterOf(dialog)->clear();
    EXPECT_EQ(dialog->visibleRowCount(), 5);
    QTest::keyClick(filterOf(dialog), Qt::Key_Down);
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_EQ(s.box->Text(), "0000000002");
    EXPECT_EQ(s.box->ValorClave(), "0000000002");
    EXPECT_EQ(s.result->Caption(), "Sala Hidalgo (6 personas)");
    EXPECT_EQ(consulta.count(), 1);
    settle();
    EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);

    dialog = open(s);
    ASSERT_NE(dialog, nullptr);
    auto* table = dialog->findChild<QTableWidget*>("grdConsulta");
    const QPoint cell = table->visualRect(table->model()->index(3, 1)).center();
    // A person's double click: a click, then the double-click event.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(s.box->Text(), "0000000002");  // one click only highlights
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(s.box->Text(), "0000000004");
    EXPECT_EQ(s.result->Caption(), "Sala Allende (4 personas)");
    EXPECT_EQ(consulta.count(), 2);
}

// A condition narrows the list (here to one general table, whose value is
// picked). No list opens, and each refusal is logged, for a condition that
// could carry another statement, no catalogue, a locked box, an unknown one.
TEST_P(TextBoxLookupTest, AConditionNarrowsTheListAndUnsafeConditionsOrMissingCataloguesOpenNone) {
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '1', '0001', 'Ana Torres'), "
                  "('SALA_JUNTA_RESPONSABLE', '2', '0002', 'Luis Vega'), "
                  "('OTRA_TABLA', '1', '0001', 'No debe salir')");
    {
        Screen s;
        s.box->setIdconsulta("TABLA_GENERAL_VALOR");
        s.box->setProperty("CondicionConsulta", " Tg_Cve_Tabla_General = 'SALA_JUNTA_RESPONSABLE' ");
        s.activate();
        LookupDialog* dialog = open(s);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->visibleKeys(), QStringList({"0001", "0002"}));
        QTest::keyClicks(filterOf(dialog), "vega");
        QTest::keyClick(filterOf(dialog), Qt::Key_Enter);
        EXPECT_EQ(s.box->Text(), "Luis Vega");
    }
    struct Case {
        const char* catalogue;
        const char* condition;
        bool locked;
        bool logged;
    } const cases[] = {
        {"CLIENTE", "1=1; DELETE FROM Cliente", false, true},
        {"CLIENTE", "1=1 -- y lo que siga", false, true},
        {"CLIENTE", "1=1 /* comentario */", false, true},
        {"CLIENTE", "Tg_Cve_Tabla_General = 'SALA", false, true},
        {"", "", false, false},
        {"SALA_JUNTA", "", true, false},
        {"NO_EXISTE", "", false, true},
    };
    long long logged = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.catalogue) + " " + c.condition);
        Screen s;
        s.box->setIdconsulta(c.catalogue);
        s.box->setCondicionConsulta(c.condition);
        s.box->setLocked(c.locked);
        s.activate();
        EXPECT_EQ(s.box->findChild<QToolButton*>("btnConsulta")->isVisible(), *c.catalogue != '\0');
        s.key(Qt::Key_F2);
        EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);
        EXPECT_EQ(errorsLogged(), logged += c.logged);
        if (*c.condition) {
            EXPECT_TRUE(session->lastError().contains("no se acepta")) << session->lastError().toStdString();
        }
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Cliente"), 12);
}

RS_INSTANTIATE_BACKENDS(TextBoxTest);
RS_INSTANTIATE_BACKENDS(TextBoxLookupTest);

}  // namespace