#include "structure_check.h"

#include "data_paths.h"
#include "file_presence.h"
#include "logging.h"
#include "module1.h"
#include "platform/db/db_error.h"
#include "platform/db/like_pattern.h"
#include "read_only.h"
#include "run_time_error.h"
#include "table_pattern.h"

#include <QFile>
#include <QStringList>

namespace app {

QStringList requiredTables(const QString& kind)
{
    if (kind == QLatin1String("vemogoc"))
        return {QStringLiteral("kehoachmau"), QStringLiteral("lichmau"), QStringLiteral("cvdenmau"),
                QStringLiteral("cvdimau")};
    if (kind == QLatin1String("vemotk"))
        return {QStringLiteral("donvi"),   QStringLiteral("bophan"), QStringLiteral("chutat"),
                QStringLiteral("noigui"),  QStringLiteral("loaicv"), QStringLiteral("inlich"),
                QStringLiteral("incvden"), QStringLiteral("incvdi")};
    if (kind == QLatin1String("vemocv"))
        return {QStringLiteral("cvdi*"), QStringLiteral("cvden*")};
    if (kind == QLatin1String("vemolich"))
        return {QStringLiteral("lich*"), QStringLiteral("kehoach*")};
    return {};
}

namespace {

StructureCheckResult& lastResult()
{
    static StructureCheckResult result;
    return result;
}

// The first bytes of every SQLite file.
bool looksLikeSqlite(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArrayLiteral("SQLite format 3\0");
}

StructureCheckResult::Cause causeOf(const db::DbError& e, const QString& path)
{
    using Cause = StructureCheckResult::Cause;
    constexpr int kSqliteCorrupt = 11;
    constexpr int kSqliteNotADb = 26;
    switch (e.number()) {
    case db::errc::FileNotFound:
        return Cause::Missing;
    case db::errc::InvalidPassword:
        return Cause::WrongPassword;
    case db::errc::NotADatabase:
        return looksLikeSqlite(path) ? Cause::NotADataFile : Cause::Damaged;
    default:
        break;
    }
    if (e.number() >= db::errc::EngineErrorBase) {
        const int primary = (e.number() - db::errc::EngineErrorBase) & 0xff;
        if (primary == kSqliteCorrupt || primary == kSqliteNotADb)
            return Cause::Damaged;
    }
    return Cause::Unavailable;
}

bool check(const QString& path, const QString& kind, StructureCheckResult& result)
{
    using Cause = StructureCheckResult::Cause;
    if (filePresence(path).isEmpty()) {
        result.cause = Cause::Missing;
        return false;
    }
    module1().thongbao.clear();
    if (!db::likeMatch(path.toLower(), u"*goc.mdb") && !clearReadOnly(path)) {
        result.cause = Cause::ReadOnly;
        return false;
    }
    const QStringList tables = requiredTables(kind);
    if (tables.isEmpty()) {
        result.cause = Cause::UnknownKind;
        return false;
    }
    const QString existing = matchNameCase(path);
    try {
        db::Database file = db::Database::open(existing, kConnect, db::OpenMode::ReadOnly);
        for (const QString& table : tables) {
            if (!hasTableLike(table, file)) {
                result.cause = Cause::TablesMissing;
                result.missingTable = table;
                break;
            }
        }
        file.close();
    } catch (const db::DbError& e) {
        result.cause = causeOf(e, existing);
        result.number = e.number();
        result.text = e.description();
        recordRunTimeError(e);
    }
    return result.cause == Cause::Passed;
}

} // namespace

StructureCheckResult lastStructureCheck()
{
    return lastResult();
}

bool KiemtraMDB(const QString& path, const QString& kind)
{
    StructureCheckResult result;
    result.path = path;
    bool passed = false;
    try {
        passed = check(path, kind, result);
    } catch (const std::exception& e) {
        // A failure outside the engine (the folder cannot be listed, ...).
        result.cause = StructureCheckResult::Cause::Unavailable;
        result.number = runTimeErrorNumber(e);
        result.text = runTimeErrorText(e);
        recordRunTimeError(e);
    }
    if (!passed)
        qCInfo(lcApp).noquote() << "structure check" << kind << "failed:" << path << static_cast<int>(result.cause)
                                << result.number << result.text << result.missingTable;
    lastResult() = result;
    return passed;
}

} // namespace app
