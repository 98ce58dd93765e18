#include "data_file_choice.h"

#include "app/core/data_paths.h"
#include "app/core/file_presence.h"
#include "app/core/letters_schema.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/read_only_mode.h"
#include "app/core/recent_files.h"
#include "app/core/reference_recordsets.h"
#include "app/core/run_time_error.h"
#include "app/core/server_data_sets.h"
#include "app/core/server_setting.h"
#include "app/core/settings_files.h"
#include "app/core/structure_check.h"
#include "app/core/table_pattern.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_engine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datafiles {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The connections and paths of a role, as they were before a switch.
struct Files
{
    QString file, reference;
    db::Database db, referenceDb;
};

db::Database& roleDatabase(DataFileRole role)
{
    app::Module1& m = app::module1();
    return role == DataFileRole::Letters ? m.letters : m.schedule;
}
db::Database& roleReferenceDatabase(DataFileRole role)
{
    app::Module1& m = app::module1();
    return role == DataFileRole::Letters ? m.lettersReference : m.scheduleReference;
}
QString& rolePath(DataFileRole role)
{
    app::Module1& m = app::module1();
    return role == DataFileRole::Letters    ? m.lettersPath
           : role == DataFileRole::Schedule ? m.schedulePath
                                            : m.backupPath;
}
QString& roleReferencePath(DataFileRole role)
{
    app::Module1& m = app::module1();
    return role == DataFileRole::Letters ? m.lettersReferencePath : m.scheduleReferencePath;
}

QString kindOf(DataFileRole role)
{
    return role == DataFileRole::Letters ? QStringLiteral("vemocv") : QStringLiteral("vemolich");
}

// On a server a data file's path names its data set by the file's base name.
QString dataSetOf(const QString& path)
{
    return db::pg::dataset::schemaFor(path);
}

// The letters, schedule and reference data sets in use: each role has its own.
QStringList dataSetsInUse()
{
    const app::Module1& m = app::module1();
    return {dataSetOf(m.lettersPath), dataSetOf(m.schedulePath), dataSetOf(m.referencePath)};
}

QString recentList(DataFileRole role)
{
    return role == DataFileRole::Letters ? QStringLiteral("sysmem2") : QStringLiteral("sysmem3");
}

bool sameFile(const QString& a, const QString& b)
{
    if (a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0)
        return true;
    const QString ca = QFileInfo(a.trimmed()).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b.trimmed()).canonicalFilePath();
}

// The backup name without blanks in its file name (the folders keep theirs).
QString withoutBlanksInName(const QString& path)
{
    const QString trimmed = path.trimmed();
    const qsizetype cut = std::max(trimmed.lastIndexOf(QLatin1Char('/')), trimmed.lastIndexOf(QDir::separator()));
    QString name = trimmed.mid(cut + 1);
    name.remove(QLatin1Char(' '));
    return trimmed.left(cut + 1) + name;
}

// The message of the first check filechon fails; "" when it passes them all.
QString checkChosen(DataFileRole role, QString& filechon, const ChoiceHooks& hooks)
{
    app::Module1& m = app::module1();
    if (app::filePresence(filechon).isEmpty()) {
        if (role != DataFileRole::Backup) {
            return QStringLiteral("Không tìm thấy file dữ liệu vừa chọn! ") + kCrLf +
                   QStringLiteral("Cần dùng chức năng 'Tìm file mới' để tìm file dữ liệu định dùng!");
        }
        filechon = withoutBlanksInName(filechon);
        if (!filechon.trimmed().toLower().endsWith(QLatin1String(".mdb")))
            return QStringLiteral("Cần thêm phần đuôi của tên file backup là .MDB ");
        // The next replication creates the file: its folder must take it.
        const QString folder = QFileInfo(filechon).absolutePath();
        if (!app::canWriteFolder(folder)) {
            return QStringLiteral("Không ghi được file backup vào thư mục ") + QDir::toNativeSeparators(folder) +
                   QStringLiteral(" ! Cần chọn thư mục khác.");
        }
        return QString();
    }
    if (role == DataFileRole::Backup)
        return QString(); // an existing backup file gets no check
    if (!app::isSoundDataFile(filechon, kindOf(role)))
        return QStringLiteral("File dữ liệu vừa chọn bị lỗi, không sử dụng được. ");
    if (!app::isSoundDataFile(app::matchNameCase(app::referenceFileBeside(filechon)), QStringLiteral("vemotk")))
        return QStringLiteral("File tham khảo vemotk.mdb ứng với file dữ liệu vừa chọn bị lỗi, không sử dụng được. ");
    if (role == DataFileRole::Schedule) {
        // The users table lives beside the schedule file: the user must be one of them.
        // The login dialog reads the users through scheduleReference: for the login it is the new file.
        const QString user = m.userFullName, rights = m.userRights, reference = m.scheduleReferencePath;
        const db::Database referenceDb = m.scheduleReference;
        m.scheduleReferencePath = app::matchNameCase(app::referenceFileBeside(filechon));
        m.userFullName.clear();
        m.userRights.clear();
        bool gaveUp = false;
        try {
            m.scheduleReference = db::Database::open(m.scheduleReferencePath, app::kConnect);
            if (hooks.logIn)
                gaveUp = hooks.logIn();
        } catch (const std::exception& e) {
            app::recordRunTimeError(e, lcDatafiles());
            m.userRights.clear();
        }
        if (!(m.scheduleReference == referenceDb))
            m.scheduleReference.close();
        m.scheduleReference = referenceDb;
        if (m.userRights.isEmpty() || gaveUp) {
            m.userFullName = user;
            m.userRights = rights;
            m.scheduleReferencePath = reference;
            return QStringLiteral("Phải hỏi người quản trị mạng để có quyền sử dụng file dữ liệu vừa chọn!");
        }
    }
    return QString();
}

