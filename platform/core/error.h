#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace core {

// The one error type of the project: a description the user can read and,
// when a statement failed, the statement that failed.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& description, const QString& statement = {})
        : std::runtime_error(description.toStdString()),
          description_(description),
          statement_(statement) {}

    const QString& description() const { return description_; }
    const QString& statement() const { return statement_; }

private:
    QString description_;
    QString statement_;
};

// The readable description of any failure: ours, or another library's what().
inline QString describe(const std::exception& e) {
    if (const auto* error = dynamic_cast<const Error*>(&e)) return error->description();
    return QString::fromLocal8Bit(e.what());
}

}  // namespace core
