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
        ASSERT_TRUE(QDir(programFolder()).mkpath(QStringLiteral("backup")));
        app::module1().backupPath = backupPath();
    }

    QString backupPath() const { return QDir(programFolder()).filePath(QStringLiteral("backup/vemocv.mdb")); }

    // Adds an incoming letter (or an outgoing one when table starts with "cvdi") through the save
    // helper; returns its id.
    qlonglong addLetter(const QString& table, const QString& summary)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(table);
        rs.addNew();
        rs.setValue(QStringLiteral("so_cv"), QStringLiteral("%1/UB").arg(++m_number));
        rs.setValue(QStringLiteral("stt"), m_number);
        rs.setValue(QStringLiteral("tt_ndung"), summary);
        rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Phòng Tổ chức, Văn phòng"));
        if (!table.startsWith(QLatin1String("cvdi"))) {
            rs.setValue(QStringLiteral("noigui"), QStringLiteral("Sở Nội vụ"));
            rs.setValue(QStringLiteral("ng_den"), QStringLiteral("05/03/2009"));
            rs.setValue(QStringLiteral("ng_denchuan"), QStringLiteral("20090305"));
        } else {
            rs.setValue(QStringLiteral("nguoiky"), QStringLiteral("Nguyễn Văn Ấn"));
            rs.setValue(QStringLiteral("noiluu"), QStringLiteral("Văn phòng"));
        }
        datafiles::saveLetter(m.letters, rs);
        return rs.value(QStringLiteral("id")).toLongLong();
    }

    void editLetter(const QString& table, qlonglong id, const QString& summary)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(table);
        rs.findFirst(QStringLiteral("id=%1").arg(id));
        ASSERT_FALSE(rs.noMatch());
        rs.edit();
        rs.setValue(QStringLiteral("tt_ndung"), summary);
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
    datafiles::Attachment attach(qlonglong letter, const QString& path,
                                 const QString& table = QStringLiteral("cvden2009"))
    {
        return datafiles::attachFile(app::module1().letters, store(), table, letter, path, QStringLiteral("Lê Văn Ấn"),
                                     QDateTime(QDate(2009, 3, 5), QTime(9, 30)));
    }

    // id -> kieuupdate of every row of table in the letters file.
    QMap<qlonglong, int> flags(const QString& table) const
    {
        QMap<qlonglong, int> result;
        db::Recordset rs = app::module1().letters.openRecordset(QStringLiteral("select id, kieuupdate from ") + table,
                                                                db::RecordsetType::Snapshot);
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
        db::Recordset rs =
            backup.openRecordset(QStringLiteral("select idcu, tt_ndung from ") + table, db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext()) {
            const qlonglong idcu = rs.value(0).toLongLong();
            result.insert(idcu, result.contains(idcu) ? QStringLiteral("*2") : rs.value(1).toString());
        }
        return result;
    }

private:
    int m_number = 0;
};

} // namespace testing_support
