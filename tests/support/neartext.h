#pragma once

#include <random>
#include <vector>

#include <QString>

namespace testsupport {

// Texts near valid ones, for parsers: each a seed with a few characters
// replaced, inserted or deleted, drawn from digits, separators, signs,
// blanks, letters and the digits of other scripts; now and then a huge
// number, an empty text, or a seed untouched. The same sequence every run.
class NearText {
public:
    explicit NearText(std::vector<QString> seeds) : seeds_(std::move(seeds)) {}

    QString next() {
        static const QString alphabet = QStringLiteral("0123456789012345:-,T +-.  aZé٣２\u200f\t/");
        switch (pick(12)) {
            case 0: return QString();
            case 1: return QString::number(random_()) + QString::number(random_());
            case 2: return seeds_[pick(seeds_.size())];
            default: break;
        }
        QString text = seeds_[pick(seeds_.size())];
        for (int edits = 1 + static_cast<int>(pick(3)); edits > 0; --edits) {
            const QChar c = alphabet.at(static_cast<qsizetype>(pick(static_cast<std::size_t>(alphabet.size()))));
            const auto at = static_cast<qsizetype>(pick(static_cast<std::size_t>(text.size()) + 1));
            switch (pick(3)) {
                case 0: text.insert(at, c); break;
                case 1: if (at < text.size()) text[at] = c; break;
                default: text.remove(at, 1);
            }
        }
        return text;
    }

private:
    std::size_t pick(std::size_t n) { return n ? random_() % n : 0; }

    std::vector<QString> seeds_;
    std::mt19937 random_{501};
};

}  // namespace testsupport
