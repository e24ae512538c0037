#pragma once

#include <QLabel>

#include "src/shell/ilabel.h"

namespace controls {

// LabelQnt.Etiqueta: a caption in the designed colours. A negative backcolor
// leaves the screen's background showing through.
class Label : public QLabel, public shell::ILabel {
    Q_OBJECT
    Q_INTERFACES(shell::ILabel)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString idetiqueta READ idetiqueta WRITE setIdetiqueta)
    Q_PROPERTY(int alignment READ alignmentCode WRITE setAlignmentCode)
    Q_PROPERTY(int backcolor READ backcolor WRITE setBackcolor)
    Q_PROPERTY(int forecolor READ forecolor WRITE setForecolor)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    enum AlignmentCode { Left = 0, Right = 1, Center = 2 };

    explicit Label(QWidget* parent = nullptr);

    QString Caption() const override { return text(); }
    void setCaption(const QString& caption) override { setText(caption); }
    QString idetiqueta() const { return idetiqueta_; }
    void setIdetiqueta(const QString& id) { idetiqueta_ = id; }
    int alignmentCode() const { return alignmentCode_; }
    void setAlignmentCode(int code);
    int backcolor() const { return backcolor_; }
    void setBackcolor(int bgr);
    int forecolor() const { return forecolor_; }
    void setForecolor(int bgr);
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

private:
    void applyColors();

    QString idetiqueta_;
    QString tag_;
    int alignmentCode_ = Left;
    int backcolor_ = -1;
    int forecolor_ = 0x000000;
};

}  // namespace controls
