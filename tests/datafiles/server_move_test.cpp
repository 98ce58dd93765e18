// Moving a program folder's data files to a server and back, as `--move-to-server` and
// `--move-from-server` do: all or nothing, never over files that are there.
#include "app/core/server_setting.h"
#include "pg_server_fixture.h"
#include "template_file.h"

#include "datafiles/attachment_store.h"
#include "datafiles/server_move.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"

#include <QDir>
#include <QTemporaryDir>
#include <tuple>

namespace {

class ServerMoveTest : public pg_test::ServerTest
{
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        if (!server)
            return;
        for (const QString& name : {u"vemocv"_s, u"vemolich"_s, u"vemotk"_s})
            db::pg::dataset::drop(*server, name);
        QDir().mkpath(data());
        for (const QString& name : {u"vemocv.MDB"_s, u"vemolich.MDB"_s, u"vemotk.MDB"_s})
            test::copyTemplate(QDir(data()).filePath(name));
        db::Database letters = db::Database::open(QDir(data()).filePath(u"vemocv.MDB"_s), u";pwd=vorkelmadu"_s);
        db::Database schedule = db::Database::open(QDir(data()).filePath(u"vemolich.MDB"_s), u";pwd=vorkelmadu"_s);
        // Five years of an office, a few rows in each year's tables.
        for (int year = 2022; year <= 2026; ++year) {
            const QString y = QString::number(year);
            for (const auto& [db, table, pattern] :
                 {std::tuple{&letters, u"cvden"_s, u"cvdenmau"_s}, std::tuple{&letters, u"cvdi"_s, u"cvdimau"_s},
                  std::tuple{&schedule, u"lich"_s, u"lichmau"_s}, std::tuple{&schedule, u"kehoach"_s, u"kehoachmau"_s}})
                db->execute(u"SELECT * INTO "_s + table + y + u" FROM "_s + pattern);
            for (int n = 1; n <= year - 2020; ++n) {
                letters.execute(u"INSERT INTO cvdi"_s + y + u" (stt, loai, tt_ndung) VALUES ("_s + QString::number(n) +
                                u", 'Công văn', 'Báo cáo quý "_s + QString::number(n) + u"')"_s);
                schedule.execute(u"INSERT INTO lich"_s + y + u" (ndung) VALUES ('Giao ban tuần "_s +
                                 QString::number(n) + u"')"_s);
            }
        }
        letters.execute(u"INSERT INTO cvden2026 (stt, noigui, tt_ndung) VALUES (1, 'Sở Nội vụ', 'Họp ''giao ban''')"_s);
        // A file attached to that letter, kept in the store beside the letters file.
        QFile scan(folder.filePath(u"to-trinh.pdf"_s));
        ASSERT_TRUE(scan.open(QIODevice::WriteOnly));
        scan.write("%PDF-1.7\nTờ trình");
        scan.close();
        hash = datafiles::AttachmentStore::besideLettersFile(letters.path()).put(scan.fileName()).hash;
        letters.execute(
            u"INSERT INTO tepdinhkem (idcv, bang, tengoc, bam) VALUES (1, 'cvden2026', 'to-trinh.pdf', '"_s + hash +
            u"')"_s);
    }
    QString data() const { return folder.filePath(u"data"_s); }
    static QString connection() { return pg_test::withoutPassword(with(u"dbname"_s, databaseName())); }
    QString move(bool toServer)
    {
        lines.clear();
        const auto report = [this](const QString& line) { lines << line; };
        return toServer ? datafiles::moveToServer(folder.path(), connection(), report)
                        : datafiles::moveFromServer(folder.path(), connection(), report);
    }

    QTemporaryDir folder;
    QStringList lines;
    QString hash;
};

TEST_F(ServerMoveTest, AFolderMovesToTheServerAllOrNothingAndComesBackWhole)
{
    // A data set already named like the schedule file: the letters copied before it go again.
    db::pg::dataset::create(*server, u"vemolich"_s);
    EXPECT_EQ(move(true), u"Không chuyển được dữ liệu lên máy chủ: Máy chủ đã có bộ dữ liệu vemolich"_s);
    EXPECT_FALSE(db::pg::dataset::exists(*server, u"vemocv"_s));
    EXPECT_FALSE(app::readServerSetting(folder.path()));
    db::pg::dataset::drop(*server, u"vemolich"_s);

    ASSERT_EQ(move(true), QString());
    // The folder runs on the server from now on, and on its files again once they are back.
    EXPECT_EQ(app::readServerSetting(folder.path()), connection());
    EXPECT_TRUE(lines.contains(
        u"  vemocv.cvden2026: 1 dòng, tổng kiểm tra "_s +
        QString::fromLatin1(
            db::pg::tableChecksum(*server, u"vemocv"_s, db::pg::dataset::tableDef(*server, u"vemocv"_s, u"cvden2026"_s))
                .left(16))))
        << lines.join(u'\n').toStdString();

    // Never over files that are there; once they are moved aside, every table comes back.
    EXPECT_EQ(move(false), u"Tệp "_s + QDir(data()).filePath(u"vemocv.MDB"_s) +
                               u" đã có; hãy chuyển nó sang chỗ khác rồi chép dữ liệu từ máy chủ về."_s);
    QDir().mkpath(folder.filePath(u"cu"_s));
    for (const QString& name : {u"vemocv.MDB"_s, u"vemolich.MDB"_s, u"vemotk.MDB"_s, u"vemocv_tepdinhkem"_s})
        ASSERT_TRUE(QFile::rename(QDir(data()).filePath(name), folder.filePath(u"cu/"_s + name)));
    ASSERT_EQ(move(false), QString());
    EXPECT_FALSE(app::readServerSetting(folder.path()));
    const auto store = datafiles::AttachmentStore::besideLettersFile(QDir(data()).filePath(u"vemocv.MDB"_s));
    QFile attached(store.pathOf(hash));
    ASSERT_TRUE(attached.open(QIODevice::ReadOnly));
    EXPECT_EQ(attached.readAll(), QByteArray("%PDF-1.7\nTờ trình"));
    for (const QString& name : {u"vemocv.MDB"_s, u"vemolich.MDB"_s, u"vemotk.MDB"_s}) {
        db::Database before = db::Database::open(folder.filePath(u"cu/"_s + name), u";pwd=vorkelmadu"_s);
        db::Database after = db::Database::open(QDir(data()).filePath(name), u";pwd=vorkelmadu"_s);
        ASSERT_EQ(after.tableNames(), before.tableNames()) << name.toStdString();
        for (const QString& table : before.tableNames()) {
            EXPECT_EQ(db::pg::tableChecksum(after, after.tableDef(table)),
                      db::pg::tableChecksum(before, before.tableDef(table)))
                << name.toStdString() << " " << table.toStdString();
        }
    }
}

} // namespace
