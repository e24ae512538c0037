#include <gtest/gtest.h>

#include <functional>

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

// A screen with a text box, a neighbour to tab to and a result label.
struct Screen {
    QWidget window;
    TextBox* box = new TextBox(&window);
    QLineEdit* next = new QLineEdit(&window);
    controls::Label* result = new controls::Label(&window);

    Screen() {
        window.setObjectName(QStringLiteral("frmPrueba"));
        box->setObjectName(QStringLiteral("txtClave"));
        next->setObjectName(QStringLiteral("txtSiguiente"));
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
    void enter() { QTest::keyClick(box->lineEdit(), Qt::Key_Return); }
};

// --- keys typed without a database --------------------------------------

TEST(TextBoxKeyTest, ShortNumericKeysArePaddedToTheZeroFormatOnEnterAndOnLeaving) {
    enum class Leave { Enter, Tab };
    struct Case {
        const char* format;
        bool isKey;
        const char* typed;
        Leave how;
        const char* expected;
    } const cases[] = {
        {"0000", true, "7", Leave::Enter, "0007"},
        {"0000", true, "7", Leave::Tab, "0007"},
        {"0000000000", true, "42", Leave::Enter, "0000000042"},
        {"0000", true, "0007", Leave::Enter, "0007"},
        {"0000", true, "12345", Leave::Enter, "12345"},   // longer than the format: as typed
        {"0000", true, "A7", Leave::Enter, "A7"},         // not a number
        {"0000", true, "7 ", Leave::Tab, "7 "},
        {"XX00", true, "7", Leave::Enter, "7"},           // not a zero format
        {"", true, "7", Leave::Enter, "7"},
        {"0000", false, "7", Leave::Enter, "7"},          // not a key box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " / " + c.typed);
        Screen s;
        s.box->setProperty("FormatoClave", QString::fromLatin1(c.format));
        s.box->setProperty("esclave", c.isKey);
        s.activate();
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(QString::fromLatin1(c.typed));
        if (c.how == Leave::Enter)
            s.enter();
        else
            QTest::keyClick(s.box->lineEdit(), Qt::Key_Tab);
        EXPECT_EQ(s.box->property("Text").toString(), c.expected);
        EXPECT_EQ(s.box->property("ValorClave").toString(), c.expected);
        EXPECT_EQ(consulta.count(), 1);
        if (c.how == Leave::Tab) {
            EXPECT_TRUE(s.next->hasFocus());
        }
    }
}

TEST(TextBoxKeyTest, LeavingWithoutAnEditConfirmsNothing) {
    Screen s;
    s.box->setFormatoClave("0000");
    s.box->setEsclave(true);
    s.box->setText("7");  // set by the screen, not typed
    s.activate();
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    QTest::keyClick(s.box->lineEdit(), Qt::Key_Tab);
    EXPECT_TRUE(s.next->hasFocus());
    EXPECT_EQ(consulta.count(), 0);
    EXPECT_EQ(s.box->Text(), "7");
    EXPECT_EQ(s.box->ValorClave(), "");
}

TEST(TextBoxKeyTest, ChangeFollowsEveryEditAndConsultaOnlyTheConfirmation) {
    Screen s;
    s.activate();
    QSignalSpy change(s.box, SIGNAL(Change()));
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    s.type("123");
    EXPECT_EQ(change.count(), 3);
    QTest::keyClick(s.box->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(change.count(), 4);
    s.box->setProperty("Text", "abc");  // the screen writing counts too
    EXPECT_EQ(change.count(), 5);
    s.box->setText("abc");  // no change, no signal
    EXPECT_EQ(change.count(), 5);
    EXPECT_EQ(consulta.count(), 0);
    s.enter();
    s.enter();  // Enter always confirms, edited or not
    EXPECT_EQ(consulta.count(), 2);
    EXPECT_EQ(change.count(), 5);
}

TEST(TextBoxKeyTest, EnterMovesOnOnlyWhenAskedAndAnEmptyBoxOnlyWhenAllowed) {
    struct Case {
        bool tabOnEnter, moveWhenEmpty;
        const char* typed;
        bool movesOn;
    } const cases[] = {
        {false, true, "5", false}, {true, true, "5", true}, {true, true, "", true},
        {true, false, "", false},  {true, false, "5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.tabOnEnter << c.moveWhenEmpty << c.typed);
        Screen s;
        s.box->setProperty("tabonenter", c.tabOnEnter);
        s.box->setProperty("tabonentervacio", c.moveWhenEmpty);
        s.activate();
        s.type(c.typed);
        s.enter();
        EXPECT_EQ(s.next->hasFocus(), c.movesOn);
    }
}

TEST(TextBoxKeyTest, LockedAndMaximumLengthLimitWhatCanBeTyped) {
    Screen s;
    s.box->setProperty("maxlength", 4);
    s.activate();
    s.type("123456");
    EXPECT_EQ(s.box->Text(), "1234");
    s.box->setProperty("locked", true);
    s.type("9");
    EXPECT_EQ(s.box->Text(), "1234");
    EXPECT_TRUE(s.box->property("locked").toBool());
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
    QString roomName(const QString& key) {
        ado::Recordset rs = conn->Execute("SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = ?", {key});
        return rs.Eof() ? QString() : rs.Fields(0).Value.toString();
    }
    void roomBox(Screen& s) {
        s.box->setProperty("esclave", true);
        s.box->setProperty("FormatoClave", "0000000000");
        s.box->setProperty("sql", kRoomSql);
        s.box->setProperty("sql_control_resultado", "lblResultado");
    }
};

TEST_P(TextBoxTest, TypingIsUpperCasedWhenTheBoxOrTheSessionAsksForIt) {
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
}

TEST_P(TextBoxTest, PastedTextIsUpperCasedTooButTheScreensOwnTextIsLeftAlone) {
    Screen s;
    s.box->setMayusculas(true);
    s.activate();
    QApplication::clipboard()->setText("sala hidalgo");
    if (QApplication::clipboard()->text() != "sala hidalgo") GTEST_SKIP() << "no clipboard on this platform";
    QSignalSpy change(s.box, SIGNAL(Change()));
    QTest::keyClick(s.box->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.box->Text(), "SALA HIDALGO");
    EXPECT_EQ(change.count(), 1);
    s.box->setText("Descripción leída");
    EXPECT_EQ(s.box->Text(), "Descripción leída");
}

TEST_P(TextBoxTest, ConfirmedKeyFillsTheResultControlFromItsLookUp) {
    struct Case {
        const char* typed;
        const char* expected;
    } const cases[] = {
        {"1", "Sala Juárez (10 personas)"},
        {"0000000003", "Sala Morelos (20 personas)"},
        {"6", ""},   // retired room
        {"99", ""},  // no such room
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Screen s;
        roomBox(s);
        s.result->setCaption("antes");
        s.activate();
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(QString::fromUtf8(c.typed));
        s.enter();
        EXPECT_EQ(s.result->Caption(), QString::fromUtf8(c.expected));
        EXPECT_EQ(consulta.count(), 1);
    }
    EXPECT_EQ(errorsLogged(), 0);
}

TEST_P(TextBoxTest, ResultReachesAnyKindOfControlThatShowsText) {
    Screen s;
    roomBox(s);
    auto* otherBox = new TextBox(&s.window);
    auto* plainLabel = new QLabel(&s.window);
    auto* plainEdit = new QLineEdit(&s.window);
    const std::pair<QWidget*, std::function<QString()>> targets[] = {
        {otherBox, [&] { return otherBox->Text(); }},
        {plainLabel, [&] { return plainLabel->text(); }},
        {plainEdit, [&] { return plainEdit->text(); }},
    };
    for (const auto& [target, shown] : targets) {
        target->setObjectName("destino");
        s.box->setProperty("sql_control_resultado", "destino");
        s.box->setText("0000000002");
        s.box->ConfirmarClave();
        EXPECT_EQ(shown(), "Sala Hidalgo (6 personas)") << target->metaObject()->className();
        target->setObjectName({});
    }
}

TEST_P(TextBoxTest, QuotesAndSqlInTheTypedKeyFindNothingAndChangeNothing) {
    const char* const attempts[] = {
        "0000000001' OR '1'='1",
        "x'; DELETE FROM Sala_Junta; --",
        "0000000001'--",
        "?",
    };
    for (const char* typed : attempts) {
        SCOPED_TRACE(typed);
        Screen s;
        roomBox(s);
        s.activate();
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.type(QString::fromLatin1(typed));
        s.enter();
        EXPECT_EQ(s.result->Caption(), "");
        EXPECT_EQ(s.box->Text(), QString::fromLatin1(typed));
        EXPECT_EQ(consulta.count(), 1);
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Sala_Junta"), 6);
    EXPECT_EQ(roomName("0000000001"), "Sala Juárez (10 personas)");
    EXPECT_EQ(errorsLogged(), 0);
}

TEST_P(TextBoxTest, AnUnquotedPlaceholderIsBound) {
    Screen s;
    s.box->setProperty("sql", "SELECT Cl_Razon_Social FROM Cliente WHERE Cl_Cve_Cliente = ? AND Es_Cve_Estado <> 'BA'");
    s.box->setProperty("sql_control_resultado", "lblResultado");
    for (const auto& [key, expected] : {std::pair{"0002", "Constructora del Bajío"}, std::pair{"0012", ""},
                                        std::pair{"0002 OR 1=1", ""}}) {
        s.box->setText(key);
        s.box->ConfirmarClave();
        EXPECT_EQ(s.result->Caption(), QString::fromUtf8(expected)) << key;
    }
    EXPECT_EQ(errorsLogged(), 0);
}

TEST_P(TextBoxTest, FailingLookUpIsReportedAndKeepsTheTextAndTheLastKey) {
    Screen s;
    roomBox(s);
    s.activate();
    s.type("2");
    s.enter();
    ASSERT_EQ(s.box->ValorClave(), "0000000002");
    struct Case {
        const char* sql;
        QString typed;
    } const cases[] = {
        {"SELECT Nada FROM No_Existe WHERE Clave = '?'", "5"},
        {"SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = '?'", QStringLiteral("5\x01")},
    };
    long long logged = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        s.box->setProperty("sql", QString::fromLatin1(c.sql));
        s.box->setText(c.typed);
        QSignalSpy consulta(s.box, SIGNAL(Consulta()));
        s.enter();
        EXPECT_EQ(s.box->Text(), c.typed);
        EXPECT_EQ(s.box->ValorClave(), "0000000002");
        EXPECT_EQ(s.result->Caption(), "Sala Hidalgo (6 personas)");
        EXPECT_EQ(consulta.count(), 0);
        EXPECT_EQ(errorsLogged(), ++logged);
    }
    ado::Recordset rs = conn->Execute("SELECT Be_Titulo, Be_Modulo FROM Bitacora_Error");
    EXPECT_EQ(rs.Fields("Be_Titulo").Value.toString(), "txtQNT");
    EXPECT_EQ(rs.Fields("Be_Modulo").Value.toString(), "RS501");
}

TEST_P(TextBoxTest, RefreshingTheLookUpRereadsWithoutConfirming) {
    Screen s;
    roomBox(s);
    s.box->setText("0000000004");
    s.box->ConfirmarClave();
    ASSERT_EQ(s.result->Caption(), "Sala Allende (4 personas)");
    conn->Execute("UPDATE Sala_Junta SET Sj_Descripcion = 'Sala Allende renovada' WHERE Sj_Cve_Sala_Junta = '0000000004'");
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    QMetaObject::invokeMethod(s.box, "ActualizarConsulta");
    EXPECT_EQ(s.result->Caption(), "Sala Allende renovada");
    EXPECT_EQ(consulta.count(), 0);
}

// --- the look-up list ----------------------------------------------------

class TextBoxLookupTest : public TextBoxTest {
protected:
    // Opens the list with F2 and returns it, shown and not modal.
    LookupDialog* openWithF2(Screen& s) {
        QTest::keyClick(s.box->lineEdit(), Qt::Key_F2);
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

TEST_P(TextBoxLookupTest, ListsActiveRoomsNarrowsAsYouTypeAndEnterPicks) {
    Screen s;
    roomBox(s);
    s.box->setProperty("idconsulta", "SALA_JUNTA");
    s.activate();
    LookupDialog* dialog = openWithF2(s);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->visibleKeys(),
              QStringList({"0000000001", "0000000002", "0000000003", "0000000004", "0000000005"}));
    QTest::keyClicks(filterOf(dialog), "HID");
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0000000002"}));
    QTest::keyClick(filterOf(dialog), Qt::Key_Backspace);
    QTest::keyClick(filterOf(dialog), Qt::Key_Backspace);
    QTest::keyClick(filterOf(dialog), Qt::Key_Backspace);
    QTest::keyClicks(filterOf(dialog), "sala");
    EXPECT_EQ(dialog->visibleRowCount(), 5);  // the retired "Sala Anexo" never shows
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    QTest::keyClick(filterOf(dialog), Qt::Key_Down);
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_EQ(s.box->Text(), "0000000002");
    EXPECT_EQ(s.box->ValorClave(), "0000000002");
    EXPECT_EQ(s.result->Caption(), "Sala Hidalgo (6 personas)");
    EXPECT_EQ(consulta.count(), 1);
    settle();
    EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);
}

TEST_P(TextBoxLookupTest, EscapeOrAnEmptyFilterResultPicksNothing) {
    Screen s;
    roomBox(s);
    s.box->setIdconsulta("SALA_JUNTA");
    s.box->setText("0000000005");
    s.activate();
    QSignalSpy consulta(s.box, SIGNAL(Consulta()));
    LookupDialog* dialog = openWithF2(s);
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(filterOf(dialog), "zzz");
    EXPECT_EQ(dialog->visibleRowCount(), 0);
    QTest::keyClick(filterOf(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(filterOf(dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(s.box->Text(), "0000000005");
    EXPECT_EQ(consulta.count(), 0);
}

TEST_P(TextBoxLookupTest, TheButtonOpensTheListAndADoubleClickPicks) {
    Screen s;
    s.box->setIdconsulta("CLIENTE");
    s.activate();
    auto* button = s.box->findChild<QToolButton*>("btnConsulta");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    auto* dialog = s.box->findChild<LookupDialog*>("dlgConsulta");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->visibleRowCount(), 11);
    EXPECT_FALSE(dialog->visibleKeys().contains("0012"));  // the retired client
    auto* table = dialog->findChild<QTableWidget*>("grdConsulta");
    const QRect cell = table->visualRect(table->model()->index(4, 1));
    // A person's double click: a click, then the double-click event.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(s.box->Text(), "");  // one click only highlights
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(s.box->Text(), "0005");
}

TEST_P(TextBoxLookupTest, GeneralTableValuesAreRestrictedByTheConditionAndPickTheValue) {
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '1', '0001', 'Ana Torres'), "
                  "('SALA_JUNTA_RESPONSABLE', '2', '0002', 'Luis Vega'), "
                  "('OTRA_TABLA', '1', '0001', 'No debe salir')");
    Screen s;
    s.box->setIdconsulta("TABLA_GENERAL_VALOR");
    s.box->setProperty("CondicionConsulta", " Tg_Cve_Tabla_General = 'SALA_JUNTA_RESPONSABLE' ");
    s.activate();
    LookupDialog* dialog = openWithF2(s);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->visibleKeys(), QStringList({"0001", "0002"}));
    QTest::keyClicks(filterOf(dialog), "vega");
    QTest::keyClick(filterOf(dialog), Qt::Key_Enter);
    EXPECT_EQ(s.box->Text(), "Luis Vega");
}

TEST_P(TextBoxLookupTest, AConditionThatCouldCarryAnotherStatementIsRefused) {
    const char* const conditions[] = {
        "1=1; DELETE FROM Cliente",
        "1=1 -- y lo que siga",
        "1=1 /* comentario */",
        "Tg_Cve_Tabla_General = 'SALA",
    };
    long long logged = 0;
    for (const char* condition : conditions) {
        SCOPED_TRACE(condition);
        Screen s;
        s.box->setIdconsulta("CLIENTE");
        s.box->setCondicionConsulta(condition);
        s.activate();
        QTest::keyClick(s.box->lineEdit(), Qt::Key_F2);
        EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);
        EXPECT_EQ(errorsLogged(), ++logged);
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Cliente"), 12);
    EXPECT_TRUE(session->lastError().contains("no se acepta")) << session->lastError().toStdString();
}

TEST_P(TextBoxLookupTest, NoListWithoutACatalogueOrWhileLocked) {
    Screen s;
    s.activate();
    QTest::keyClick(s.box->lineEdit(), Qt::Key_F2);  // no idconsulta: F2 does nothing
    EXPECT_FALSE(s.box->findChild<QToolButton*>("btnConsulta")->isVisible());
    s.box->setIdconsulta("SALA_JUNTA");
    s.box->setLocked(true);
    QTest::keyClick(s.box->lineEdit(), Qt::Key_F2);
    EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);
    s.box->setLocked(false);
    s.box->setIdconsulta("NO_EXISTE");
    QTest::keyClick(s.box->lineEdit(), Qt::Key_F2);
    EXPECT_EQ(s.box->findChild<LookupDialog*>("dlgConsulta"), nullptr);
    EXPECT_EQ(errorsLogged(), 1);
}

RS_INSTANTIATE_BACKENDS(TextBoxTest);
RS_INSTANTIATE_BACKENDS(TextBoxLookupTest);

}  // namespace
