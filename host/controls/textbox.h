#pragma once

#include <QPointer>
#include <QWidget>

#include "host/controls/lookupdialog.h"
#include "host/services/icontrolhost.h"
#include "src/shell/itextbox.h"

class QLineEdit;
class QToolButton;

namespace controls {

class LengthLimit;

// textoQNT.txtQNT: a line edit for keys and texts with an optional look-up
// list ("…" / F2) and an optional description look-up run on confirmation.
class TextBox : public QWidget, public shell::ITextBox {
    Q_OBJECT
    Q_INTERFACES(shell::ITextBox)
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString FormatoClave READ FormatoClave WRITE setFormatoClave)
    Q_PROPERTY(QString CondicionConsulta READ CondicionConsulta WRITE setCondicionConsulta)
    Q_PROPERTY(QString ValorClave READ ValorClave)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
    Q_PROPERTY(QString idconsulta READ idconsulta WRITE setIdconsulta)
    Q_PROPERTY(QString sql READ sql WRITE setSql)
    Q_PROPERTY(QString sql_control_resultado READ sqlControlResultado WRITE setSqlControlResultado)
    Q_PROPERTY(bool esclave READ esclave WRITE setEsclave)
    Q_PROPERTY(bool mayusculas READ mayusculas WRITE setMayusculas)
    Q_PROPERTY(bool tabonenter READ tabonenter WRITE setTabonenter)
    Q_PROPERTY(bool tabonentercancel READ tabonentercancel WRITE setTabonentercancel)
    Q_PROPERTY(bool tabonentervacio READ tabonentervacio WRITE setTabonentervacio)
    Q_PROPERTY(int maxlength READ maxlength WRITE setMaxlength)
    Q_PROPERTY(bool locked READ locked WRITE setLocked)
    Q_PROPERTY(int enabledcolor READ enabledcolor WRITE setEnabledcolor)
    Q_PROPERTY(int disabledcolor READ disabledcolor WRITE setDisabledcolor)
    Q_PROPERTY(QString transaccion READ transaccion WRITE setTransaccion)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
public:
    // host: the session's services for look-ups and reports; without one the
    // box only edits text.
    explicit TextBox(QWidget* parent = nullptr, services::IControlHost* host = nullptr);

    QString Text() const override;
    void setText(const QString& text) override;
    QString FormatoClave() const override { return formatoClave_; }
    void setFormatoClave(const QString& format) override { formatoClave_ = format; }
    QString CondicionConsulta() const override { return condicionConsulta_; }
    void setCondicionConsulta(const QString& condition) override { condicionConsulta_ = condition; }
    QString ValorClave() const override { return valorClave_; }
    Q_INVOKABLE void ActualizarConsulta() override;
    ado::Statement ConsultaActual() const override;

    // Opens the look-up list of idconsulta, as F2 does. The list is a child
    // named "dlgConsulta"; a pick fills the box and confirms the key.
    Q_INVOKABLE void MostrarConsulta();
    // Confirms the key as Enter does: pads it, runs the look-up, raises Consulta().
    Q_INVOKABLE void ConfirmarClave();
    // A key as a key box confirms it: a number shorter than an all-zeros
    // format is padded with zeros to the format's length; anything else
    // stays as written.
    static QString padKey(const QString& format, const QString& text);

    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    QString idconsulta() const { return idconsulta_; }
    void setIdconsulta(const QString& id);
    QString sql() const { return sql_; }
    void setSql(const QString& sql) { sql_ = sql; }
    QString sqlControlResultado() const { return sqlControlResultado_; }
    void setSqlControlResultado(const QString& name) { sqlControlResultado_ = name; }
    bool esclave() const { return esclave_; }
    void setEsclave(bool on) { esclave_ = on; }
    bool mayusculas() const { return mayusculas_; }
    void setMayusculas(bool on) { mayusculas_ = on; }
    bool tabonenter() const { return tabonenter_; }
    void setTabonenter(bool on) { tabonenter_ = on; }
    // With tabonenter: stay in the box when its look-up finds nothing.
    bool tabonentercancel() const { return tabonentercancel_; }
    void setTabonentercancel(bool on) { tabonentercancel_ = on; }
    // With tabonenter: move on from an empty box too.
    bool tabonentervacio() const { return tabonentervacio_; }
    void setTabonentervacio(bool on) { tabonentervacio_ = on; }
    int maxlength() const;
    void setMaxlength(int length);
    bool locked() const;
    void setLocked(bool on);
    int enabledcolor() const { return enabledColor_; }
    void setEnabledcolor(int bgr);
    int disabledcolor() const { return disabledColor_; }
    void setDisabledcolor(int bgr);
    // A colour scheme's colours, for those the screen's design left unset.
    void fillColors(int enabledBgr, int disabledBgr);
    QString transaccion() const { return transaccion_; }
    void setTransaccion(const QString& code) { transaccion_ = code; }
    // Off: Tab passes the box by, a click still focuses it.
    bool tabStop() const;
    void setTabStop(bool on);

    QLineEdit* lineEdit() const { return edit_; }
    LookupDialog* lookupDialog() const { return dialog_; }

signals:
    void Change();
    void Consulta();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Throws core::Error when the box was created without a host.
    services::IControlHost& host() const;
    bool upperCase() const;
    void onTextEdited();
    // The key as confirmed: short numbers padded to an all-zeros format.
    QString paddedKey(const QString& text) const;
    void writeWhole(const QString& text);
    bool confirm();
    // Runs the design-time look-up for a key; false when it failed (reported).
    bool runLookup(const QString& key);
    void writeResult(const QString& value);
    void report(const QString& message);
    void onLookupFinished(int result);
    void applyColors();

    services::IControlHost* host_;
    QLineEdit* edit_;
    QToolButton* lookupButton_;
    LengthLimit* limit_ = nullptr;
    QPointer<LookupDialog> dialog_;
    QString formatoClave_;
    QString condicionConsulta_;
    QString valorClave_;
    QString tag_;
    QString idconsulta_;
    QString sql_;
    QString sqlControlResultado_;
    QString transaccion_;
    QString lastResult_;
    bool esclave_ = false;
    bool mayusculas_ = false;
    bool tabonenter_ = false;
    bool tabonentercancel_ = false;
    bool tabonentervacio_ = true;
    int maxLength_ = 0;  // limits what is typed; a screen may write longer keys
    int enabledColor_ = 0xFFFFFF;
    int disabledColor_ = 0xE0E0E0;
    bool enabledColorSet_ = false;  // by the design, which a scheme keeps
    bool disabledColorSet_ = false;
    bool edited_ = false;     // typed into since the key was last confirmed
    bool adjusting_ = false;  // the box is rewriting its own text
    bool writing_ = false;    // the screen is writing the text (setText)
};

}  // namespace controls
