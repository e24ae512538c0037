#include "host/controls/toolbar.h"

#include <algorithm>

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "host/controls/toolbaricons.h"
#include "platform/core/fonts.h"
#include "platform/core/units.h"

namespace controls {

Toolbar::Toolbar(QWidget* parent) : QWidget(parent), caption_(new QLabel(this)) {
    setFixedHeight(core::twipsToPixels(kHeightTwips));
    // The bar fits its buttons to the width it is given, never widens its screen.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    caption_->setObjectName(QStringLiteral("lblCaption"));
    caption_->setTextFormat(Qt::PlainText);
    caption_->setFont(core::designFont(QStringLiteral("Arial"), 12, true));
    caption_->setMinimumWidth(120);

    auto* layout = new QHBoxLayout(this);
    // The commands take the upper strip; screens lay their own controls over
    // the lower half of the band.
    layout->setContentsMargins(6, 2, 6, core::twipsToPixels(kHeightTwips) / 2);
    layout->setSpacing(2);
    layout->addWidget(caption_);
    layout->addSpacing(12);

    // Esc is deliberately not bound: the screens decide what it means.
    nuevo_ = addCommand(QStringLiteral("Nuevo"), QKeySequence(Qt::CTRL | Qt::Key_N));
    modificar_ = addCommand(QStringLiteral("Modificar"), QKeySequence(Qt::CTRL | Qt::Key_M));
    consultar_ = addCommand(QStringLiteral("Consultar"), QKeySequence(Qt::CTRL | Qt::Key_K));
    // Not the bare Delete key: the screens act on Eliminar without asking, and
    // Delete is pressed in text all the time.
    eliminar_ = addCommand(QStringLiteral("Eliminar"), QKeySequence(Qt::CTRL | Qt::Key_E));
    imprimir_ = addCommand(QStringLiteral("Imprimir"), QKeySequence(Qt::CTRL | Qt::Key_P));
    aceptar_ = addCommand(QStringLiteral("Aceptar"), QKeySequence(Qt::Key_F10));
    cancelar_ = addCommand(QStringLiteral("Cancelar"), QKeySequence(Qt::Key_F12));
    salir_ = addCommand(QStringLiteral("Salir"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    cerrar_ = addCommand(QStringLiteral("Cerrar"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    layout->addStretch(1);

    connect(nuevo_, &QAction::triggered, this, [this] { EjecutarNuevo(); });
    connect(modificar_, &QAction::triggered, this, [this] {
        begin(Mode::Modify);
        emit Modificar();
    });
    connect(consultar_, &QAction::triggered, this, &Toolbar::Consultar);
    connect(eliminar_, &QAction::triggered, this, &Toolbar::Eliminar);
    connect(imprimir_, &QAction::triggered, this, &Toolbar::Imprimir);
    connect(aceptar_, &QAction::triggered, this, [this] { emit Aceptar(mode_ == Mode::New); });
    connect(cancelar_, &QAction::triggered, this, [this] {
        begin(Mode::Browse);
        emit Cancelar();
    });
    // A screen that only knows how to close is left that way by exit too.
    connect(salir_, &QAction::triggered, this, [this] {
        if (handles(&Toolbar::Salir))
            emit Salir();
        else
            emit Cerrar();
    });
    connect(cerrar_, &QAction::triggered, this, &Toolbar::Cerrar);
    refresh();
}

void Toolbar::connectNotify(const QMetaMethod& signal) {
    QWidget::connectNotify(signal);
    if (cerrar_ && signal.enclosingMetaObject() == &staticMetaObject) refresh();
}

void Toolbar::disconnectNotify(const QMetaMethod& signal) {
    QWidget::disconnectNotify(signal);
    // An invalid method stands for a disconnect of everything. A receiver being
    // destroyed calls this with the connection lock held, so refresh later.
    if (!cerrar_ || refreshQueued_ || (signal.isValid() && signal.enclosingMetaObject() != &staticMetaObject)) return;
    refreshQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshQueued_ = false;
            refresh();
        },
        Qt::QueuedConnection);
}

QAction* Toolbar::addCommand(const QString& name, const QKeySequence& shortcut) {
    auto* action = new QAction(ToolbarIcons::forCommand(name), name, this);
    action->setObjectName(QStringLiteral("act") + name);
    action->setShortcut(shortcut);
    // The tip names the key, so a person learns it from the mouse.
    action->setToolTip(QStringLiteral("%1 (%2)").arg(name, shortcut.toString(QKeySequence::NativeText)));
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("btn") + name);
    // The shortcut belongs to the button only, so a hidden button's key is dead too.
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(button);
    return action;
}

QToolButton* Toolbar::button(const QString& name) const {
    return findChild<QToolButton*>(name, Qt::FindDirectChildrenOnly);
}

void Toolbar::begin(Mode mode) {
    mode_ = mode;
    refresh();
}

void Toolbar::refresh() {
    const bool browsing = mode_ == Mode::Browse;
    const bool exitWanted = showExitButton_.trimmed().compare(QLatin1String("NO"), Qt::CaseInsensitive) != 0;
    const struct {
        QAction* action;
        bool handled, wanted, enabled;
    } commands[] = {
        {nuevo_, handles(&Toolbar::Nuevo), true, browsing && nuevoOn_},
        {modificar_, handles(&Toolbar::Modificar), true, browsing && modificarOn_},
        {consultar_, handles(&Toolbar::Consultar), true, browsing && consultarOn_},
        // A record being modified may still be deleted instead.
        {eliminar_, handles(&Toolbar::Eliminar), true, (browsing || mode_ == Mode::Modify) && eliminarOn_},
        {imprimir_, handles(&Toolbar::Imprimir), imprimirOn_, browsing && imprimirOn_},
        {aceptar_, handles(&Toolbar::Aceptar), true, !browsing},
        {cancelar_, handles(&Toolbar::Cancelar), true, !browsing},
        {salir_, handles(&Toolbar::Salir) || handles(&Toolbar::Cerrar), exitWanted, true},
        {cerrar_, handles(&Toolbar::Cerrar), true, true},
    };
    // A disabled action ignores its trigger, so an unhandled one changes no mode.
    for (const auto& c : commands) {
        c.action->setEnabled(c.handled && c.enabled);
        button(QStringLiteral("btn") + c.action->objectName().mid(3))->setVisible(c.handled && c.wanted);
    }
    fitButtons();
}

void Toolbar::fitButtons() {
    // Icons alone first, the caption whole; then names beside the icons, one
    // button at a time while they fit, the ones that leave the action or the
    // screen first: their pictures are the easiest to take for one another.
    // The order does not follow the state, so no button moves under the mouse.
    const auto buttons = findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    for (QToolButton* b : buttons) b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const char* name : {"Cancelar", "Salir", "Cerrar", "Aceptar", "Eliminar", "Modificar", "Nuevo", "Consultar",
                             "Imprimir"}) {
        QToolButton* b = button(QStringLiteral("btn") + QLatin1String(name));
        if (!b->isVisibleTo(this)) continue;
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        layout()->invalidate();
        if (layout()->sizeHint().width() > width()) b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    layout()->invalidate();
}

void Toolbar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitButtons();
}

void Toolbar::EjecutarNuevo() {
    // Runs even with the button switched off: the screen asked for it itself.
    begin(Mode::New);
    emit Nuevo();
}

void Toolbar::RechazaAceptar() {
    // The screen refused the record: the action stays under way for correction.
    refresh();
}

void Toolbar::ConfirmaAceptar() {
    begin(Mode::Browse);
}

void Toolbar::Activar(bool on) {
    active_ = on;
    refresh();
}

void Toolbar::setNuevoHabilitado(bool on) {
    nuevoOn_ = on;
    refresh();
}

void Toolbar::setModificarHabilitado(bool on) {
    modificarOn_ = on;
    refresh();
}

void Toolbar::setEliminarHabilitado(bool on) {
    eliminarOn_ = on;
    refresh();
}

void Toolbar::setConsultarHabilitado(bool on) {
    consultarOn_ = on;
    refresh();
}

void Toolbar::setImprimirHabilitado(bool on) {
    imprimirOn_ = on;
    refresh();
}

QString Toolbar::caption() const {
    return caption_->text();
}

void Toolbar::setCaption(const QString& text) {
    caption_->setText(text);
    caption_->setMinimumWidth(std::max(120, caption_->sizeHint().width()));
}

void Toolbar::setShowexitbutton(const QString& text) {
    showExitButton_ = text;
    refresh();
}

}  // namespace controls
