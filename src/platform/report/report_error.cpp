#include "report_error.h"

namespace report {

ReportError::ReportError(ReportErrorCode code, const QString& message)
    : std::runtime_error(message.toStdString()), m_code(code), m_message(message)
{}

} // namespace report
