#include "server_move.h"

#include "app/core/server_setting.h"

#include "app/core/data_paths.h"
#include "app/core/module1.h"
#include "app/core/settings_files.h"
#include "attachment_replication.h"
#include "attachment_store.h"
#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace datafiles {

namespace {

using db::pg::ServerConnection;

void summarise(const QString& schema, const QList<db::pg::TableCopied>& tables, const MoveReport& report)
{
    for (const db::pg::TableCopied& table : tables) {
        report(QStringLiteral("  ") + schema + u'.' + table.table + QStringLiteral(": ") + QString::number(table.rows) +
               QStringLiteral(" dòng, tổng kiểm tra ") + QString::fromLatin1(table.checksum.left(16)));
    }
}

db::pg::CopyProgress progressTo(const MoveReport& report)
{
    return [report, last = QString()](const QString& table, qint64) mutable {
        if (table != last)
            report(QStringLiteral("  chép bảng ") + table);
        last = table;
    };
}

// The files attached to the letters of file go with it, into msys_files of its data set, in one
// transaction; the server checks each content against its name.
void copyFilesToServer(db::Database& file, ServerConnection& server, const QString& schema, const MoveReport& report)
{
    const QStringList hashes = attachmentHashes(file, QString());
    if (hashes.isEmpty())
        return;
    const AttachmentStore store = AttachmentStore::besideLettersFile(file.path());
    const QString table = db::pg::dataset::qualified(schema, QStringLiteral("msys_files"));
    server.inTransaction([&] {
        server.exec(QStringLiteral("create table ") + table +
                    QStringLiteral(" (hash text primary key, content bytea not null)"));
        for (const QString& hash : hashes) {
            QFile stored(store.pathOf(hash));
            if (!stored.open(QIODevice::ReadOnly)) {
                throw db::DbError(db::errc::ServerCallFailed,
                                  QStringLiteral("Không đọc được tệp đính kèm ") + stored.fileName());
            }
            const QVariantList same =
                server
                    .query(QStringLiteral("insert into ") + table +
                               QStringLiteral(" values ($1, $2) returning encode(sha256(content), 'hex') = hash"),
                           {hash, stored.readAll()})
                    .first();
            if (!same.first().toBool()) {
                throw db::DbError(db::errc::ServerCallFailed, QStringLiteral("Tệp đính kèm ") + stored.fileName() +
                                                                  QStringLiteral(" không còn đúng nội dung đã lưu."));
            }
        }
    });
    report(QStringLiteral("  ") + QString::number(hashes.size()) + QStringLiteral(" tệp đính kèm"));
}

// The other way: every file of the data set's msys_files into the store beside the new file,
// written as attaching writes it (whole, flushed, renamed) and checked against its name.
void copyFilesFromServer(ServerConnection& server, const QString& schema, const QString& path, const MoveReport& report)
{
    const QString table = db::pg::dataset::qualified(schema, QStringLiteral("msys_files"));
    if (server.query(QStringLiteral("select to_regclass($1)"), {table}).first().first().isNull())
        return;
    const AttachmentStore store = AttachmentStore::besideLettersFile(path);
    QDir().mkpath(store.folder());
    qint64 files = 0;
    server.forEachRow(QStringLiteral("select hash, content from ") + table, {}, [&](const QVariantList& row) {
        QTemporaryFile content;
        if (!content.open() || content.write(row[1].toByteArray()) != row[1].toByteArray().size() || !content.flush())
            throw db::DbError(db::errc::ServerCallFailed,
                              QStringLiteral("Không ghi được tệp tạm ") + content.fileName());
        try {
            if (store.put(content.fileName()).hash != row[0].toString()) {
                throw db::DbError(db::errc::ServerCallFailed, QStringLiteral("Tệp đính kèm ") + row[0].toString() +
                                                                  QStringLiteral(" trên máy chủ không đúng nội dung."));
            }
        } catch (const AttachmentError& e) {
            throw db::DbError(db::errc::ServerCallFailed, e.message());
        }
        ++files;
    });
    if (files > 0)
        report(QStringLiteral("  ") + QString::number(files) + QStringLiteral(" tệp đính kèm"));
}

// Why the server could not be used, in the program's words; the server's own text after it.
QString reason(const db::DbError& e)
{
    switch (e.number()) {
    case db::errc::InvalidPassword:
        return QStringLiteral("máy chủ PostgreSQL không nhận tên người dùng hay mật khẩu (xem chuỗi kết nối, "
                              "hoặc tệp ~/.pgpass). ") +
               e.description();
    case db::errc::ServerUnreachable:
        return QStringLiteral("không kết nối được máy chủ PostgreSQL. ") + e.description();
    default:
        return e.description();
    }
}

} // namespace