// Opens the role's new file and the reference file beside it and puts them in place of the files
// in use; returns those.
Files switchTo(DataFileRole role, const QString& path, const QString& referenceBefore)
{
    const QString reference = app::matchNameCase(app::referenceFileBeside(path));
    db::Database db = db::Database::open(path, app::kConnect);
    db::Database referenceDb = db::Database::open(reference, app::kConnect);
    Files previous{rolePath(role), referenceBefore, roleDatabase(role), roleReferenceDatabase(role)};
    rolePath(role) = path;
    roleDatabase(role) = db;
    roleReferencePath(role) = reference;
    roleReferenceDatabase(role) = referenceDb;
    return previous;
}

// The new letters or schedule data in place: brought up to this version, the working year's
// table looked for (missing: told, then the working-year dialog), the reference lists read again.
void settleSwitched(DataFileRole role, const ChoiceHooks& hooks)
{
    app::Module1& m = app::module1();
    // Data from an older installation gets the handling columns before they are used.
    app::upgradeLettersSchemaOrRecord(roleDatabase(role));
    app::upgradeLettersSchemaOrRecord(roleReferenceDatabase(role));
    const bool letters = role == DataFileRole::Letters;
    if (!app::hasTableLike(letters ? m.incomingTable : m.scheduleTable, roleDatabase(role))) {
        app::tell(QStringLiteral("Không tìm thấy bảng dữ liệu cho năm ") + m.workingYear + QStringLiteral("\r") +
                  QStringLiteral("Cần chọn lại năm làm việc!"));
        if (hooks.chooseWorkingYear)
            hooks.chooseWorkingYear();
    }
    app::openReferenceRecordsets(m);
}

// A file's bytes, to be put back when a switch fails (absent: the file did not exist).
struct SavedFile
{
    QString path;
    std::optional<QByteArray> bytes;

    explicit SavedFile(const QString& p) : path(p)
    {
        QFile file(p);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
    }
    void restore() const
    {
        QFile file(path);
        if (!bytes) {
            file.remove();
            return;
        }
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(*bytes) != bytes->size())
            qCWarning(lcDatafiles) << "cannot restore" << path << file.errorString();
    }
};

void putBack(DataFileRole role, const Files& previous)
{
    db::Database now = roleDatabase(role), nowReference = roleReferenceDatabase(role);
    rolePath(role) = previous.file;
    roleDatabase(role) = previous.db;
    roleReferencePath(role) = previous.reference;
    roleReferenceDatabase(role) = previous.referenceDb;
    if (!(now == previous.db))
        now.close();
    if (!(nowReference == previous.referenceDb))
        nowReference.close();
    try {
        app::openReferenceRecordsets(app::module1());
    } catch (const std::exception& e) {
        app::logDroppedError(e, lcDatafiles(), QStringLiteral("reopening the reference lists"));
    }
}

// The folder of the role's file in use when that folder exists, else the data folder.
QString browseFolder(DataFileRole role)
{
    const app::Module1& m = app::module1();
    const QString path = role == DataFileRole::Backup ? m.backupPath.trimmed() : rolePath(role);
    if (!path.isEmpty()) {
        const QFileInfo file(path);
        if (file.isAbsolute() && file.dir().exists())
            return file.absolutePath();
    }
    return app::dataFolder(m.programFolder);
}

