#pragma once

// The data folder of DataFilesTest (the working year 2009, its tables made) with a backup folder
// chosen, and helpers that add and edit letters the way the entry forms save them and attach files.

#include "data_files_fixture.h"

#include "datafiles/attachments.h"
#include "datafiles/letter_save.h"

#include <QMap>

namespace testing_support {

class LettersTest : public DataFilesTest
{
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(QDir(programFolder()).mkpath(u"backup"_s));
        app::module1().backupPath = backupPath();
    }

    QString backupPath() const { return QDir(programFolder()).filePath(u"backup/vemocv.mdb"_s); }

    // Adds an incoming letter (or an outgoing one when table starts with "cvdi") through the save
    // helper; returns its id.
    qlonglong addLetter(const QString& table, const QString& summary)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(table);
        rs.addNew();
        rs.setValue(u"so_cv"_s, u"%1/UB"_s.arg(++m_number));
        rs.setValue(u"stt"_s, m_number);
        rs.setValue(u"tt_ndung"_s, summary);
        rs.setValue(u"dv_nhan"_s, u"Phòng Tổ chức, Văn phòng"_s);
        if (!table.startsWith(u"cvdi"_s)) {
            rs.setValue(u"noigui"_s, u"Sở Nội vụ"_s);
            rs.setValue(u"ng_den"_s, u"05/03/2009"_s);
            rs.setValue(u"ng_denchuan"_s, u"20090305"_s);
        } else {
            rs.setValue(u"nguoiky"_s, u"Nguyễn Văn Ấn"_s);
            rs.setValue(u"noiluu"_s, u"Văn phòng"_s);
        }
        datafiles::saveLetter(m.letters, rs);
        return rs.value(u"id"_s).toLongLong();
    }

    void editLetter(const QString& table, qlonglong id, const QString& summary)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(table);
        rs.findFirst(u"id=%1"_s.arg(id));
        ASSERT_FALSE(rs.noMatch());
        rs.edit();
        rs.setValue(u"tt_ndung"_s, summary);
        datafiles::saveLetter(m.letters, rs);
    }

    // The attachments store beside file, or beside the letters file in use.
    static datafiles::AttachmentStore store(const QString& file = QString())
    {
        return datafiles::AttachmentStore::besideLettersFile(file.isEmpty() ? app::module1().lettersPath : file);
    }
    // Writes content to name in the program folder; returns its path.
    QString write(const QString& name, const QByteArray& content) const
    {
        const QString path = QDir(programFolder()).filePath(name);
        writeFile(path, content);
        return path;
    }
    // Attaches the file at path to letter of table, as Lê Văn Ấn at 9:30 on 5 March 2009.
    datafiles::Attachment attach(qlonglong letter, const QString& path, const QString& table = u"cvden2009"_s)
    {
        return datafiles::attachFile(app::module1().letters, store(), table, letter, path, u"Lê Văn Ấn"_s,
                                     QDateTime(QDate(2009, 3, 5), QTime(9, 30)));
    }

    // id -> kieuupdate of every row of table in the letters file.
    QMap<qlonglong, int> flags(const QString& table) const
    {
        QMap<qlonglong, int> result;
        db::Recordset rs =
            app::module1().letters.openRecordset(u"select id, kieuupdate from "_s + table, db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext())
            result.insert(rs.value(0).toLongLong(), rs.value(1).toInt());
        return result;
    }

    // idcu -> tt_ndung of every row of table in the backup file (a duplicated idcu shows as "*2").
    QMap<qlonglong, QString> backupRows(const QString& table) const
    {
        QMap<qlonglong, QString> result;
        db::Database backup = openFile(backupPath());
        if (!backup.hasTable(table))
            return result;
        db::Recordset rs = backup.openRecordset(u"select idcu, tt_ndung from "_s + table, db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext()) {
            const qlonglong idcu = rs.value(0).toLongLong();
            result.insert(idcu, result.contains(idcu) ? u"*2"_s : rs.value(1).toString());
        }
        return result;
    }

private:
    int m_number = 0;
};

} // namespace testing_support
