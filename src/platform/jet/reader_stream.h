#pragma once

#include "jet_source.h"

#include <QByteArray>

// The program's side of the reader process's pipe: frames (reader_protocol.h) turned into table
// names, columns and rows. Nothing the stream holds is trusted: a frame that does not parse, a row
// of the wrong width, a date or number no engine stores, all raise JetError.
namespace jet {

class ReaderStream
{
public:
    enum class State
    {
        Open,     // more frames may come
        Complete, // the reader said it answered whole
        Failed,   // the reader refused: failureKind(), failureText()
    };

    // table names the rows' table in the messages about their values.
    explicit ReaderStream(const QString& table = QString());

    // Takes the next bytes of the pipe and decodes every whole frame. Raises JetError: Damaged for
    // a stream that does not parse (an unknown frame, a frame after the end, a row whose width is
    // not the columns'), BadValue for a value out of the engine's range.
    void feed(QByteArrayView bytes);

    State state() const { return m_state; }
    // Bytes received that do not yet make a whole frame.
    qsizetype pending() const { return m_buffer.size() - m_offset; }
    quint32 completeCount() const { return m_count; }
    JetError::Kind failureKind() const { return m_failureKind; }
    QString failureText() const { return m_failureText; }

    QStringList tables;
    QList<Column> columns;
    QList<Row> rows;

private:
    void frame(quint8 tag, QByteArrayView payload);
    Row row(QByteArrayView payload) const;

    QString m_table;
    QByteArray m_buffer;
    qsizetype m_offset = 0;
    State m_state = State::Open;
    quint32 m_count = 0;
    JetError::Kind m_failureKind = JetError::Kind::Damaged;
    QString m_failureText;
};

} // namespace jet