// Choosing on a server: another data set of the server takes the role's place. The office has
// one reference data set (and its users), so it stays, and nobody logs in again. The list of
// data sets is the server's: this machine keeps no recent-files list of them.
ChoiceOutcome acceptChosenDataSet(DataFileRole role, QString& filechon, const ChoiceHooks& hooks)
{
    app::Module1& m = app::module1();
    const QString name = filechon.trimmed().toLower();
    if (dataSetsInUse().contains(name)) {
        app::tell(QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") + filechon +
                  QStringLiteral(")."));
        filechon.clear();
        return ChoiceOutcome::SameFile;
    }
    QString refused;
    try {
        switch (app::checkDataSet(m.serverConnection, name, kindOf(role))) {
        case app::DataSetCheck::Missing:
            refused = QStringLiteral("Máy chủ không có bộ dữ liệu ") + filechon.trimmed() + QStringLiteral(" !") +
                      kCrLf + QStringLiteral("Cần chọn một bộ dữ liệu trong danh sách.");
            break;
        case app::DataSetCheck::MissingTables:
            refused = QStringLiteral("File dữ liệu vừa chọn bị lỗi, không sử dụng được. ");
            break;
        case app::DataSetCheck::Sound:
            break;
        }
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcDatafiles());
        refused = app::serverFailureText(e, m.serverConnection);
    }
    if (!refused.isEmpty()) {
        app::tell(refused);
        return ChoiceOutcome::Refused;
    }

    const QString pathBefore = rolePath(role);
    db::Database before = roleDatabase(role);
    const QString yearBefore = m.workingYear;
    bool switched = false;
    try {
        db::Database chosen = db::pg::openDataSet(m.serverConnection, name);
        // The path keeps its folder; its base name is what the next start opens on the server.
        rolePath(role) = QFileInfo(pathBefore).dir().filePath(name + QStringLiteral(".mdb"));
        roleDatabase(role) = chosen;
        switched = true;
        settleSwitched(role, hooks);
        app::writeSysmem(m);
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
        app::tell(QStringLiteral("Có lỗi khi đang thay đổi file dữ liệu. Cần thực hiện lại việc này! "));
        m.workingYear = yearBefore;
        m.setYearTables();
        if (switched) {
            db::Database now = roleDatabase(role);
            rolePath(role) = pathBefore;
            roleDatabase(role) = before;
            now.close();
            try {
                app::openReferenceRecordsets(m);
                app::writeSysmem(m);
            } catch (const std::exception& again) {
                app::logDroppedError(again, lcDatafiles(), QStringLiteral("putting back the data set in use"));
            }
        }
        if (hooks.refreshWindow)
            hooks.refreshWindow();
        return ChoiceOutcome::Failed;
    }
    before.close();
    if (hooks.refreshWindow)
        hooks.refreshWindow();
    app::tell(QStringLiteral("Đã sử dụng bộ dữ liệu ") + name + QStringLiteral(" trên máy chủ ") +
              app::shownConnection(m.serverConnection));
    return ChoiceOutcome::Switched;
}

} // namespace

bool offersDataSets(DataFileRole role)
{
    return role != DataFileRole::Backup && !app::module1().serverConnection.isEmpty();
}

std::optional<DataFileRole> roleOfCommand(const QString& lenhchon)
{
    const QString word = lenhchon.toLower();
    if (word == QLatin1String("chonfiledulieucongvan"))
        return DataFileRole::Letters;
    if (word == QLatin1String("chonfiledulieulich"))
        return DataFileRole::Schedule;
    if (word == QLatin1String("chonfiledulieubackup"))
        return DataFileRole::Backup;
    return std::nullopt;
}

QString roleTitle(DataFileRole role)
{
    switch (role) {
    case DataFileRole::Letters:
        return QStringLiteral("Chọn file dữ liệu công văn");
    case DataFileRole::Schedule:
        return QStringLiteral("Chọn file dữ liệu kế hoạch công tác, lịch làm việc");
    case DataFileRole::Backup:
        break;
    }
    return QStringLiteral("Chọn file dữ liệu backup");
}

QString fileInUse(DataFileRole role)
{
    return offersDataSets(role) ? dataSetOf(rolePath(role)) : rolePath(role);
}

