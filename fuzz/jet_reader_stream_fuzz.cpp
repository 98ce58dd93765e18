// The program's side of the Jet reader's pipe: any bytes the reader process might write (it reads
// hostile files) are decoded or refused with JetError, in one piece or split at any point.
#include "platform/jet/reader_stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const qsizetype split = size > 0 ? data[0] % (bytes.size() + 1) : 0;
    jet::ReaderStream whole(QStringLiteral("t"));
    jet::ReaderStream parts(QStringLiteral("t"));
    bool wholeFailed = false;
    bool partsFailed = false;
    try {
        whole.feed(bytes);
    } catch (const jet::JetError&) {
        wholeFailed = true;
    }
    try {
        parts.feed(bytes.first(split));
        parts.feed(bytes.sliced(split));
    } catch (const jet::JetError&) {
        partsFailed = true;
    }
    // Where the bytes are cut never changes the answer.
    if (wholeFailed != partsFailed ||
        (!wholeFailed && (whole.rows != parts.rows || whole.tables != parts.tables || whole.state() != parts.state())))
        __builtin_trap();
    return 0;
}
