#pragma once

#include <QString>
#include <stdexcept>

namespace jetsql {

// Raised for a statement or criterion the compiler cannot read. message() names what was
// expected, where, and the statement (cut to a readable length).
class SyntaxError : public std::runtime_error
{
public:
    explicit SyntaxError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace jetsql
