#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>

#include "host/schema/schema.h"
#include "platform/core/error.h"
#include "tests/src/editorfixture.h"
#include "tests/support/hostiletext.h"

namespace {

using reservation::frmReservacion;
using schema::Column;
using schema::Schema;
using testsupport::hostileTexts;

// --- straight through the database facade ---------------------------------

class HostileColumnsTest : public testsupport::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        Schema::ensure(*conn);
    }
    // A valid value for a column the row needs besides the one tried.
    static QVariant filler(const Column& c) {
        switch (c.kind) {
            case Column::Kind::Date: return QDate(2031, 1, 6);
            case Column::Kind::Timestamp: return QDateTime(QDate(2031, 1, 6), QTime(9, 0));
            case Column::Kind::TimeText: return QStringLiteral("09:00");
            case Column::Kind::Integer: return 1;
            default: return QStringLiteral("k");
        }
    }
};

// Each text the screens show takes every text as a bound value: stored and
// read back whole when it fits, else refused by both engines with a message
// naming the column (or the character) and nothing written. Spaces past the
// width are no exception: an engine that cut them would keep another text.
TEST_P(HostileColumnsTest, EveryShownTextColumnKeepsATextWholeOrRefusesItOnBothEngines) {
    const std::pair<const char*, QStringList> shown[] = {
        {"Reservacion_Sala_Junta", {"Rsj_Folio", "Sj_Cve_Sala_Junta", "Rsj_Cliente", "Rsj_Responsable", "Rsj_Proposito"}},
        {"Sala_Junta", {"Sj_Cve_Sala_Junta", "Sj_Descripcion"}},
        {"Cliente", {"Cl_Cve_Cliente", "Cl_Razon_Social"}},
        {"Tabla_General_Detalle", {"Tgd_Valor"}},
        {"Bitacora_Error", {"Be_Mensaje"}},
    };
    for (const auto& [name, columns] : shown) {
        const schema::Table& table = *Schema::findTable(name);
        for (const Column& target : table.columns) {
            if (!columns.contains(target.name)) continue;
            QStringList names;
            QVariantList values;
            for (const Column& c : table.columns)
                if (c.notNull && c.kind != Column::Kind::AutoId && c.name != target.name) names << c.name, values << filler(c);
            names << target.name;
            const QString insert = QString("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(table.name, names.join(", "), QStringList(names.size(), "?").join(", "));
            for (const auto& h : hostileTexts()) {
                SCOPED_TRACE(target.name.toStdString() + ": " + h.name);
                conn->Execute("DELETE FROM " + table.name);
                const bool fits = !h.refused && (!target.maxLength || testsupport::characters(h.text) <= target.maxLength);
                try {
                    conn->Execute(insert, values + QVariantList{h.text});
                    EXPECT_TRUE(fits) << "stored";
                } catch (const core::Error& e) {
                    EXPECT_FALSE(fits) << e.what();
                    EXPECT_TRUE(e.description().contains(h.refused ? "carácter de control" : target.name, Qt::CaseInsensitive))
                        << e.what();
                }
                EXPECT_EQ(rows(QString("SELECT %1 FROM %2").arg(target.name, table.name)),
                          fits ? QStringList{h.text} : QStringList{});
            }
        }
    }
}

RS_INSTANTIATE_BACKENDS(HostileColumnsTest);

// --- typed into the screens -------------------------------------------------

// The calendar and its editor, reporting through message boxes that a watch
// reads and closes, with every text typed (or, when long, pasted) as a person
// would. Stored: folio 7, Monday 09:30-11:00 in room 1.
class HostileInputTest : public testsupport::EditorTest {
protected:
    void SetUp() override {
        unattended = false;
        EditorTest::SetUp();
        if (IsSkipped()) return;
        openOnRoom(false);
        auto* watch = new QTimer(screen);
        QObject::connect(watch, &QTimer::timeout, watch, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.emplace_back(box->textFormat(), box->text());
                box->accept();
            }
        });
        watch->start(5);
    }

    // A text with a NUL cannot be typed: it arrives as another program would hand it.
    static void enter(QWidget* control, const testsupport::HostileText& h) {
        h.refused ? void(control->setProperty("Text", h.text)) : typeInto(control, h.text);
    }

    // What a capitalising box with a typing limit shows for the text typed
    // or pasted: a paste too long is cut at the limit, as typing stops there.
    static QString capitals(const QString& text, int limit) {
        const QList<uint> points = text.toUpper().toUcs4();
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), std::min<qsizetype>(points.size(), limit));
    }

    // No label anywhere shows the text as markup.
    static void expectPlainLabels(const QString& text) {
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QLabel* label : top->findChildren<QLabel*>())
                if (!text.isEmpty() && label->text().contains(text) && label->objectName() != "qtooltip_label") {
                    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
                }
    }
    // The tip of a slot cell, as the reader sees it.
    QString tipOf(const char* slot, const QDate& day) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->cellRect(rowOf(slot), columnOf(day)).center());
        QTextDocument shown;
        shown.setHtml(grid()->toolTip());
        // Break chances and blanks at the end are invisible.
        EXPECT_EQ(shown.toPlainText().remove(QChar(0x200B)).trimmed(), grid()->ToolTipText().remove(QChar(0x200B)).trimmed());
        return grid()->ToolTipText();
    }

    QStringList others() {  // what no save of a new reservation may touch
        return rows("SELECT * FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '0000000007'") +
               rows("SELECT * FROM Sala_Junta ORDER BY 1") + rows("SELECT * FROM Cliente ORDER BY 1");
    }
    void forgetCase() {
        for (const char* sql : {"DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'",
                                "DELETE FROM Tabla_General_Detalle", "DELETE FROM Bitacora_Error"})
            conn->Execute(sql);
        clickButton("cmdSemana");  // the slot shows free again
        boxes.clear();
    }
    // Aceptar either stored (nothing reported) or refused with one report,
    // after at most one from entering the text (a key box's look-up); each
    // shown once, as plain text.
    void expectOneOutcome(bool stored, std::size_t entering) {
        const auto logged = reports();
        EXPECT_LE(entering, 1u);
        EXPECT_EQ(logged.size() - entering, stored ? 0u : 1u) << (logged.empty() ? "" : logged.back().second.toStdString());
        ASSERT_EQ(boxes.size(), logged.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].first, Qt::PlainText);
            EXPECT_EQ(boxes[i].second, logged[i].second);
        }
    }

    std::vector<std::pair<Qt::TextFormat, QString>> boxes;
};

