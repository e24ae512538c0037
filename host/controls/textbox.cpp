#include "host/controls/textbox.h"

#include <algorithm>

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "host/controls/catalogue.h"
#include "host/controls/lengthlimit.h"
#include "host/controls/lookupdialog.h"
#include "host/services/metaproperty.h"
#include "platform/ado/sqltext.h"
#include "platform/core/contrast.h"
#include "platform/core/error.h"
#include "platform/core/units.h"
#include "src/shell/report.h"

namespace controls {

namespace {

struct BoundStatement {
    QString sql;
    QVariantList params;
};

// The design-time statement carries the key as "?": inside a quoted literal
// it becomes the protected text, anywhere else a bound parameter.
BoundStatement bindKey(const QString& sql, const QString& key) {
    BoundStatement out;
    out.sql = ado::replacePlaceholders(sql, [&](ado::SqlPlace place) {
        if (place == ado::SqlPlace::QuotedText) return ado::protect(key);
        if (place == ado::SqlPlace::Statement) out.params << key;
        return QStringLiteral("?");
    });
    return out;
}

// The text with control characters spelled out, so the report itself can be logged.
QString printable(const QString& text) {
    QString out;
    for (const QChar c : text)
        out += c.unicode() < 0x20 || c.unicode() == 0x7f ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                                          : QString(c);
    return out;
}

bool isAllZeros(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c == QLatin1Char('0'); });
}

bool isAllDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

}  // namespace

TextBox::TextBox(QWidget* parent, services::IControlHost* host)
    : QWidget(parent), host_(host), edit_(new QLineEdit(this)), lookupButton_(new QToolButton(this)) {
    edit_->setObjectName(QStringLiteral("txt"));
    edit_->installEventFilter(this);
    lookupButton_->setObjectName(QStringLiteral("btnConsulta"));
    lookupButton_->setText(QStringLiteral("…"));
    lookupButton_->setToolTip(QStringLiteral("Consultar (F2)"));
    lookupButton_->setFocusPolicy(Qt::NoFocus);
    lookupButton_->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_, 1);
    layout->addWidget(lookupButton_);
    setFocusProxy(edit_);
    setFocusPolicy(edit_->focusPolicy());

    connect(edit_, &QLineEdit::textChanged, this, [this] {
        if (!adjusting_) emit Change();
    });
    connect(edit_, &QLineEdit::textEdited, this, &TextBox::onTextEdited);
    connect(lookupButton_, &QToolButton::clicked, this, &TextBox::MostrarConsulta);
    applyColors();
}

QString TextBox::Text() const {
    return edit_->text();
}

void TextBox::setText(const QString& text) {
    writeWhole(text);
    edited_ = false;
    // What the screen writes into a key box is its key, as a stored folio.
    if (esclave_) valorClave_ = text;
}

void TextBox::setIdconsulta(const QString& id) {
    idconsulta_ = id;
    lookupButton_->setVisible(!id.trimmed().isEmpty());
}

int TextBox::maxlength() const {
    return maxLength_;
}

void TextBox::setMaxlength(int length) {
    maxLength_ = std::max(length, 0);
    // A validator, unlike QLineEdit's own limit, leaves setText alone: the
    // limit is for typing, and a screen may hand the box a longer stored key.
    if (!limit_) limit_ = new LengthLimit([this] { return writing_ || adjusting_; }, edit_);
    limit_->setLimit(maxLength_);
    edit_->setValidator(maxLength_ > 0 ? limit_ : nullptr);
}

bool TextBox::tabStop() const {
    return edit_->focusPolicy() & Qt::TabFocus;
}

void TextBox::setTabStop(bool on) {
    edit_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusPolicy(edit_->focusPolicy());
}

bool TextBox::locked() const {
    return edit_->isReadOnly();
}

void TextBox::setLocked(bool on) {
    edit_->setReadOnly(on);
    lookupButton_->setEnabled(!on);
}

void TextBox::setEnabledcolor(int bgr) {
    enabledColor_ = bgr;
    enabledColorSet_ = true;
    applyColors();
}

void TextBox::setDisabledcolor(int bgr) {
    disabledColor_ = bgr;
    disabledColorSet_ = true;
    applyColors();
}

void TextBox::fillColors(int enabledBgr, int disabledBgr) {
    if (!enabledColorSet_) enabledColor_ = enabledBgr;
    if (!disabledColorSet_) disabledColor_ = disabledBgr;
    applyColors();
}

void TextBox::applyColors() {
    QPalette pal = edit_->palette();
    const QColor enabled = core::fromBgr(static_cast<quint32>(enabledColor_));
    pal.setColor(QPalette::Active, QPalette::Base, enabled);
    pal.setColor(QPalette::Inactive, QPalette::Base, enabled);
    const QColor disabled = core::fromBgr(static_cast<quint32>(disabledColor_));
    pal.setColor(QPalette::Disabled, QPalette::Base, disabled);
    // The style's disabled grey is unreadable on most disabled backgrounds,
    // and a stored reservation is read in a disabled box.
    pal.setColor(QPalette::Disabled, QPalette::Text, core::readableDisabledText(disabled));
    edit_->setPalette(pal);
}

services::IControlHost& TextBox::host() const {
    if (!host_) throw core::Error(QStringLiteral("El cuadro de texto %1 no tiene los servicios del anfitrión.").arg(objectName()));
    return *host_;
}

bool TextBox::upperCase() const {
    if (mayusculas_) return true;
    try {
        return host_ && host_->forceUpperCase();
    } catch (const core::Error&) {
        return false;  // no session: nothing asks for capitals
    }
}

