#include "platform/richtext/richtextbox.h"

namespace richtext {

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    // Pasted HTML would otherwise arrive as formatting, images included.
    setAcceptRichText(false);
    // Tab moves on to the next control, as in every other box of a screen.
    setTabChangesFocus(true);
}

}  // namespace richtext
