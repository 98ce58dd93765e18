#include "letter_file.h"

#include "platform/db/recordset.h"

namespace uitest {

LetterFile::LetterFile(int rows) : TemplateCopy(QStringLiteral("vemocv.mdb"))
{
    db::TableDef def = db().tableDef(QStringLiteral("cvdenmau"));
    def.name = table();
    for (db::IndexDef& index : def.indexes)
        index.name = index.name + QStringLiteral("_2024");
    db().appendTableDef(def);

    db::Recordset rs = db().openRecordset(table());
    db().beginTrans();
    for (int i = 1; i <= rows; ++i) {
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), i);
        rs.setValue(QStringLiteral("ng_den"), QStringLiteral("%1/01/2024").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        rs.setValue(QStringLiteral("noigui"), noigui(i));
        rs.setValue(QStringLiteral("tt_ndung"), ttNdung(i));
        rs.setValue(QStringLiteral("da_xuli"), i % 2 == 0);
        rs.setValue(QStringLiteral("chonin"), QString());
        rs.update();
    }
    db().commitTrans();
}

QString LetterFile::noigui(int i)
{
    return QStringLiteral("Sở Nội vụ %1").arg(i);
}

QString LetterFile::ttNdung(int i)
{
    return QStringLiteral("Về việc số %1").arg(i);
}

QVariant LetterFile::stored(int stt, const QString& field)
{
    db::Recordset rs = db().openRecordset(QStringLiteral("select * from %1 where stt = %2").arg(table()).arg(stt),
                                          db::RecordsetType::Snapshot);
    if (rs.eof())
        return QVariant();
    return rs.value(field);
}

int LetterFile::count()
{
    return db().openRecordset(table(), db::RecordsetType::Snapshot).recordCount();
}

} // namespace uitest
