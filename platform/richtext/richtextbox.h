#pragma once

#include <QTextEdit>

namespace richtext {

// A multi-line box for free text, such as a meeting's purpose. Its Text is
// always plain: what comes in (typed, pasted, dropped or set by a screen) is
// taken literally and never rendered as markup.
class RichTextBox : public QTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

public slots:
    // Hides QTextEdit::setText, which guesses at markup, also for callers by name.
    void setText(const QString& text) { setPlainText(text); }

private:
    QString tag_;
};

}  // namespace richtext
