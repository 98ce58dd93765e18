#include "reader_stream.h"

#include "jet_date.h"
#include "reader_protocol.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace jet {

namespace p = protocol;

namespace {

JetError malformed(const QString& what)
{
    return JetError(JetError::Kind::Damaged, QStringLiteral("the reader's answer does not parse: ") + what);
}

// Reads the parts of one payload, refusing to go past its end.
class Cursor
{
public:
    explicit Cursor(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_at == m_bytes.size(); }
    QByteArrayView take(qsizetype size)
    {
        if (size < 0 || size > m_bytes.size() - m_at)
            throw malformed(QStringLiteral("a frame ends inside a value"));
        const QByteArrayView part = m_bytes.sliced(m_at, size);
        m_at += size;
        return part;
    }
    quint8 u8() { return static_cast<quint8>(take(1)[0]); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4).data()); }
    qint64 i64() { return qFromLittleEndian<qint64>(take(8).data()); }
    double f64()
    {
        const quint64 bits = qFromLittleEndian<quint64>(take(8).data());
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    QByteArrayView sized() { return take(static_cast<qsizetype>(u32())); }
    QByteArrayView rest() { return take(m_bytes.size() - m_at); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

} // namespace

ReaderStream::ReaderStream(const QString& table) : m_table(table) {}

void ReaderStream::feed(QByteArrayView bytes)
{
    m_buffer.append(bytes.data(), bytes.size());
    while (m_buffer.size() - m_offset >= 5) {
        const auto tag = static_cast<quint8>(m_buffer.at(m_offset));
        const quint32 length = qFromLittleEndian<quint32>(m_buffer.constData() + m_offset + 1);
        if (length > p::kMaxFrame)
            throw malformed(QStringLiteral("a frame of ") + QString::number(length) + QStringLiteral(" bytes"));
        if (m_buffer.size() - m_offset - 5 < static_cast<qsizetype>(length))
            break;
        const QByteArrayView payload(m_buffer.constData() + m_offset + 5, static_cast<qsizetype>(length));
        m_offset += 5 + static_cast<qsizetype>(length);
        frame(tag, payload);
    }
    // Keep only the bytes of the frame not yet whole.
    if (m_offset > 0 && (m_offset == m_buffer.size() || m_offset > 1024 * 1024)) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
}

void ReaderStream::frame(quint8 tag, QByteArrayView payload)
{
    if (m_state != State::Open)
        throw malformed(QStringLiteral("a frame after the end"));
    Cursor in(payload);
    switch (tag) {
    case p::Table:
        tables << QString::fromUtf8(in.rest());
        break;
    case p::Column: {
        const quint8 type = in.u8();
        const quint32 size = in.u32();
        if (type > static_cast<quint8>(ColumnType::Other) || size > 0xFFFF)
            throw malformed(QStringLiteral("a column of type ") + QString::number(type));
        if (!rows.isEmpty() || columns.size() >= static_cast<qsizetype>(p::kMaxColumns))
            throw malformed(QStringLiteral("a column after the rows or beyond the engine's limit"));
        columns << Column{QString::fromUtf8(in.rest()), static_cast<ColumnType>(type), static_cast<int>(size)};
        break;
    }
    case p::Row:
        rows << row(payload);
        break;
    case p::Complete:
        m_count = in.u32();
        if (!in.atEnd())
            throw malformed(QStringLiteral("a long end frame"));
        m_state = State::Complete;
        break;
    case p::Failure: {
        const quint8 kind = in.u8();
        if (kind > static_cast<quint8>(JetError::Kind::TooLong))
            throw malformed(QStringLiteral("a failure of kind ") + QString::number(kind));
        m_failureKind = static_cast<JetError::Kind>(kind);
        m_failureText = QString::fromUtf8(in.rest());
        m_state = State::Failed;
        break;
    }
    default:
        throw malformed(QStringLiteral("a frame tagged ") + QString::number(tag));
    }
}

Row ReaderStream::row(QByteArrayView payload) const
{
    Cursor in(payload);
    Row row;
    row.reserve(columns.size());
    const int number = static_cast<int>(rows.size()) + 1;
    auto refuse = [&](const QString& what) {
        const QString column = columns.value(row.size()).name;
        return JetError(JetError::Kind::BadValue,
                        what + QStringLiteral(" in column \"") + column + QStringLiteral("\" of table \"") + m_table +
                            QStringLiteral("\", row ") + QString::number(number),
                        m_table, column, number);
    };
    while (!in.atEnd()) {
        if (row.size() >= columns.size())
            throw malformed(QStringLiteral("a row wider than its columns"));
        switch (in.u8()) {
        case p::Null:
            row << QVariant();
            break;
        case p::Bool: {
            const quint8 b = in.u8();
            if (b > 1)
                throw malformed(QStringLiteral("a truth value of ") + QString::number(b));
            row << QVariant(b == 1);
            break;
        }
        case p::Integer:
            row << QVariant(in.i64());
            break;
        case p::Currency:
            row << QVariant(double(in.i64()) / 10000.0);
            break;
        case p::Real: {
            const double d = in.f64();
            if (!std::isfinite(d))
                throw refuse(QStringLiteral("a number that is not finite"));
            row << QVariant(d);
            break;
        }
        case p::Date: {
            const double d = in.f64();
            if (!isJetDate(d))
                throw refuse(QStringLiteral("a date outside the years 100 to 9999 (") + QString::number(d) +
                             QStringLiteral(")"));
            row << QVariant(dateFromJet(d));
            break;
        }
        case p::Text:
            row << QVariant(QString::fromUtf8(in.sized()));
            break;
        case p::Bytes: {
            const QByteArrayView bytes = in.sized();
            row << QVariant(QByteArray(bytes.data(), bytes.size()));
            break;
        }
        default:
            throw malformed(QStringLiteral("an unknown value"));
        }
    }
    if (row.size() != columns.size())
        throw malformed(QStringLiteral("a row narrower than its columns"));
    return row;
}

} // namespace jet
