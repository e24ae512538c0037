#include "src/calendar/failuretrail.h"

#include "src/shell/report.h"

namespace calendar {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

bool FailureTrail::fail(const QString& label, const QString& description) {
    text_ = label + kCrLf + description;
    return false;
}

bool FailureTrail::failAfter(const QString& label) {
    text_ = label + kCrLf + text_;
    return false;
}

void FailureTrail::reportText(const QString& message, int style, const QString& label,
                              const QString& identifier) const {
    shell::report(window_, message, style, label, identifier);
}

void FailureTrail::report(int style, const QString& label, const QString& identifier) const {
    reportText(text_, style, label, identifier);
}

}  // namespace calendar
