#include "replication_sql.h"

#include "platform/db/sql_quote.h"

namespace datafiles {

const LetterRegister& incomingLetters()
{
    static const LetterRegister incoming{
        QStringLiteral("Qrbangcvden"),
        {QStringLiteral("stt"), QStringLiteral("ng_den"), QStringLiteral("noigui"), QStringLiteral("so_cv"),
         QStringLiteral("ng_cv"), QStringLiteral("loai"), QStringLiteral("dv_nhan"), QStringLiteral("cd_dang"),
         QStringLiteral("mat"), QStringLiteral("time_xl"), QStringLiteral("cv_traloi"), QStringLiteral("da_xuli"),
         QStringLiteral("tt_ndung"), QStringLiteral("ng_denchuan"), QStringLiteral("ng_cvchuan"),
         QStringLiteral("hanxl"), QStringLiteral("hanxlchuan"), QStringLiteral("nguoixl")}};
    return incoming;
}

const LetterRegister& outgoingLetters()
{
    static const LetterRegister outgoing{QStringLiteral("Qrbangcvdi"),
                                         {QStringLiteral("stt"), QStringLiteral("so_cv"), QStringLiteral("ng_cv"),
                                          QStringLiteral("loai"), QStringLiteral("dv_nhan"), QStringLiteral("noiluu"),
                                          QStringLiteral("nguoiky"), QStringLiteral("tt_ndung"),
                                          QStringLiteral("ng_cvchuan")}};
    return outgoing;
}

QString storedQueryText(const QString& table, const QString& backup)
{
    return QStringLiteral("select * from ") + table + QStringLiteral(" in ") + db::quoteLiteral(backup);
}

QString insertNewRowsSql(const QString& table, const QString& backup, const LetterRegister& reg)
{
    return QStringLiteral(" INSERT INTO ") + table + QStringLiteral(" IN ") + db::quoteLiteral(backup) +
           QStringLiteral(" Select ") + reg.columns.join(QLatin1Char(',')) + QStringLiteral(",idcu from ") + table +
           QStringLiteral(" where kieuupdate=1 order by id");
}

QString resetAddedFlagsSql(const QString& table)
{
    return QStringLiteral("update ") + table + QStringLiteral(" set kieuupdate=0 where kieuupdate=1");
}

QString updateChangedRowsSql(const QString& table, const LetterRegister& reg)
{
    QStringList assignments;
    for (const QString& column : reg.columns)
        assignments << reg.queryName + QLatin1Char('.') + column + QLatin1Char('=') + table + QLatin1Char('.') + column;
    return QStringLiteral("update ") + table + QStringLiteral(", ") + reg.queryName + QStringLiteral(" set ") +
           assignments.join(QStringLiteral(", ")) + QStringLiteral(" ") + QStringLiteral(" where ") + reg.queryName +
           QStringLiteral(".idcu=") + table + QStringLiteral(".idcu ") + QStringLiteral(" and ") + table +
           QStringLiteral(".kieuupdate=2 ");
}

QString resetAllFlagsSql(const QString& table)
{
    return QStringLiteral("update ") + table + QStringLiteral(" set kieuupdate=0 where kieuupdate>0");
}

QString copyWholeTableSql(const QString& table, const QString& backup)
{
    return QStringLiteral("SELECT ") + table + QStringLiteral(".* INTO ") + table + QStringLiteral(" IN ") +
           db::quoteLiteral(backup) + QStringLiteral(" FROM ") + table + QStringLiteral(" ;");
}

QString createPrimaryIndexSql(const QString& table)
{
    return QStringLiteral("CREATE INDEX idprimarykey ON ") + table + QStringLiteral("(id ASC) WITH  PRIMARY ");
}

QString normalisedQueryText(const QString& text)
{
    QString normal = text;
    while (normal.contains(QStringLiteral("\r\n")) || normal.contains(QStringLiteral("  "))) {
        normal.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        normal.replace(QStringLiteral("  "), QStringLiteral(" "));
    }
    normal = normal.toLower().trimmed();
    if (normal.endsWith(QLatin1Char(';')))
        normal = normal.left(normal.size() - 1).trimmed();
    return normal;
}

} // namespace datafiles
