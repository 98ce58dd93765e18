#include "last_error.h"

namespace app {
namespace {

RunTimeError& stored()
{
    static RunTimeError error;
    return error;
}

} // namespace

void setLastError(int number, const QString& description)
{
    stored() = RunTimeError{number, description};
}

RunTimeError lastError()
{
    return stored();
}

void clearLastError()
{
    stored() = RunTimeError{};
}

} // namespace app