QStringList offeredFiles(DataFileRole role)
{
    const app::Module1& m = app::module1();
    if (offersDataSets(role)) {
        try {
            // Every data set made from the template holds every table: the ones in use for
            // another role are left out.
            QStringList offered = app::soundDataSets(m.serverConnection, kindOf(role));
            const QString own = dataSetOf(rolePath(role));
            for (const QString& inUse : dataSetsInUse()) {
                if (inUse != own)
                    offered.removeAll(inUse);
            }
            return offered;
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e, lcDatafiles());
            app::tell(app::serverFailureText(e, m.serverConnection));
            return {};
        }
    }
    if (role == DataFileRole::Backup)
        return {m.backupPath == QLatin1String(" ") ? QString() : m.backupPath};
    return app::readRecentFiles(app::dataFilePath(m.programFolder, recentList(role)));
}

OpenFileRequest browseRequest(DataFileRole role)
{
    OpenFileRequest request;
    request.title = role == DataFileRole::Letters    ? QStringLiteral("Chon file du lieu cong van")
                    : role == DataFileRole::Schedule ? QStringLiteral("Chon file du lieu lich")
                                                     : QStringLiteral("Chon file du lieu backup");
    request.folder = browseFolder(role);
    request.filters = {QStringLiteral("File *.MDB (*.MDB *.mdb)"), QStringLiteral("All (*.*) (*)")};
    return request;
}

ChoiceOutcome acceptChosenFile(DataFileRole role, QString& filechon, const ChoiceHooks& hooks)
{
    if (offersDataSets(role))
        return acceptChosenDataSet(role, filechon, hooks);
    app::Module1& m = app::module1();
    const QString user = m.userFullName, rights = m.userRights;
    const QString referenceBefore = role == DataFileRole::Backup ? QString() : roleReferencePath(role);

    // The letters and the schedule file are never one file: each has its own connection.
    if (role != DataFileRole::Backup && (sameFile(filechon, m.lettersPath) || sameFile(filechon, m.schedulePath))) {
        app::tell(QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") + filechon +
                  QStringLiteral(")."));
        filechon.clear();
        return ChoiceOutcome::SameFile;
    }
    if (const QString message = checkChosen(role, filechon, hooks); !message.isEmpty()) {
        app::tell(message);
        return ChoiceOutcome::Refused;
    }

    const QString chosen = role == DataFileRole::Backup ? filechon.trimmed() : app::matchNameCase(filechon.trimmed());
    if (role == DataFileRole::Backup) {
        const QString previous = m.backupPath;
        try {
            m.backupPath = chosen;
            app::writeSysmem(m);
        } catch (const std::exception& e) {
            app::recordRunTimeError(e, lcDatafiles());
            m.backupPath = previous;
            app::tell(QStringLiteral("Có lỗi khi đang tạo file backup. Cần thực hiện lại việc này! "));
            return ChoiceOutcome::Failed;
        }
        if (hooks.refreshWindow)
            hooks.refreshWindow();
        app::tell(QStringLiteral("Đã chọn file backup là ") + m.backupPath);
        return ChoiceOutcome::Switched;
    }

    Files previous;
    bool switched = false;
    // The working-year dialog may change the year on the way: a failure puts it back too.
    const QString yearBefore = m.workingYear;
    const SavedFile recent(app::dataFilePath(m.programFolder, recentList(role)));
    try {
        previous = switchTo(role, chosen, referenceBefore);
        switched = true;
        settleSwitched(role, hooks);
        app::updateRecentFiles(m.programFolder, recentList(role), chosen);
        app::writeSysmem(m);
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
        app::tell(QStringLiteral("Có lỗi khi đang thay đổi file dữ liệu. Cần thực hiện lại việc này! "));
        m.userFullName = user;
        m.userRights = rights;
        m.workingYear = yearBefore;
        m.setYearTables();
        if (switched)
            putBack(role, previous);
        else
            roleReferencePath(role) = referenceBefore;
        recent.restore();
        try {
            app::writeSysmem(m);
        } catch (const std::exception& again) {
            app::logDroppedError(again, lcDatafiles(), QStringLiteral("writing the settings file back"));
        }
        if (hooks.refreshWindow)
            hooks.refreshWindow();
        return ChoiceOutcome::Failed;
    }
    previous.db.close();
    previous.referenceDb.close();
    if (hooks.refreshWindow)
        hooks.refreshWindow();
    app::tell(QStringLiteral("Đã sử dụng file dữ liệu ") + kCrLf + chosen);
    return ChoiceOutcome::Switched;
}

} // namespace datafiles