// The worst texts in each kind of box a person types into on a new reservation (a name box
// with capitals and a limit, the purpose's rich text): the box shows it as it takes it, and
// Aceptar stores exactly that, which the calendar's tip and the editor show back; or nothing
// is stored and one clear report says why. Nothing else changes.
TEST_P(HostileInputTest, EditorBoxesStoreWhatTheyShowOrRefuseOnce) {
    if (GetParam() != "sqlite") GTEST_SKIP() << "the window is walked on one engine";
    const QDate tuesday = monday.addDays(1);
    const char* const editorBoxes[] = {"txtResponsable", "txtProposito"};
    for (const auto& h : hostileTexts()) {
        if (!QStringList{"drop table", "embedded NUL", "5000 characters", "emoji", "image markup"}.contains(h.name)) continue;
        for (const char* name : editorBoxes) {
            SCOPED_TRACE(std::string(name) + ": " + h.name);
            const bool responsable = name == editorBoxes[0];  // capitals, at most 50
            const QString shown = h.refused || !responsable ? h.text : capitals(h.text, 50);
            const QStringList before = others(), catalogue = rows("SELECT * FROM Tabla_General_Detalle");
            std::size_t entering = 0;
            throughEditor("12:00", tuesday, [&](frmReservacion* e) {
                typeInto(e, responsable ? "txtProposito" : "txtResponsable", responsable ? "Plan" : "ANA");
                QWidget* box = e->findChild<QWidget*>(name);
                enter(box, h);
                QTest::keyClick(input(box), responsable ? Qt::Key_Return : Qt::Key_Tab);
                EXPECT_EQ(text(e, name), shown);
                expectPlainLabels(shown);
                entering = reports().size();
                click(e, "Aceptar");
                if (e->isVisible()) click(e, "Cancelar");
            });
            const QString folio = rows("SELECT Rsj_Folio FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'").join(' ');
            EXPECT_EQ(!folio.isEmpty(), !h.refused);
            expectOneOutcome(!h.refused, entering);
            EXPECT_EQ(others(), before);
            if (h.refused) {
                EXPECT_EQ(rows("SELECT * FROM Tabla_General_Detalle"), catalogue);
            } else {
                EXPECT_EQ(rows(QString("SELECT Rsj_%1 FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '%2'").arg(name + 3, folio)),
                          QStringList{shown});
                const QString who = responsable ? shown : "ANA";
                EXPECT_EQ(rows("SELECT Tgd_Valor FROM Tabla_General_Detalle"), QStringList{who});
                EXPECT_EQ(tipOf("12:00", tuesday), "RESPONSABLE: " + who);
                throughEditor("12:00", tuesday, [&](frmReservacion* e) {
                    EXPECT_EQ(text(e, name), shown);
                    expectPlainLabels(shown);
                    click(e, "Salir");
                });
            }
            forgetCase();
        }
    }
}

