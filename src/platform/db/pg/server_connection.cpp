#include "server_connection.h"

#include <cstdlib>

#include "platform/db/db_error.h"
#include "platform/db/db_log.h"
#include "platform/db/event_pass.h"
#include "platform/db/sql_quote.h"

#include <libpq-fe.h>

#include <QDate>
#include <QDateTime>
#include <QtEndian>
#include <exception>
#include <vector>

namespace db::pg {

namespace {

// Type OIDs of the server's built-in types (pg_type.oid), fixed since PostgreSQL 7.
enum TypeOid : Oid
{
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    NumericOid = 1700
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8).trimmed();
}

// The layer's number for a server error, from its SQLSTATE.
int errorNumber(const QString& sqlState)
{
    if (sqlState == u"23505")
        return errc::DuplicateKey;
    if (sqlState == u"23502")
        return errc::NullNotAllowed;
    if (sqlState == u"22001")
        return errc::FieldTooSmall;
    // The only checks a data set's tables have are those refusing "" where it is not allowed.
    if (sqlState == u"23514")
        return errc::ZeroLengthNotAllowed;
    if (sqlState == u"42P01")
        return errc::TableNotFound;
    if (sqlState == u"42703")
        return errc::ItemNotFound;
    if (sqlState == u"42601")
        return errc::SyntaxError;
    // A lock not granted within lock_timeout: another client is writing, as a file held elsewhere.
    if (sqlState == u"55P03")
        return errc::FileLocked;
    if (sqlState == u"28P01" || sqlState == u"28000")
        return errc::InvalidPassword;
    // Connection exceptions, and the server shutting down under us.
    if (sqlState.startsWith(u"08") || sqlState == u"57P01" || sqlState == u"57P02" || sqlState == u"57P03")
        return errc::ServerUnreachable;
    return errc::ServerCallFailed;
}

QVariant cellValue(const PGresult* result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return {};
    const char* value = PQgetvalue(result, row, column);
    switch (PQftype(result, column)) {
    case BoolOid:
        return value[0] == 't';
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
        return QByteArray(value).toLongLong();
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return QByteArray(value).toDouble();
    case ByteaOid: {
        size_t length = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(value), &length);
        if (!bytes)
            throw DbError(errc::ServerCallFailed, QStringLiteral("bytea value could not be decoded"));
        QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(length));
        PQfreemem(bytes);
        return data;
    }
    default:
        return QString::fromUtf8(value, PQgetlength(result, row, column));
    }
}

// A value as libpq sends it: text for everything but bytes, which go in binary form.
struct BoundValue
{
    QByteArray data;
    bool isNull = false;
    bool binary = false;
};

BoundValue bind(const QVariant& value)
{
    if (value.isNull())
        return {{}, true, false};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return {value.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false"), false, false};
    case QMetaType::Double:
    case QMetaType::Float:
        return {QByteArray::number(value.toDouble(), 'g', 17), false, false};
    case QMetaType::QByteArray:
        return {value.toByteArray(), false, true};
    case QMetaType::QDate:
        return {value.toDate().toString(Qt::ISODate).toUtf8(), false, false};
    case QMetaType::QDateTime:
        return {value.toDateTime().toString(Qt::ISODateWithMs).toUtf8(), false, false};
    default:
        // Cleaned as on a data file: a NUL would end the text, a lone surrogate is no UTF-8.
        return {cleanText(value.toString()).toUtf8(), false, false};
    }
}

} // namespace

QString versionText(int versionNumber)
{
    // From 10 on: major * 10000 + minor; before: major * 10000 + minor * 100 + patch.
    if (versionNumber >= 100000)
        return QString::number(versionNumber / 10000) + u'.' + QString::number(versionNumber % 10000);
    return QString::number(versionNumber / 10000) + u'.' + QString::number(versionNumber / 100 % 100) + u'.' +
           QString::number(versionNumber % 100);
}

void checkServerVersion(int versionNumber)
{
    if (versionNumber < OldestServerVersion) {
        throw DbError(errc::ServerTooOld, QStringLiteral("Máy chủ PostgreSQL phiên bản ") + versionText(versionNumber) +
                                              QStringLiteral(" đã cũ; Selvaro cần máy chủ phiên bản ") +
                                              versionText(OldestServerVersion).section(u'.', 0, 0) +
                                              QStringLiteral(" trở lên."));
    }
}

