// Date parsing: any text typed in a date box or stored in a date column is parsed, normalised,
// stepped and left without undefined behaviour, and a date the check accepts reads back the same.
#include "fuzz_input.h"

#include "common/date_field.h"
#include "common/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString typed = fuzz::text(data, size);
    const QString parsed = common::parseDate(typed);
    common::normaliseDate(typed);
    common::monthNameDate(typed);
    common::dateFromDisplay(typed);
    common::leaveDateField(typed);
    common::stepDateField(typed, 1);
    common::stepDateField(typed, -1);
    if (!parsed.isEmpty() && common::parseDate(parsed) != parsed)
        __builtin_trap(); // a parsed date parses to itself
    return 0;
}
