#include "statement.h"

#include "sql_quote.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <sqlite3.h>

namespace db {

namespace {

// The layer's own field checks raise "msys:<number>:<text>" from their triggers.
bool parseLayerError(const QString& message, int* number, QString* text)
{
    static const QLatin1String prefix("msys:");
    if (!message.startsWith(prefix))
        return false;
    const int colon = message.indexOf(QLatin1Char(':'), prefix.size());
    if (colon < 0)
        return false;
    bool ok = false;
    const int n = message.mid(prefix.size(), colon - prefix.size()).toInt(&ok);
    if (!ok)
        return false;
    *number = n;
    *text = message.mid(colon + 1);
    return true;
}

int numberFor(int extended, const QString& message)
{
    switch (extended & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return errc::FileLocked;
    case SQLITE_READONLY:
        return errc::ReadOnlyFile;
    case SQLITE_NOTADB:
        return errc::NotADatabase;
    case SQLITE_CANTOPEN:
        return errc::FileNotFound;
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
            return errc::DuplicateKey;
        if (extended == SQLITE_CONSTRAINT_NOTNULL)
            return errc::NullNotAllowed;
        break;
    case SQLITE_ERROR:
        if (message.contains(QLatin1String("syntax error")) || message.contains(QLatin1String("incomplete input")) ||
            message.contains(QLatin1String("unrecognized token")))
            return errc::SyntaxError;
        if (message.startsWith(QLatin1String("no such table")))
            return errc::TableNotFound;
        if (message.startsWith(QLatin1String("no such column")))
            return errc::ItemNotFound;
        if (message.contains(QLatin1String("already exists")))
            return errc::TableExists;
        break;
    default:
        break;
    }
    return errc::EngineErrorBase + extended;
}

// Writes text as UTF-8 at out, cleaned as cleanText() says (nul characters left out, a lone
// surrogate written as U+FFFD), and returns the end. out has room for 3 bytes per UTF-16 unit;
// one pass over the text, as a save binds every text it writes.
char* cleanUtf8(QStringView text, char* out)
{
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (c < 0x80) {
            if (c != 0)
                *out++ = char(c);
            continue;
        }
        if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
            continue;
        }
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
            c = QChar::surrogateToUcs4(char16_t(c), *p++);
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
        } else {
            if (QChar::isSurrogate(c))
                c = QChar::ReplacementCharacter;
            *out++ = char(0xE0 | (c >> 12));
        }
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

QString dateText(const QDateTime& when)
{
    if (when.time() == QTime(0, 0))
        return when.date().toString(QStringLiteral("yyyy-MM-dd"));
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

DbError engineError(sqlite3* connection, int resultCode, const QString& sql)
{
    const int extended = connection ? sqlite3_extended_errcode(connection) : resultCode;
    const QString message =
        connection ? QString::fromUtf8(sqlite3_errmsg(connection)) : QString::fromUtf8(sqlite3_errstr(resultCode));
    int number = 0;
    QString text;
    if (parseLayerError(message, &number, &text))
        return DbError(number, text);
    const QString description = sql.isEmpty() ? message : message + QLatin1Char('\n') + sql;
    return DbError(numberFor(extended, message), description);
}

Statement::Statement(sqlite3* connection, const QString& sql) : m_db(connection), m_sql(sql)
{
    const QByteArray utf8 = cleanText(sql).toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw engineError(m_db, rc, sql);
    }
    if (!m_stmt)
        throw DbError(errc::SyntaxError, QStringLiteral("Empty statement\n") + sql);
    m_texts.resize(size_t(sqlite3_bind_parameter_count(m_stmt)));
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            throw DbError(errc::SyntaxError, QStringLiteral("Characters found after end of SQL statement\n") + sql);
        }
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::ULong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, qint64(value.toULongLong()));
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.isNull() ? "" : bytes.constData(),
                                     sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate:
            bindText(index, value.toDate().toString(Qt::ISODate));
            return;
        case QMetaType::QDateTime:
            bindText(index, dateText(value.toDateTime()));
            return;
        case QMetaType::QString:
            bindText(index, *static_cast<const QString*>(value.constData()));
            return;
        default:
            bindText(index, value.toString());
            return;
        }
    }
    if (rc != SQLITE_OK)
        throw engineError(m_db, rc, m_sql);
}

void Statement::bindInt64(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        throw engineError(m_db, rc, m_sql);
}

void Statement::bindText(int index, const QString& value)
{
    if (index < 1 || size_t(index) > m_texts.size()) {
        // SQLite names the fault ("column index out of range").
        throw engineError(m_db, sqlite3_bind_text64(m_stmt, index, "", 0, SQLITE_STATIC, SQLITE_UTF8), m_sql);
    }
    // The parameter's previous bytes are reused: SQLite reads a bound text only while the
    // statement runs, and the parameter is bound again here before it does.
    QByteArray& utf8 = m_texts[size_t(index - 1)];
    utf8.resize(value.size() * 3 + 1);
    char* end = cleanUtf8(value, utf8.data());
    // Ended by a nul, which a clean text holds nowhere else: SQLite then knows the text is
    // terminated and never copies it to add one (as the checks' length() would). A text of
    // nothing stays a text, not NULL.
    *end = '\0';
    const int rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), -1, SQLITE_STATIC);
    if (rc != SQLITE_OK)
        throw engineError(m_db, rc, m_sql);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        return false;
    }
    const DbError error = engineError(m_db, rc, m_sql);
    sqlite3_reset(m_stmt);
    throw error;
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::run()
{
    // The difference of the connection's total counts rows changed by this statement only
    // (sqlite3_changes() keeps the count of an earlier statement across DDL).
    const sqlite3_int64 before = sqlite3_total_changes64(m_db);
    while (step()) {
    }
    return int(sqlite3_total_changes64(m_db) - before);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column));
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(m_stmt, column);
        if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return QVariant(text(column));
    }
}

QVariant Statement::value(int column, FieldType hint) const
{
    const int type = sqlite3_column_type(m_stmt, column);
    if (type == SQLITE_NULL)
        return QVariant();
    switch (hint) {
    case FieldType::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(m_stmt, column) != 0.0);
        break;
    case FieldType::Text:
    case FieldType::Memo:
        if (type != SQLITE_BLOB)
            return QVariant(text(column));
        break;
    case FieldType::Date:
        if (type == SQLITE_TEXT) {
            const QString s = text(column);
            QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!dt.isValid())
                dt = QDateTime(QDate::fromString(s, Qt::ISODate), QTime(0, 0));
            if (dt.isValid())
                return QVariant(dt);
            return QVariant(s);
        }
        break;
    default:
        break;
    }
    return value(column);
}

int runScript(sqlite3* connection, const QString& sql)
{
    const QByteArray utf8 = cleanText(sql).toUtf8();
    const char* p = utf8.constData();
    const char* end = p + utf8.size();
    int changes = 0;
    while (p < end) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(connection, p, int(end - p), &stmt, &tail);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(stmt);
            throw engineError(connection, rc, sql);
        }
        if (!stmt)
            break; // only blanks or semicolons left
        const sqlite3_int64 before = sqlite3_total_changes64(connection);
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const DbError error = engineError(connection, rc, sql);
            sqlite3_finalize(stmt);
            throw error;
        }
        changes += int(sqlite3_total_changes64(connection) - before);
        sqlite3_finalize(stmt);
        p = tail;
    }
    return changes;
}

} // namespace db