struct ServerConnection::Result
{
    std::unique_ptr<PGresult, void (*)(PGresult*)> handle{nullptr, PQclear};
};

std::unique_ptr<ServerConnection> ServerConnection::open(const QString& connection)
{
    // Only the standard libpq settings count; our settings never travel in the string.
    pg_conn* raw = PQconnectdb(connection.toUtf8().constData());
    if (!raw)
        throw DbError(errc::ServerUnreachable, QStringLiteral("out of memory while connecting"));
    std::unique_ptr<ServerConnection> server(new ServerConnection(raw));
    if (PQstatus(raw) != CONNECTION_OK) {
        // Told apart without reading the server's message, which comes in the server's language.
        const bool password = PQconnectionNeedsPassword(raw) || PQconnectionUsedPassword(raw);
        throw DbError(password ? errc::InvalidPassword : errc::ServerUnreachable, text(PQerrorMessage(raw)));
    }
    checkServerVersion(PQserverVersion(raw));
    // The server's notices ("schema ... does not exist, skipping") go to our log, not the terminal.
    PQsetNoticeProcessor(
        raw,
        [](void*, const char* message) { qCDebug(lcDb) << "server notice:" << QString::fromUtf8(message).trimmed(); },
        nullptr);
    if (PQsetClientEncoding(raw, "UTF8") != 0)
        throw DbError(errc::ServerCallFailed, text(PQerrorMessage(raw)));
    return server;
}

ServerConnection::ServerConnection(pg_conn* connection) : m_connection(connection) {}

ServerConnection::~ServerConnection()
{
    PQfinish(m_connection);
}

int ServerConnection::serverVersion() const
{
    return PQserverVersion(m_connection);
}

// The values of a statement as libpq takes them; the pointers live as long as this object.
struct ServerConnection::Bound
{
    explicit Bound(const QVariantList& values)
    {
        held.reserve(size_t(values.size()));
        for (const QVariant& value : values)
            held.push_back(bind(value));
        for (const BoundValue& value : held) {
            data.push_back(value.isNull ? nullptr : value.data.constData());
            lengths.push_back(int(value.data.size()));
            formats.push_back(value.binary ? 1 : 0);
        }
    }
    int count() const { return int(held.size()); }

    std::vector<BoundValue> held;
    std::vector<const char*> data;
    std::vector<int> lengths;
    std::vector<int> formats;
};

void ServerConnection::raise(const PGresult* result, const QString& sql)
{
    if (!result || PQstatus(m_connection) == CONNECTION_BAD) {
        // The transaction the statement ran in is gone with the connection: what it wrote is not
        // kept, and the caller must hear so at every statement until it rolls back.
        if (PQstatus(m_connection) == CONNECTION_BAD && m_transactionBefore != PQTRANS_IDLE) {
            m_transactionLost = true;
            ++m_rollbacks;
        }
        throw DbError(errc::ServerUnreachable, lostText() + QStringLiteral("\n") + text(PQerrorMessage(m_connection)) +
                                                   QStringLiteral("\n") + sql);
    }
    const QString sqlState = text(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    throw DbError(errorNumber(sqlState), sqlState + QStringLiteral(": ") +
                                             text(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)) +
                                             QStringLiteral("\n") + sql);
}

QString ServerConnection::lostText() const
{
    return m_transactionLost ? QStringLiteral("Mất kết nối với máy chủ PostgreSQL giữa chừng; những gì đang ghi "
                                              "chưa được lưu.")
                             : QStringLiteral("Mất kết nối với máy chủ PostgreSQL.");
}

void ServerConnection::readyFor(const QString& sql)
{
    if (PQstatus(m_connection) != CONNECTION_OK) {
        if (m_transactionLost && sql.trimmed().compare(QLatin1String("rollback"), Qt::CaseInsensitive) != 0)
            throw DbError(errc::ServerUnreachable, lostText() + QStringLiteral("\n") + sql);
        m_transactionLost = false;
        // A server back after a restart takes us again; one that is not answers at once.
        PQreset(m_connection);
        m_catalog.clear();
        m_searchPath.clear();
        if (PQstatus(m_connection) != CONNECTION_OK)
            throw DbError(errc::ServerUnreachable, lostText() + QStringLiteral("\n") +
                                                       text(PQerrorMessage(m_connection)) + QStringLiteral("\n") + sql);
        qCInfo(lcDb) << "connected to the server again";
        if (PQsetClientEncoding(m_connection, "UTF8") != 0)
            throw DbError(errc::ServerCallFailed, text(PQerrorMessage(m_connection)));
        for (const QString& setting : std::as_const(m_sessionSettings))
            run(setting, {});
    }
    m_transactionBefore = PQtransactionStatus(m_connection);
}

