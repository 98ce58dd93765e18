#include "mdb_file.h"

#include "jet_log.h"
#include "reader_stream.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

namespace jet {

JetError::JetError(Kind kind, const QString& text) : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text)
{}

JetError::JetError(Kind kind, const QString& text, const QString& table, const QString& column, int row)
    : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text), m_table(table), m_column(column), m_row(row)
{}

namespace {

constexpr int kHeaderSize = 21;
// What the reader printed is kept up to this many bytes for the log.
constexpr qsizetype kChatterKept = 16 * 1024;
const QString kReaderName = QStringLiteral("selvaro-jet-reader");

// Jet 3 pages are 2 KiB, Jet 4 and ACE pages 4 KiB; the version byte is at offset 0x14.
QByteArray readHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kHeaderSize);
}

bool isJetHeader(const QByteArray& header)
{
    if (header.size() < kHeaderSize)
        return false;
    static const QByteArray magic("\x00\x01\x00\x00", 4);
    if (!header.startsWith(magic))
        return false;
    const QByteArray format = header.mid(4, 16);
    return format == QByteArray("Standard Jet DB\0", 16) || format == QByteArray("Standard ACE DB\0", 16);
}

QString describe(const QString& table)
{
    return table.isEmpty() ? QStringLiteral("the list of tables") : QStringLiteral("table \"") + table + "\"";
}

} // namespace

bool isJetFile(const QString& path)
{
    return isJetHeader(readHeader(path));
}

QString readerProgram()
{
    const QString named = qEnvironmentVariable("SELVARO_JET_READER");
    if (!named.isEmpty())
        return QFileInfo(named).isExecutable() ? named : QString();
    const QDir dir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {dir.filePath(kReaderName), dir.filePath(QStringLiteral("../lib/selvaro/") + kReaderName)}) {
        if (QFileInfo(candidate).isExecutable())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

struct MdbFile::Impl
{
    QString path;
    ReaderLimits limits;
    int version = 3;
    QStringList tables;
    // The columns of the tables asked about, so that they are read once.
    mutable QHash<QString, QList<Column>> columns;

    // Runs the reader for one request and returns its whole answer. The reader's standard error
    // goes to the log, never to the terminal.
    ReaderStream run(const QString& command, const QString& table) const
    {
        const QString what = describe(table);
        const QString program = readerProgram();
        if (program.isEmpty())
            throw JetError(JetError::Kind::ReaderMissing,
                           QStringLiteral("the reader program ") + kReaderName + QStringLiteral(" is not installed"));
        QProcess reader;
        reader.setProgram(program);
        QStringList arguments{QStringLiteral("--memory-mb"),
                              QString::number(limits.memoryMb),
                              QStringLiteral("--cpu-seconds"),
                              QString::number(limits.cpuSeconds),
                              command,
                              path};
        if (!table.isEmpty())
            arguments << table;
        reader.setArguments(arguments);
        reader.setStandardInputFile(QProcess::nullDevice());
        reader.start(QIODevice::ReadOnly);
        if (!reader.waitForStarted(10000))
            throw JetError(JetError::Kind::ReaderMissing,
                           program + QStringLiteral(" does not start: ") + reader.errorString());

        ReaderStream stream(table);
        QByteArray chatter;
        qint64 chatterBytes = 0;
        const auto keepChatter = [&] {
            const QByteArray more = reader.readAllStandardError();
            chatterBytes += more.size();
            if (chatter.size() < kChatterKept)
                chatter += more.left(kChatterKept - chatter.size());
        };
        const auto logChatter = [&] {
            if (chatterBytes > 0)
                qCInfo(lcJet).noquote() << "the reader printed" << chatterBytes << "bytes reading" << what << "of"
                                        << path << ":" << QString::fromLocal8Bit(chatter);
        };
        bool hung = false;
        try {
            QElapsedTimer idle;
            idle.start();
            for (;;) {
                const QByteArray frames = reader.readAllStandardOutput();
                if (!frames.isEmpty()) {
                    stream.feed(frames);
                    idle.restart();
                }
                keepChatter();
                if (reader.state() == QProcess::NotRunning)
                    break;
                if (idle.hasExpired(limits.idleMs)) {
                    hung = true;
                    break;
                }
                reader.waitForReadyRead(50);
            }
            stream.feed(reader.readAllStandardOutput());
        } catch (const JetError&) {
            reader.kill();
            reader.waitForFinished(5000);
            logChatter();
            throw;
        }
        if (hung) {
            reader.kill();
            reader.waitForFinished(5000);
            keepChatter();
        }
        logChatter();
        if (hung)
            throw JetError(JetError::Kind::Damaged,
                           QStringLiteral("the reader gave no answer for ") + QString::number(limits.idleMs) +
                               QStringLiteral(" ms reading ") + what + QStringLiteral(" and was stopped"));
        if (stream.state() == ReaderStream::State::Failed) {
            JetError e(stream.failureKind(), stream.failureText());
            e.tablesSeen = stream.tables;
            throw e;
        }
        if (stream.state() != ReaderStream::State::Complete || reader.exitStatus() != QProcess::NormalExit ||
            reader.exitCode() != 0) {
            const QString how = reader.exitStatus() == QProcess::CrashExit
                                    ? QStringLiteral("died (signal or memory limit)")
                                    : QStringLiteral("ended with code ") + QString::number(reader.exitCode());
            JetError e(JetError::Kind::Damaged,
                       QStringLiteral("the reader ") + how + QStringLiteral(" reading ") + what);
            e.tablesSeen = stream.tables;
            throw e;
        }
        return stream;
    }
};

MdbFile::MdbFile(const QString& path, const ReaderLimits& limits) : d(std::make_unique<Impl>())
{
    d->path = path;
    d->limits = limits;
    const QByteArray header = readHeader(path);
    if (!isJetHeader(header))
        throw JetError(JetError::Kind::NotJet, path + QStringLiteral(" is not a Jet database file"));
    const int pageSize = header.at(0x14) == 0 ? 2048 : 4096;
    d->version = header.at(0x14) == 0 ? 3 : 4;
    const qint64 size = QFileInfo(path).size();
    if (size < 2 * pageSize || size % pageSize != 0)
        throw JetError(JetError::Kind::Damaged, path + QStringLiteral(" is truncated"));
    ReaderStream catalog = d->run(QStringLiteral("tables"), QString());
    if (catalog.tables.size() != static_cast<qsizetype>(catalog.completeCount()))
        throw JetError(JetError::Kind::Damaged, path + QStringLiteral(": the list of tables does not add up"));
    d->tables = catalog.tables;
}

MdbFile::~MdbFile() = default;

int MdbFile::jetVersion() const
{
    return d->version;
}

QStringList MdbFile::tableNames() const
{
    return d->tables;
}

QList<Column> MdbFile::columns(const QString& table) const
{
    if (const auto known = d->columns.constFind(table); known != d->columns.constEnd())
        return *known;
    ReaderStream answer = d->run(QStringLiteral("columns"), table);
    d->columns.insert(table, answer.columns);
    return answer.columns;
}

QList<Row> MdbFile::rows(const QString& table) const
{
    ReaderStream answer = d->run(QStringLiteral("rows"), table);
    if (answer.rows.size() != static_cast<qsizetype>(answer.completeCount()))
        throw JetError(JetError::Kind::Damaged,
                       QStringLiteral("table \"") + table + QStringLiteral("\": the reader's count does not add up"));
    d->columns.insert(table, answer.columns);
    return answer.rows;
}

} // namespace jet
