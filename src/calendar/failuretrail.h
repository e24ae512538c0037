#pragma once

#include <QString>

class QWidget;

namespace calendar {

// The screen's failure trail and its reports. An inner procedure that fails
// leaves its label, CR LF, then the description or the inner trail; a handler
// reports the trail, or a message of its own, through the host.
class FailureTrail {
public:
    explicit FailureTrail(QWidget* window) : window_(window) {}

    const QString& text() const { return text_; }
    void clear() { text_.clear(); }

    // Both return false, so a procedure can end with them.
    bool fail(const QString& label, const QString& description);
    bool failAfter(const QString& label);
    void report(int style, const QString& label, const QString& identifier) const;
    void reportText(const QString& message, int style, const QString& label, const QString& identifier) const;

private:
    QWidget* window_;
    QString text_;
};

}  // namespace calendar