void ServerConnection::keepForSession(const QString& sql)
{
    exec(sql);
    m_sessionSettings << sql;
}

void ServerConnection::useSearchPath(const QString& path)
{
    if (PQstatus(m_connection) != CONNECTION_OK)
        m_searchPath.clear(); // the next statement connects again, on the server's default path
    if (path != m_searchPath)
        exec(QStringLiteral("set search_path to ") + path);
}

QList<QVariantList> ServerConnection::catalogQuery(const QString& sql, const QVariantList& values)
{
    const quint64 pass = currentEventPass();
    if (pass == 0)
        return query(sql, values);
    if (pass != m_catalogPass) {
        m_catalog.clear();
        m_catalogPass = pass;
    }
    QString key = sql;
    for (const QVariant& value : values)
        key += QChar(0x1f) + value.toString();
    if (const auto kept = m_catalog.constFind(key); kept != m_catalog.constEnd())
        return *kept;
    const QList<QVariantList> rows = query(sql, values);
    m_catalog.insert(key, rows);
    return rows;
}

ServerConnection::Result ServerConnection::run(const QString& sql, const QVariantList& values, int resultFormat)
{
    static const QLatin1String setPath("set search_path to ");
    const bool settingPath = sql.startsWith(setPath, Qt::CaseInsensitive);
    // Anything but a SELECT may change a definition (or begin, end or undo a change of one); the
    // definitions are read with their schemas named, whatever the search path.
    if (!settingPath && !sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        m_catalog.clear();
    readyFor(sql);
    const Bound bound(values);
    Result result;
    result.handle.reset(PQexecParams(m_connection, cleanText(sql).toUtf8().constData(), bound.count(), nullptr,
                                     bound.data.data(), bound.lengths.data(), bound.formats.data(), resultFormat));
    const ExecStatusType status = result.handle ? PQresultStatus(result.handle.get()) : PGRES_FATAL_ERROR;
    if (sql.startsWith(QLatin1String("rollback"), Qt::CaseInsensitive)) {
        if (!m_discarding)
            ++m_rollbacks;
        m_searchPath.clear(); // a path set inside what was rolled back is undone with it
    }
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        if (settingPath)
            m_searchPath.clear();
        raise(result.handle.get(), sql);
    }
    if (settingPath)
        m_searchPath = sql.mid(setPath.size());
    return result;
}

void ServerConnection::inTransaction(const std::function<void()>& work)
{
    transaction([&] {
        work();
        return true;
    });
}

void ServerConnection::inTransactionIfChanged(const std::function<int()>& work)
{
    transaction([&] { return work() != 0; });
}

void ServerConnection::transaction(const std::function<bool()>& work)
{
    // Inside an open transaction the work is a savepoint of it, undone alone when it fails.
    const bool nested = PQtransactionStatus(m_connection) == PQTRANS_INTRANS;
    exec(nested ? QStringLiteral("savepoint selvaro_work") : QStringLiteral("begin"));
    bool keep = true;
    try {
        keep = work();
    } catch (...) {
        try {
            if (nested) {
                exec(QStringLiteral("rollback to savepoint selvaro_work"));
                exec(QStringLiteral("release savepoint selvaro_work"));
            } else {
                exec(QStringLiteral("rollback"));
            }
        } catch (const DbError& e) {
            qCWarning(lcDb) << "rollback on the server failed:" << e.description();
        }
        throw;
    }
    if (nested) {
        exec(QStringLiteral("release savepoint selvaro_work"));
    } else if (keep) {
        exec(QStringLiteral("commit"));
    } else {
        m_discarding = true;
        try {
            exec(QStringLiteral("rollback"));
        } catch (...) {
            m_discarding = false;
            throw;
        }
        m_discarding = false;
    }
}

