// The TCVN3 codec: any bytes decode, any text encodes, and text that encodes exactly decodes back.
#include "fuzz_input.h"

#include "common/tcvn3.h"
#include "datafiles/legacy_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString decoded = common::decodeTcvn3(bytes);
    bool exact = false;
    const QByteArray again = common::encodeTcvn3(decoded, &exact);
    if (exact && common::decodeTcvn3(again) != decoded.normalized(QString::NormalizationForm_C))
        __builtin_trap();
    const QString typed = fuzz::text(data, size);
    bool ok = false;
    int firstBad = -1;
    datafiles::tcvn3FromWindows1252(typed, &ok, &firstBad);
    datafiles::detectColumnEncoding({typed});
    common::encodeTcvn3(typed);
    return 0;
}
