#include "letter_file.h"

#include "platform/db/recordset.h"

namespace uitest {

LetterFile::LetterFile(int rows) : TemplateCopy(u"vemocv.mdb"_s)
{
    db::TableDef def = db().tableDef(u"cvdenmau"_s);
    def.name = table();
    for (db::IndexDef& index : def.indexes)
        index.name = index.name + u"_2024"_s;
    db().appendTableDef(def);

    db::Recordset rs = db().openRecordset(table());
    db().beginTrans();
    for (int i = 1; i <= rows; ++i) {
        rs.addNew();
        rs.setValue(u"stt"_s, i);
        rs.setValue(u"ng_den"_s, u"%1/01/2024"_s.arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        rs.setValue(u"noigui"_s, noigui(i));
        rs.setValue(u"tt_ndung"_s, u"Về việc số %1"_s.arg(i));
        rs.setValue(u"da_xuli"_s, i % 2 == 0);
        rs.setValue(u"chonin"_s, QString());
        rs.update();
    }
    db().commitTrans();
}

QString LetterFile::noigui(int i)
{
    return u"Sở Nội vụ %1"_s.arg(i);
}

QVariant LetterFile::stored(int stt, const QString& field)
{
    db::Recordset rs =
        db().openRecordset(u"select * from %1 where stt = %2"_s.arg(table()).arg(stt), db::RecordsetType::Snapshot);
    if (rs.eof())
        return QVariant();
    return rs.value(field);
}

int LetterFile::count()
{
    return db().openRecordset(table(), db::RecordsetType::Snapshot).recordCount();
}

} // namespace uitest
