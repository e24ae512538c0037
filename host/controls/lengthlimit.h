#pragma once

#include <functional>

#include <QValidator>

namespace controls {

// A text box's typing limit, in characters (a surrogate pair is one): what
// is typed or pasted past it is cut where it went in, so the box shows
// exactly what it will hand on, and a paste too long is not lost whole.
// While writing() is true the box's own screen is writing a text, which is
// kept whole: a stored key may be longer than what is typed.
class LengthLimit : public QValidator {
    Q_OBJECT
public:
    LengthLimit(std::function<bool()> writing, QObject* parent) : QValidator(parent), writing_(std::move(writing)) {}

    void setLimit(int characters) { limit_ = characters; }
    State validate(QString& input, int& pos) const override;

private:
    std::function<bool()> writing_;
    int limit_ = 0;
    mutable QString accepted_;  // the box's text as last let through
};

}  // namespace controls