void TextBox::onTextEdited() {
    edited_ = true;
    // Typed keys arrive upper-cased already; this catches pastes and drops.
    const QString text = edit_->text();
    if (!upperCase() || text == text.toUpper()) return;
    const int cursor = edit_->cursorPosition();
    adjusting_ = true;
    edit_->setText(text.toUpper());
    edit_->setCursorPosition(cursor);
    adjusting_ = false;
}

bool TextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
            MostrarConsulta();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const bool wasEmpty = Text().isEmpty();
            const bool confirmed = confirm();
            if (!tabonenter_) return false;  // the line edit and the screen see Enter too
            const bool notFound = tabonentercancel_ && !sql_.trimmed().isEmpty() && lastResult_.isEmpty();
            if (confirmed && !notFound && (!wasEmpty || tabonentervacio_)) focusNextChild();
            return true;
        }
        const QString typed = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && !typed.isEmpty() && typed.at(0).isPrint() && typed != typed.toUpper() && upperCase() &&
            !edit_->isReadOnly()) {
            // Insert the capital instead, so one key press stays one edit.
            edit_->insert(typed.toUpper());
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Switching to another window or a popup is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (edited_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) confirm();
    }
    return QWidget::eventFilter(watched, event);
}

// Past the typing limit: the box's own text is kept whole.
void TextBox::writeWhole(const QString& text) {
    writing_ = true;
    edit_->setText(text);
    writing_ = false;
}

QString TextBox::padKey(const QString& format, const QString& text) {
    if (!isAllZeros(format) || !isAllDigits(text) || text.size() >= format.size()) return text;
    return text.rightJustified(format.size(), QLatin1Char('0'));
}

QString TextBox::paddedKey(const QString& text) const {
    return esclave_ ? padKey(formatoClave_, text) : text;
}

void TextBox::ConfirmarClave() {
    confirm();
}

bool TextBox::confirm() {
    const QString key = paddedKey(Text());
    // A failed look-up is reported and leaves the box exactly as typed.
    if (!runLookup(key)) return false;
    if (key != Text()) writeWhole(key);  // a padded key may be longer than what is typed
    valorClave_ = key;
    edited_ = false;
    emit Consulta();
    return true;
}

void TextBox::ActualizarConsulta() {
    runLookup(Text());
}

ado::Statement TextBox::ConsultaActual() const {
    if (sql_.trimmed().isEmpty()) return {};
    const BoundStatement statement = bindKey(sql_, Text());
    return {statement.sql, statement.params};
}

bool TextBox::runLookup(const QString& key) {
    if (sql_.trimmed().isEmpty()) {
        lastResult_.clear();
        return true;
    }
    try {
        const BoundStatement statement = bindKey(sql_, key);
        ado::Recordset rs = host().Conexion().Execute(statement.sql, statement.params);
        lastResult_ = rs.Eof() || rs.FieldCount() == 0 ? QString() : rs.Fields(0).Value.toString();
    } catch (const core::Error& e) {
        report(QStringLiteral("No se pudo consultar \"%1\": %2").arg(printable(key), e.description()));
        return false;
    }
    writeResult(lastResult_);
    return true;
}

void TextBox::writeResult(const QString& value) {
    if (sqlControlResultado_.isEmpty()) return;
    QObject* target = window()->findChild<QObject*>(sqlControlResultado_);
    if (!target || target == this) {
        qWarning("txtQNT %s: no existe el control de resultado \"%s\"", qPrintable(objectName()),
                 qPrintable(sqlControlResultado_));
        return;
    }
    if (services::MetaProperty::isWritable(target, "Text"))
        target->setProperty("Text", value);
    else if (services::MetaProperty::isWritable(target, "Caption"))
        target->setProperty("Caption", value);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(value);
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        line->setText(value);
    else
        qWarning("txtQNT %s: el control \"%s\" no muestra texto", qPrintable(objectName()),
                 qPrintable(sqlControlResultado_));
}

void TextBox::report(const QString& message) {
    try {
        host().RegistrarError(message, shell::kCritical, QStringLiteral("txtQNT"), window(), QStringLiteral("RS501"),
                              QStringLiteral("ERR-ID:7600001"));
    } catch (const core::Error& e) {
        qWarning("txtQNT: %s (%s)", qPrintable(message), qPrintable(e.description()));
    }
}

void TextBox::MostrarConsulta() {
    if (idconsulta_.trimmed().isEmpty() || edit_->isReadOnly() || !isEnabled()) return;
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    const std::optional<Catalogue> catalogue = Catalogue::find(idconsulta_);
    if (!catalogue) {
        report(QStringLiteral("La consulta \"%1\" no existe.").arg(idconsulta_));
        return;
    }
    std::vector<Catalogue::Row> rows;
    bool unattended = true;
    try {
        unattended = host().unattended();
        rows = catalogue->rows(host().Conexion(), condicionConsulta_);
    } catch (const core::Error& e) {
        report(QStringLiteral("No se pudo abrir la consulta de %1: %2").arg(catalogue->title(), e.description()));
        return;
    }
    dialog_ = new LookupDialog(catalogue->title(), std::move(rows), this);
    connect(dialog_, &QDialog::finished, this, &TextBox::onLookupFinished);
    // Never modal when no one is watching; open() does not block either way.
    if (unattended)
        dialog_->show();
    else
        dialog_->open();
}

void TextBox::onLookupFinished(int result) {
    LookupDialog* dialog = dialog_;
    dialog_ = nullptr;
    if (!dialog) return;
    dialog->deleteLater();
    if (result != QDialog::Accepted) return;
    setText(dialog->picked().pick);
    edit_->setFocus();
    confirm();
}

}  // namespace controls
