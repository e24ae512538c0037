#include <gtest/gtest.h>

#include <QApplication>
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
// A key box of rooms that shows the room's name in lblResultado.
const QVariantMap kRoomBox = {
    {"esclave", true}, {"FormatoClave", "0000000000"}, {"sql", kRoomSql}, {"sql_control_resultado", "lblResultado"}};

// An active screen with a text box set up as given, a neighbour to tab to and a result label.
struct Screen {
    QWidget window;
    TextBox* box;
    QLineEdit* next = new QLineEdit(&window);
    controls::Label* result = new controls::Label(&window);

    explicit Screen(services::IControlHost* host = nullptr, const QVariantMap& properties = {})
        : box(new TextBox(&window, host)) {
        box->setObjectName("txtClave");
        result->setObjectName("lblResultado");
        for (auto it = properties.begin(); it != properties.end(); ++it) box->setProperty(it.key().toLatin1(), *it);
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{box, next, result}) layout->addWidget(w);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }
    void type(const QString& text) {
        // keyClicks knows ASCII only; accented letters go as key + text.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(box->lineEdit(), k, m); }
};

// Leaving by Enter or Tab confirms the key: short numbers are padded to an
// all-zeros format, and Enter moves on only when asked (from an empty box
// only when allowed).
TEST(TextBoxKeyTest, LeavingPadsShortNumericKeysAndEnterMovesOnOnlyWhenAsked) {
    enum { Key = 1, TabOnEnter = 2, NotWhenEmpty = 4 };
    struct Case {
        int flags;
        const char *format, *typed;
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
        {0, "0000", "7", Qt::Key_Return, "7", false},            // not a key box
        {TabOnEnter, "", "", Qt::Key_Return, "", true},
        {TabOnEnter | NotWhenEmpty, "", "", Qt::Key_Return, "", false},
        {TabOnEnter | NotWhenEmpty, "", "5", Qt::Key_Return, "5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.flags << " " << c.format << " / " << c.typed);
        Screen s(nullptr, {{"FormatoClave", c.format},
                           {"esclave", bool(c.flags & Key)},
                           {"tabonenter", bool(c.flags & TabOnEnter)},
                           {"tabonentervacio", !(c.flags & NotWhenEmpty)}});
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(c.typed);
        s.key(c.leaveBy);
        EXPECT_EQ(s.box->Text(), c.expected);
        EXPECT_EQ(s.box->ValorClave(), c.expected);
        EXPECT_EQ(consulta.count(), 1);
        EXPECT_EQ(s.next->hasFocus(), c.movesOn);
    }
}

// Change follows every edit; the length limit is for typing only (a screen
// writes a stored key whole, and that is the key), a locked box takes
// nothing, only a confirmation raises Consulta, and Tab passes a box that is
// no tab stop.
TEST(TextBoxKeyTest, ChangeFollowsEveryEditAndOnlyAConfirmationRaisesConsulta) {
    Screen s(nullptr, {{"maxlength", 4}, {"esclave", true}});
    QSignalSpy change(s.box, SIGNAL(Change()));
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    s.type("12345");
    EXPECT_EQ(s.box->Text(), "1234");
    s.key(Qt::Key_Backspace);
    EXPECT_EQ(change.count(), 5);
    s.box->setProperty("Text", "0000000001");  // the screen writing counts too
    s.box->setText("0000000001");              // no change, no signal
    EXPECT_EQ(change.count(), 6);
    EXPECT_EQ(s.box->ValorClave(), "0000000001");
    s.box->setProperty("locked", true);
    s.type("9");
    s.key(Qt::Key_Backspace);
    EXPECT_EQ(s.box->Text(), "0000000001");
    s.key(Qt::Key_Tab);  // leaving after the screen's own text confirms nothing
    EXPECT_EQ(consulta.count(), 0);
    s.box->setFocus();
    s.key(Qt::Key_Return);
    s.key(Qt::Key_Return);  // Enter always confirms, edited or not
    EXPECT_EQ(consulta.count(), 2);
    EXPECT_EQ(change.count(), 6);
    s.box->setProperty("TabStop", false);
    s.key(Qt::Key_Tab);
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
    // Opens the look-up list by F2 or the "…" button; it shows and is not modal.
    static LookupDialog* open(Screen& s, bool byButton = false) {
        if (byButton)
            QTest::mouseClick(s.box->findChild<QToolButton*>("btnConsulta"), Qt::LeftButton);
        else
            s.key(Qt::Key_F2);
        auto* dialog = s.box->findChild<LookupDialog*>("dlgConsulta");
        EXPECT_TRUE(dialog && dialog->isVisible() && !dialog->isModal());
        return dialog;
    }
    static QLineEdit* filterOf(LookupDialog* d) { return d->findChild<QLineEdit*>("txtFiltro"); }
};

TEST_P(TextBoxTest, TypingIsUpperCasedWhenTheBoxOrTheSessionAsksForIt) {
    struct Case {
        bool boxUpper, sessionUpper;
        const char *typed, *expected;
    } const cases[] = {
        {true, false, "sala ñ-1", "SALA Ñ-1"},
        {false, true, "juárez", "JUÁREZ"},
        {false, false, "juárez", "juárez"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        sistema->ForzarMayusculas(c.sessionUpper);
        Screen s(sistema.get(), {{"mayusculas", c.boxUpper}});
        QSignalSpy change(s.box, SIGNAL(Change()));
        s.type(QString::fromUtf8(c.typed));
        EXPECT_EQ(s.box->Text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(change.count(), QString::fromUtf8(c.typed).size());  // one per key, no echo of the capital
    }
    Screen s(sistema.get(), {{"mayusculas", true}});
    s.box->setText("Descripción leída");
    EXPECT_EQ(s.box->Text(), "Descripción leída") << "the screen's own text is left alone";
}

// The confirmed key goes into a quoted '?' as text and in place of a bare ?
// as a bound parameter; retired rows never show. A failing look-up (a bad
// statement, a key the database refuses) is logged and leaves the text as
// typed and the last confirmed key and result alone.
TEST_P(TextBoxTest, ConfirmedKeyFillsTheResultControlFromItsLookUpOrIsReportedAndKeptOut) {
    struct Case {
        QString sql, typed;
        const char* shown;  // nullptr: the look-up fails
    } const cases[] = {
        {kRoomSql, "1", "Sala Juárez (10 personas)"}, {kRoomSql, "0000000003", "Sala Morelos (20 personas)"},
        {kRoomSql, "6", ""},  // retired room
        {kRoomSql, "99", ""},  {kRoomSql, "?", ""},
        {kRoomSql, "1'", ""},  // an apostrophe is text, not the end of the literal
        {kClientSql, "2", "Constructora del Bajío"}, {kClientSql, "12", ""},  // retired client
        {"SELECT Nada FROM No_Existe WHERE Clave = '?'", "5", nullptr}, {kRoomSql, QStringLiteral("5\x01"), nullptr},
    };
    long long logged = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QVariantMap box = kRoomBox;
        box.insert({{"sql", c.sql}, {"FormatoClave", c.sql == kClientSql ? "0000" : "0000000000"}});
        Screen s(sistema.get(), box);
        s.box->setText("0000000002");
        s.result->setCaption("antes");
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.box->lineEdit()->setText(c.typed);
        s.key(Qt::Key_Return);
        if (c.shown) {
            EXPECT_EQ(s.result->Caption(), QString::fromUtf8(c.shown));
            EXPECT_EQ(s.box->ValorClave(), s.box->Text());
        } else {
            EXPECT_EQ(QStringList({s.box->Text(), s.box->ValorClave(), s.result->Caption()}),
                      QStringList({c.typed, "0000000002", "antes"}));
        }
        EXPECT_EQ(consulta.count(), c.shown ? 1 : 0);
        EXPECT_EQ(errorsLogged(), logged += !c.shown);
    }
    EXPECT_EQ(rows("SELECT DISTINCT Be_Titulo, Be_Modulo, Be_Usuario FROM Bitacora_Error"), QStringList{"txtQNT|RS501|ANA"});
}

TEST_P(TextBoxTest, ResultReachesAnyControlThatShowsTextAndARefreshRereadsWithoutConfirming) {
    Screen s(sistema.get(), kRoomBox);
    s.box->setText("0000000002");
    s.box->setProperty("sql_control_resultado", "destino");
    for (QWidget* target : std::initializer_list<QWidget*>{new TextBox(&s.window), new QLabel(&s.window),
                                                           new QLineEdit(&s.window)}) {
        target->setObjectName("destino");
        s.box->ConfirmarClave();
        const char* shown = qobject_cast<TextBox*>(target) ? "Text" : "text";
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

// The list shows active rooms only, narrows as you type, and picks by Enter
// or a double click, never by one click or Esc.
TEST_P(TextBoxTest, LookUpListNarrowsAsYouTypeAndPicksByEnterOrDoubleClickOnly) {
    QVariantMap box = kRoomBox;
    box.insert("idconsulta", "SALA_JUNTA");
    Screen s(sistema.get(), box);
    s.box->setText("0000000001");
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    LookupDialog* dialog = open(s, true);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0000000001", "0000000002", "0000000003", "0000000004", "0000000005"}));
    QTest::keyClicks(filterOf(dialog), "zzz");
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "nothing to pick";
    QTest::keyClick(filterOf(dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dialog = open(s);
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(filterOf(dialog), "HID");
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0000000002"}));
    filterOf(dialog)->clear();
    EXPECT_EQ(dialog->visibleRowCount(), 5);
    QTest::keyClick(filterOf(dialog), Qt::Key_Down);
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_EQ(s.box->ValorClave(), "0000000002");
    EXPECT_EQ(consulta.count(), 1) << "Esc picked nothing";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);

    dialog = open(s);
    ASSERT_NE(dialog, nullptr);
    auto* table = dialog->findChild<QTableWidget*>("grdConsulta");
    const QPoint cell = table->visualRect(table->model()->index(3, 1)).center();
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
TEST_P(TextBoxTest, AConditionNarrowsTheLookUpListAndUnsafeConditionsOrMissingCataloguesOpenNone) {
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '1', '0001', 'Ana Torres'), "
                  "('SALA_JUNTA_RESPONSABLE', '2', '0002', 'Luis Vega'), ('OTRA_TABLA', '1', '0001', 'No debe salir')");
    {
        Screen s(sistema.get(), {{"idconsulta", "TABLA_GENERAL_VALOR"},
                                 {"CondicionConsulta", " Tg_Cve_Tabla_General = 'SALA_JUNTA_RESPONSABLE' "}});
        LookupDialog* dialog = open(s);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->visibleKeys(), QStringList({"0001", "0002"}));
        QTest::keyClicks(filterOf(dialog), "vega");
        QTest::keyClick(filterOf(dialog), Qt::Key_Enter);
        EXPECT_EQ(s.box->Text(), "Luis Vega");
    }
    struct Case {
        const char *catalogue, *condition;
        bool locked, logged;
    } const cases[] = {
        {"CLIENTE", "1=1; DELETE FROM Cliente", false, true}, {"CLIENTE", "1=1 -- y lo que siga", false, true},
        {"CLIENTE", "1=1 /* comentario */", false, true},     {"CLIENTE", "Tg_Cve_Tabla_General = 'SALA", false, true},
        {"", "", false, false},                                {"SALA_JUNTA", "", true, false},
        {"NO_EXISTE", "", false, true},
    };
    long long logged = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.catalogue) + " " + c.condition);
        Screen s(sistema.get(), {{"idconsulta", c.catalogue}, {"CondicionConsulta", c.condition}, {"locked", c.locked}});
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

}  // namespace