QStringList dataFilesOf(const QString& programFolder)
{
    const QString year = QString::number(QDate::currentDate().year());
    app::Sysmem settings = app::sysmemDefaults(programFolder, year);
    QFile file(app::sysmemPath(programFolder));
    if (file.open(QIODevice::ReadOnly))
        settings = app::parseSysmem(QString::fromUtf8(file.readAll()), programFolder, year).values;
    return {app::matchNameCase(settings.lettersPath), app::matchNameCase(settings.schedulePath),
            app::dataFilePath(programFolder, QStringLiteral("vemotk.MDB"))};
}

QString moveToServer(const QString& programFolder, const QString& connection, const MoveReport& report)
{
    // A connection the folder's setting cannot hold is refused before anything is copied.
    if (const QString refused = app::settingRefusal(connection); !refused.isEmpty())
        return QStringLiteral("Không chuyển được dữ liệu lên máy chủ: ") + refused;
    QStringList made;
    std::unique_ptr<ServerConnection> server;
    try {
        server = ServerConnection::open(connection);
        // The statements of the program call these on the server.
        db::pg::installProgramFunctions(*server);
        for (const QString& path : dataFilesOf(programFolder)) {
            if (!QFileInfo::exists(path))
                continue;
            const QString schema = db::pg::dataset::schemaFor(path);
            report(QStringLiteral("Chép tệp ") + path + QStringLiteral(" lên bộ dữ liệu ") + schema);
            db::Database file = db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly);
            const auto tables = db::pg::copyFileToServer(file, *server, schema, progressTo(report));
            made << schema;
            copyFilesToServer(file, *server, schema, report);
            summarise(schema, tables, report);
        }
        // From now on the folder runs on the server; the copy is done whatever the setting says.
        const QString unset = app::writeServerSetting(programFolder, connection);
        report(unset.isEmpty() ? QStringLiteral("Thư mục chương trình từ nay dùng dữ liệu trên máy chủ (") +
                                     app::serverSettingPath(programFolder) + QStringLiteral(").")
                               : unset + QStringLiteral(" Thư mục chương trình vẫn dùng các file dữ liệu của nó."));
        return {};
    } catch (const db::DbError& e) {
        // All or nothing: what this run made goes again, so the next run starts clean.
        for (const QString& schema : std::as_const(made)) {
            try {
                db::pg::dataset::drop(*server, schema);
            } catch (const db::DbError& dropError) {
                report(QStringLiteral("Không xoá được bộ dữ liệu ") + schema + QStringLiteral(": ") +
                       dropError.description());
            }
        }
        return QStringLiteral("Không chuyển được dữ liệu lên máy chủ: ") + reason(e);
    }
}

QString moveFromServer(const QString& programFolder, const QString& connection, const MoveReport& report)
{
    QStringList written;
    try {
        const std::unique_ptr<ServerConnection> server = ServerConnection::open(connection);
        QStringList files;
        for (const QString& path : dataFilesOf(programFolder)) {
            if (!db::pg::dataset::exists(*server, db::pg::dataset::schemaFor(path)))
                continue;
            if (QFileInfo::exists(path)) {
                return QStringLiteral("Tệp ") + path +
                       QStringLiteral(" đã có; hãy chuyển nó sang chỗ khác rồi chép dữ liệu từ máy chủ về.");
            }
            files << path;
        }
        if (files.isEmpty())
            return QStringLiteral("Máy chủ không có bộ dữ liệu nào của thư mục chương trình này.");
        for (const QString& path : std::as_const(files)) {
            const QString schema = db::pg::dataset::schemaFor(path);
            report(QStringLiteral("Chép bộ dữ liệu ") + schema + QStringLiteral(" về tệp ") + path);
            QDir().mkpath(QFileInfo(path).path());
            const auto tables = db::pg::copyServerToFile(*server, schema, path, db::passwordFromConnect(app::kConnect),
                                                         progressTo(report));
            written << path;
            copyFilesFromServer(*server, schema, path, report);
            summarise(schema, tables, report);
        }
        if (!app::removeServerSetting(programFolder))
            report(QStringLiteral("Không xoá được tệp ") + app::serverSettingPath(programFolder) +
                   QStringLiteral(": thư mục chương trình vẫn dùng máy chủ cho đến khi xoá tệp này."));
        return {};
    } catch (const db::DbError& e) {
        for (const QString& path : std::as_const(written))
            QFile::remove(path);
        return QStringLiteral("Không chép được dữ liệu từ máy chủ về: ") + reason(e);
    }
}

} // namespace datafiles