// Each text typed (or pasted) into the calendar's room box: a key naming a
// room shows its name, plain, and its reservations, and a free slot opens
// the editor on that very key, which a save stores whole; any other key
// names no room and reports nothing, and one that cannot even be looked up
// is reported once and leaves no other room's name beside it.
TEST_P(HostileInputTest, TheCalendarRoomBoxFindsExactlyTheRoomTyped) {
    const QDate tuesday = monday.addDays(1);
    for (const auto& h : hostileTexts()) {
        SCOPED_TRACE(h.name);
        const QString key = h.refused ? h.text : h.text.toUpper();
        const bool exists = !h.refused && testsupport::characters(key) <= 20;
        const QString name = testsupport::characters(h.text) <= 100 ? h.text : "Sala larga";
        if (exists) {
            conn->Execute("INSERT INTO Sala_Junta (Sj_Cve_Sala_Junta, Sj_Descripcion) VALUES (?, ?)", {key, name});
            addReservation("0000000008", monday, "10:00", "11:00", key);
        }
        if (h.refused) {  // over a room shown, whose name must go
            typeInto(screen, "txtSalaJunta", "0000000001");
            QTest::keyClick(roomEdit(), Qt::Key_Return);
        }
        enter(screen->findChild<QWidget*>("txtSalaJunta"), h);
        if (!h.refused) QTest::keyClick(roomEdit(), Qt::Key_Return);
        EXPECT_EQ(roomEdit()->text(), key.left(32767));  // a line edit's own limit: no key is that long
        EXPECT_EQ(roomName(), exists ? name : "");
        expectPlainLabels(name);
        if (!h.refused) {
            EXPECT_EQ(cell("10:00", monday), std::make_pair(exists ? kBlue : kGreen, QString(exists ? "0000000008" : "")));
        }
        expectOneOutcome(!h.refused, 0);
        if (exists) {
            throughEditor("14:00", tuesday, [&](frmReservacion* e) {
                EXPECT_EQ(text(e, "txtSala_Junta"), key);
                EXPECT_EQ(text(e, "txtNSalaJunta"), name);
                typeInto(e, "txtResponsable", "ANA");
                typeInto(e, "txtProposito", "Plan");
                click(e, "Aceptar");
            });
            EXPECT_EQ(rows("SELECT Sj_Cve_Sala_Junta FROM Reservacion_Sala_Junta WHERE Rsj_Inicio = '14:00'"),
                      QStringList{key});
            expectOneOutcome(true, 0);
        }
        conn->Execute("DELETE FROM Sala_Junta WHERE Sj_Cve_Sala_Junta NOT IN ('0000000001', '0000000002', '0000000006')");
        typeInto(screen, "txtSalaJunta", "");
        forgetCase();
    }
}

RS_INSTANTIATE_BACKENDS(HostileInputTest);

}  // namespace
