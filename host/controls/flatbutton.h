#pragma once

#include <QAbstractButton>

#include "src/shell/iflatbutton.h"

namespace controls {

// flatButtonQNT.flatButton: a flat button painted in the designed colours,
// filled with focuscolor while it has the focus.
class FlatButton : public QAbstractButton, public shell::IFlatButton {
    Q_OBJECT
    Q_INTERFACES(shell::IFlatButton)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int backcolor READ backcolor WRITE setBackcolor)
    Q_PROPERTY(int bordercolor READ bordercolor WRITE setBordercolor)
    Q_PROPERTY(int forecolor READ forecolor WRITE setForecolor)
    Q_PROPERTY(int focuscolor READ focuscolor WRITE setFocuscolor)
    Q_PROPERTY(int iconsize READ iconsizePixels WRITE setIconsizePixels)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    explicit FlatButton(QWidget* parent = nullptr);

    QString Caption() const override { return text(); }
    void setCaption(const QString& caption) override;
    int backcolor() const { return backcolor_; }
    void setBackcolor(int bgr);
    int bordercolor() const { return bordercolor_; }
    void setBordercolor(int bgr);
    int forecolor() const { return forecolor_; }
    void setForecolor(int bgr);
    int focuscolor() const { return focuscolor_; }
    void setFocuscolor(int bgr);
    int iconsizePixels() const { return iconSize().width(); }
    void setIconsizePixels(int pixels);
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int backcolor_ = 0xE0E0E0;
    int bordercolor_ = 0x808080;
    int forecolor_ = 0x000000;
    int focuscolor_ = 0xFFE0C0;
    QString tag_;
};

}  // namespace controls
