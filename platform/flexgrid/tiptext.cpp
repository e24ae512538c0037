#include "platform/flexgrid/tiptext.h"

#include <QStringView>
#include <QTextBoundaryFinder>
#include <QTextDocument>

namespace flexgrid {

// Short tips stay on one line (Qt folds even a few words of a rich tip);
// longer ones wrap as a paragraph instead of spanning the screen. Qt wraps
// only between words, so long unbroken runs (paths, codes) get invisible
// break chances (zero-width spaces) between whole characters.
QString tipDisplay(const QString& text) {
    constexpr int kOneLine = 40;
    constexpr int kLongestRun = 20;
    if (text.size() <= kOneLine && !text.contains(u'\n'))
        return QStringLiteral("<p style=\"white-space:nowrap\">%1</p>").arg(text.toHtmlEscaped());
    QString broken;
    broken.reserve(text.size() + text.size() / kLongestRun);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    int run = 0;
    for (qsizetype from = 0, to = characters.toNextBoundary(); to > from; from = to, to = characters.toNextBoundary()) {
        run = text.at(from).isSpace() ? 0 : run + 1;
        if (run > kLongestRun) {
            broken += QChar(0x200B);
            run = 1;
        }
        broken += QStringView(text).sliced(from, to - from);
    }
    return Qt::convertFromPlainText(broken, Qt::WhiteSpaceNormal);
}

}  // namespace flexgrid