QList<ServerConnection::ResultColumn> ServerConnection::resultColumns(const QString& sql)
{
    readyFor(sql);
    const Result prepared{{PQprepare(m_connection, "", cleanText(sql).toUtf8().constData(), 0, nullptr), PQclear}};
    if (!prepared.handle || PQresultStatus(prepared.handle.get()) != PGRES_COMMAND_OK)
        raise(prepared.handle.get(), sql);
    const Result described{{PQdescribePrepared(m_connection, ""), PQclear}};
    if (!described.handle || PQresultStatus(described.handle.get()) != PGRES_COMMAND_OK)
        raise(described.handle.get(), sql);
    const PGresult* r = described.handle.get();
    QList<ResultColumn> columns;
    for (int i = 0; i < PQnfields(r); ++i)
        columns.append(
            {QString::fromUtf8(PQfname(r, i)), PQftype(r, i), PQfmod(r, i), PQftable(r, i), PQftablecol(r, i)});
    return columns;
}

void ServerConnection::forEachRow(const QString& sql, const QVariantList& values,
                                  const std::function<void(const QVariantList&)>& take)
{
    readyFor(sql);
    const Bound bound(values);
    if (!PQsendQueryParams(m_connection, cleanText(sql).toUtf8().constData(), bound.count(), nullptr, bound.data.data(),
                           bound.lengths.data(), bound.formats.data(), 0) ||
        !PQsetSingleRowMode(m_connection))
        raise(nullptr, sql);
    // Every result of the statement is read, also after a failure, so the connection is ready
    // for the next one; a row the caller refuses (take throws) cancels the rest on the server.
    std::exception_ptr failure;
    for (;;) {
        const Result result{{PQgetResult(m_connection), PQclear}};
        if (!result.handle)
            break;
        if (failure)
            continue;
        const PGresult* r = result.handle.get();
        const ExecStatusType status = PQresultStatus(r);
        try {
            if (status == PGRES_SINGLE_TUPLE) {
                QVariantList cells;
                cells.reserve(PQnfields(r));
                for (int column = 0; column < PQnfields(r); ++column)
                    cells.append(cellValue(r, 0, column));
                take(cells);
            } else if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
                raise(r, sql);
            }
        } catch (...) {
            failure = std::current_exception();
            if (status == PGRES_SINGLE_TUPLE) {
                char reason[256];
                PGcancel* cancel = PQgetCancel(m_connection);
                if (cancel && !PQcancel(cancel, reason, sizeof reason))
                    qCWarning(lcDb) << "could not cancel a server query:" << reason;
                PQfreeCancel(cancel);
            }
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

QList<QVariantList> ServerConnection::query(const QString& sql, const QVariantList& values)
{
    const Result result = run(sql, values);
    const PGresult* r = result.handle.get();
    QList<QVariantList> rows;
    const int rowCount = PQntuples(r);
    const int columnCount = PQnfields(r);
    rows.reserve(rowCount);
    for (int row = 0; row < rowCount; ++row) {
        QVariantList cells;
        cells.reserve(columnCount);
        for (int column = 0; column < columnCount; ++column)
            cells.append(cellValue(r, row, column));
        rows.append(cells);
    }
    return rows;
}

bool ServerConnection::inTransaction() const
{
    return PQtransactionStatus(m_connection) != PQTRANS_IDLE;
}

std::vector<qint64> ServerConnection::lastColumnNumbers(const QString& sql, const QVariantList& values)
{
    // In the server's binary form: a hundred thousand keys are sent and read a third faster.
    const Result result = run(sql, values, 1);
    const PGresult* r = result.handle.get();
    const int rowCount = PQntuples(r);
    const int last = PQnfields(r) - 1;
    const int width = last < 0 ? 0 : PQfsize(r, last);
    const Oid type = last < 0 ? 0 : PQftype(r, last);
    constexpr Oid Int2 = 21, Int4 = 23, Int8 = 20;
    if (rowCount > 0 && !((type == Int2 && width == 2) || (type == Int4 && width == 4) || (type == Int8 && width == 8)))
        throw DbError(errc::ServerCallFailed, QStringLiteral("Not a column of whole numbers: ") + sql);
    std::vector<qint64> numbers;
    numbers.reserve(size_t(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        const char* value = PQgetvalue(r, row, last);
        if (PQgetisnull(r, row, last) || PQgetlength(r, row, last) != width)
            numbers.push_back(0);
        else if (width == 8)
            numbers.push_back(qFromBigEndian<qint64>(value));
        else if (width == 4)
            numbers.push_back(qFromBigEndian<qint32>(value));
        else
            numbers.push_back(qFromBigEndian<qint16>(value));
    }
    return numbers;
}

int ServerConnection::exec(const QString& sql, const QVariantList& values)
{
    const Result result = run(sql, values);
    return QByteArray(PQcmdTuples(result.handle.get())).toInt();
}

} // namespace db::pg
