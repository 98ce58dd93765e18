#include "sub_main.h"

#include "app/core/data_file_messages.h"
#include "app/core/data_files.h"
#include "app/core/data_paths.h"
#include "app/core/due_letters.h"
#include "app/core/login_check.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/qt_translation.h"
#include "app/core/read_only_mode.h"
#include "app/core/run_time_error.h"
#include "app/core/server_setting.h"
#include "app/core/structure_check.h"
#include "app/core/template_restore.h"
#include "app/core/year_tables.h"
#include "common/clock.h"
#include "common/dates.h"
#include "frmlogin.h"
#include "platform/db/db_error.h"
#include "platform/db/file_recovery.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_engine.h"
#include "platform/sys/file_ops.h"
#include "platform/ui/hourglass.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace app {
namespace {

// At login the secretary is told once how many incoming letters are past their handling deadline.
// Counting never stops the start-up: a file that cannot be read is recorded and nothing is told.
void tellOverdueLetters(Module1& m)
{
    try {
        const QString message = overdueLoginMessage(countDueLetters(m.letters, common::clock().today()));
        if (!message.isEmpty())
            tell(message);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
    }
}

const QString kCr = QStringLiteral("\r");
const QString kCrLf = QStringLiteral("\r\n");

// Step texts quoted in the error message; the two that open the letters and schedule files
// lead to a retry rather than a stop.
const QString kStepFolder = QStringLiteral("kiểm tra thư mục SELVARO.");
const QString kStepTemp = QStringLiteral("kiểm tra file dữ liệu temp.");
const QString kStepLocalReference = QStringLiteral("kiểm tra file dữ liệu tham khảo local.");
const QString kStepSysmem = QStringLiteral("kiểm tra file sysmem.");
const QString kStepServer = QStringLiteral("kết nối với máy chủ dữ liệu.");
const QString kStepSysmem2 = QStringLiteral("kiểm tra file sysmem2");
const QString kStepSysmem3 = QStringLiteral("kiểm tra file sysmem3");
const QString kStepLetters = QStringLiteral("mở file dữ liệu công văn.");
const QString kStepLettersReference = QStringLiteral("mở file dữ liệu tham khảo công văn.");
const QString kStepSchedule = QStringLiteral("mở file dữ liệu lịch tuần.");
const QString kStepScheduleReference = QStringLiteral("mở file dữ liệu tham khảo lịch tuần.");
const QString kStepYear = QStringLiteral("kiểm tra năm làm việc.");
const QString kStepReference = QStringLiteral("mở các bảng tham khảo.");

const QString kClockMessage =
    QStringLiteral("Cần kiểm tra đặt lại ngày tháng năm trên máy tính cho đúng và chạy lại chương trình này!");

// A failure that is not an error of the database layer (a copy that did not happen, ...).
class StepFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

QString clockYear()
{
    return QString::number(common::clock().today().year()).rightJustified(4, QLatin1Char('0'));
}

void restoreDefaultCursor()
{
    ui::setDefaultPointer();
}

class SubMain
{
public:
    SubMain(const QString& programFolder, StartupWindow& window, const StartupServices& services)
        : m_state(module1()), m_folder(programFolder), m_window(window), m_services(services)
    {}

    StartupOutcome run();

private:
    enum class Flow
    {
        Next,
        Again,
        Stop,
        NoLogin
    };

    QString dataPath(const QString& name) const { return dataFilePath(m_folder, name); }
    QString damagedTemplateMessage() const
    {
        const Module1& m = m_state;
        return QStringLiteral("File dữ liệu gốc của chương trình ") + QDir::toNativeSeparators(m.templatePath) +
               QStringLiteral(" bị hỏng. Chương trình không thể tiếp tục được !") + kCr +
               QStringLiteral("Cần cài đặt lại chương trình này từ đĩa gốc !");
    }
    void copyTemplateTo(const QString& path)
    {
        if (!restoreFromTemplate(m_state.templatePath, path))
            throw StepFailure(
                (QStringLiteral("Không chép được file dữ liệu gốc sang ") + QDir::toNativeSeparators(path))
                    .toStdString());
    }

    bool checkTemplate();
    Flow openDataFiles();
    Flow restoreLocalFiles();
    Flow openScratchFile();
    Flow openLocalReferenceFile();
    Flow failedFile(const QString& failedPath, FileCheck check);
    Flow openOnServer(const QString& connection);
    Flow settleWorkingYear();
    void noticeReadOnly();
    bool yearTablesReady();
    Flow finish();

    // The structure check of a data file in use. The read-only attribute is left alone in a
    // read-only run and in a folder this user cannot write (the run becomes read-only then).
    FileCheck check(const QString& path, const QString& kind) const
    {
        const bool clear = !m_state.readOnly && canWriteFolder(QFileInfo(matchNameCase(path)).absolutePath());
        return checkDataFile(path, kind, clear);
    }

    // Opens a data file for reading and writing; a file name in another letter case is found too.
    db::Database openDataFile(const QString& path) const
    {
        const QString existing = matchNameCase(path);
        return m_services.openDataFile ? m_services.openDataFile(existing) : db::Database::open(existing, kConnect);
    }

    Module1& m_state; // the program state start-up fills
    QString m_folder;
    StartupWindow& m_window;
    const StartupServices& m_services;
    // Text of the step in progress, quoted when it fails ("Gặp lỗi khi đang " + step).
    QString m_step;
    bool m_readOnlyTold = false;
};

// Steps 3 and 4.
bool SubMain::checkTemplate()
{
    Module1& m = m_state;
    setProgramFolder(m, m_folder);
    if (filePresence(dataPath(QStringLiteral("vemogoc.MDB"))).isEmpty()) {
        tell(QStringLiteral("Không tìm thấy file dữ liệu gốc của chương trình !!! ") + kCr +
             QStringLiteral("Cần copy file vemogoc.mdb vào thư mục ") + shownDataFolder(m_folder) +
             QStringLiteral(" hoặc cài đặt lại chương trình này !"));
        return false;
    }
    m.templatePath = dataPath(QStringLiteral("vemogoc.mdb"));
    m.templateDamaged = !isSoundDataFile(m.templatePath, QStringLiteral("vemogoc"));
    return true;
}

// Step 5: a missing local file is a copy of the template. A damaged template is never copied.
SubMain::Flow SubMain::restoreLocalFiles()
{
    Module1& m = m_state;
    for (const QString& name : localDataFileNames()) {
        const QString path = dataPath(name);
        if (!filePresence(path).isEmpty())
            continue;
        if (m.templateDamaged) {
            tell(damagedTemplateMessage());
            return Flow::Stop;
        }
        if (m.readOnly) {
            tell(QStringLiteral("Thư mục dữ liệu ") + shownDataFolder(m_folder) +
                 QStringLiteral(" chỉ được phép đọc: chương trình không tạo được file dữ liệu ") + name +
                 QStringLiteral(" !") + kCr +
                 QStringLiteral("Cần cho phép ghi vào thư mục này hoặc cài đặt chương trình vào thư mục khác !"));
            return Flow::Stop;
        }
        // A journal left without its file would be rolled into the fresh copy: it goes aside.
        if (QFileInfo::exists(db::journalPath(path)))
            keepDamagedFile(path);
        copyTemplateTo(path);
    }
    return Flow::Next;
}

// Step 6: the scratch file, replaced freely (it holds nothing the user typed). A read-only run
// keeps its scratch file in a private temporary folder so that printing still works.
SubMain::Flow SubMain::openScratchFile()
{
    Module1& m = m_state;
    m_step = kStepTemp;
    if (m.readOnly) {
        const QString scratch = privateScratchFile(m.templatePath);
        if (scratch.isEmpty())
            throw StepFailure("no scratch file can be made");
        m.scratchPath = scratch;
        m.scratch = openDataFile(m.scratchPath);
        return Flow::Next;
    }
    m.scratchPath = dataPath(QStringLiteral("vemotemp.MDB"));
    const FileCheck found = check(m.scratchPath, QStringLiteral("vemotk"));
    if (found != FileCheck::Sound) {
        if (m.templateDamaged) {
            tell(damagedTemplateMessage());
            return Flow::Stop;
        }
        if (found == FileCheck::NeedsRecovery || found == FileCheck::Busy)
            throw StepFailure("the scratch file is in use or cannot be recovered");
        // The damaged scratch file goes with its journal, never under a copy.
        const QString actual = matchNameCase(m.scratchPath);
        if (sys::isFile(db::journalPath(actual)))
            sys::removeFile(db::journalPath(actual));
        if (sys::isFile(actual))
            sys::removeFile(actual);
        copyTemplateTo(m.scratchPath);
    }
    if (scratchFileNeedsReplacing(m.scratchPath) && !m.templateDamaged)
        copyTemplateTo(m.scratchPath);
    m.scratch = openDataFile(m.scratchPath);
    return Flow::Next;
}

// Step 7: the local reference file. A damaged one is kept beside under a dated name before the
// template takes its place; one that still needs its journal played back is never replaced.
SubMain::Flow SubMain::openLocalReferenceFile()
{
    Module1& m = m_state;
    m_step = kStepLocalReference;
    m.referencePath = dataPath(QStringLiteral("vemotk.MDB"));
    const FileCheck found = check(m.referencePath, QStringLiteral("vemotk"));
    if (found != FileCheck::Sound) {
        const QString damaged = QStringLiteral("File dữ liệu vemotk.MDB ở thư mục ") + shownDataFolder(m_folder) +
                                QStringLiteral(" đã bị sửa đổi hoặc bị hỏng, không dùng được !!!") + kCr;
        if (m.templateDamaged || m.readOnly || found == FileCheck::NeedsRecovery || found == FileCheck::Busy) {
            // Nothing can take its place: say why and stop, leaving the file as it is.
            tell(found == FileCheck::NeedsRecovery || found == FileCheck::Busy
                     ? fileProblemText(found, m.referencePath)
                     : damaged + (m.templateDamaged ? damagedTemplateMessage()
                                                    : QStringLiteral("Cần kiểm tra khôi phục lại file này! ")));
            return Flow::Stop;
        }
        const QString kept = keepDamagedFile(m.referencePath);
        tell(damaged + QStringLiteral("File hỏng được giữ lại là ") + QDir::toNativeSeparators(kept) +
             QStringLiteral(" ; file này được thay bằng file dữ liệu gốc.") + kCr +
             QStringLiteral("Cần kiểm tra khôi phục lại file này! "));
        copyTemplateTo(m.referencePath);
    }
    m.reference = openDataFile(m.referencePath);
    return Flow::Next;
}

// Tells once that the run is read-only, naming the first data file that cannot be written.
void SubMain::noticeReadOnly()
{
    Module1& m = m_state;
    QString what;
    if (!canWriteFolder(dataFolder(m_folder)))
        what = dataFolder(m_folder);
    for (const QString& path :
         {m.lettersPath, m.schedulePath, m.referencePath, m.lettersReferencePath, m.scheduleReferencePath}) {
        if (what.isEmpty() && !canWriteDataFile(path))
            what = path;
    }
    if (what.isEmpty())
        return;
    m.readOnly = true;
    if (!m_readOnlyTold)
        tell(readOnlyStartMessage(what));
    m_readOnlyTold = true;
}

// Steps 5 to 15, one pass. Again: run the pass once more (after the fall-back to a default file).
SubMain::Flow SubMain::openDataFiles()
{
    Module1& m = m_state;
    if (restoreLocalFiles() == Flow::Stop)
        return Flow::Stop;

    if (openScratchFile() == Flow::Stop || openLocalReferenceFile() == Flow::Stop)
        return Flow::Stop;

    // Step 8: the settings file.
    m_step = kStepSysmem;
    if (!filePresence(dataPath(QStringLiteral("sysmem"))).isEmpty()) {
        readSysmem(m);
    } else {
        const Sysmem defaults = sysmemDefaults(m_folder, clockYear());
        m.schedulePath = defaults.schedulePath;
        m.lettersPath = defaults.lettersPath;
        m.backupPath = defaults.backupPath;
        m.workingYear = defaults.workingYear;
        if (m.workingYear < QLatin1String("2008")) {
            tell(kClockMessage);
            return Flow::Stop;
        }
        if (!m.readOnly)
            writeSysmem(m);
        m_window.repaintNow();
    }

    // Step 9: the recent-files lists (left as they are in a read-only run).
    if (!m.readOnly) {
        m_step = kStepSysmem2;
        updateRecentFiles(m.programFolder, QStringLiteral("sysmem2"), m.lettersPath);
        m_step = kStepSysmem3;
        updateRecentFiles(m.programFolder, QStringLiteral("sysmem3"), m.schedulePath);
    }

    // Steps 10 to 13 on a server: its data sets instead of the files.
    if (const std::optional<QString> server = readServerSetting(m_folder)) {
        const Flow onServer = openOnServer(*server);
        if (onServer != Flow::Again)
            return onServer == Flow::Next ? settleWorkingYear() : onServer;
    }

    // Steps 10 to 13: the letters and schedule files and the reference files beside them.
    m_step = kStepLetters;
    if (const FileCheck found = check(m.lettersPath, QStringLiteral("vemocv")); found != FileCheck::Sound)
        return failedFile(m.lettersPath, found);
    m.letters = openDataFile(m.lettersPath);

    m.lettersReferencePath = matchNameCase(referenceFileBeside(m.lettersPath));
    m_step = kStepLettersReference;
    if (const FileCheck found = check(m.lettersReferencePath, QStringLiteral("vemotk")); found != FileCheck::Sound)
        return failedFile(m.lettersReferencePath, found);
    m.lettersReference = openDataFile(m.lettersReferencePath);

    m_step = kStepSchedule;
    if (const FileCheck found = check(m.schedulePath, QStringLiteral("vemolich")); found != FileCheck::Sound)
        return failedFile(m.schedulePath, found);
    m.schedule = openDataFile(m.schedulePath);

    m.scheduleReferencePath = matchNameCase(referenceFileBeside(m.schedulePath));
    m_step = kStepScheduleReference;
    if (const FileCheck found = check(m.scheduleReferencePath, QStringLiteral("vemotk")); found != FileCheck::Sound)
        return failedFile(m.scheduleReferencePath, found);
    m.scheduleReference = openDataFile(m.scheduleReferencePath);
    noticeReadOnly();
    return settleWorkingYear();
}

// Steps 10 to 13 when the folder's setting names a server: the letters, schedule and reference
// data sets there (named after the files), the reference lists one data set for the office. A
// server that cannot be reached or refuses us is told with the reason and the folder's own files
// are offered for this run (Again), or the run stops: never a loop.
SubMain::Flow SubMain::openOnServer(const QString& connection)
{
    Module1& m = m_state;
    m_step = kStepServer;
    const auto open = [&](const QString& path) {
        const QString dataSet = QFileInfo(path).completeBaseName().toLower();
        return m_services.openServerDataSet ? m_services.openServerDataSet(connection, dataSet)
                                            : db::pg::openDataSet(connection, dataSet);
    };
    try {
        db::Database letters = open(m.lettersPath);
        db::Database schedule = open(m.schedulePath);
        const db::Database reference = open(m.referencePath);
        m.letters = letters;
        m.schedule = schedule;
        m.reference = reference;
        m.lettersReference = reference;
        m.scheduleReference = reference;
        m.lettersReferencePath = m.referencePath;
        m.scheduleReferencePath = m.referencePath;
        m.serverConnection = connection;
        return Flow::Next;
    } catch (const db::DbError& e) {
        recordRunTimeError(e);
        // The files here are older than the server's data: they are only read, so nothing typed
        // can go where the office will not find it. The letters come from this machine's
        // backup when it has one (it is written from the server at every entry form's close).
        const bool backup = m.backupPath.size() > 8 && !filePresence(m.backupPath).isEmpty();
        if (!ask(serverFailureText(e, connection) + kCrLf + QStringLiteral("Có muốn xem ") +
                 (backup ? QStringLiteral("bản backup công văn ") + QDir::toNativeSeparators(m.backupPath) +
                               QStringLiteral(" và các file dữ liệu trong thư mục ")
                         : QStringLiteral("các file dữ liệu trong thư mục ")) +
                 shownDataFolder(m_folder) + QStringLiteral(" (chỉ đọc) cho lần chạy này không ?")))
            return Flow::Stop;
        m.readOnly = true;
        m_readOnlyTold = true; // the question has said it
        if (backup)
            m.lettersPath = matchNameCase(m.backupPath);
        m_window.repaintNow();
        return Flow::Again;
    }
}

// Step 14: the working year.
SubMain::Flow SubMain::settleWorkingYear()
{
    Module1& m = m_state;
    m_step = kStepYear;
    if (m.workingYear.isEmpty()) {
        m.workingYear = clockYear();
        if (m.workingYear < QLatin1String("2008")) {
            tell(kClockMessage);
            return Flow::Stop;
        }
    }
    const QString year = clockYear();
    if (m.workingYear != year) {
        tell(QStringLiteral("Năm làm việc không trùng với con số năm trên máy là ") + year + kCr +
             QStringLiteral("Cần chọn lại năm làm việc hoặc ") +
             QStringLiteral("phải kiểm tra, đặt lại ngày tháng năm trên máy tính!"));
        m_window.repaintNow();
    }
    return Flow::Next;
}

// Step 15: a letters, schedule or reference file that failed its check. The user is told what
// is wrong with which file and offered only a choice that changes something: the file of the same
// name in the program's data folder when the failing file lies elsewhere, or stopping. When the
// failing file is already that default file there is nothing to switch to: the run stops.
SubMain::Flow SubMain::failedFile(const QString& failedPath, FileCheck found)
{
    Module1& m = m_state;
    const bool letters =
        failedPath == m.lettersPath || (failedPath != m.schedulePath && failedPath == m.lettersReferencePath);
    const QString fallback = dataPath(letters ? QStringLiteral("vemocv.MDB") : QStringLiteral("vemolich.MDB"));
    const QString current = letters ? m.lettersPath : m.schedulePath;
    const auto canonical = [](const QString& path) {
        const QString c = QFileInfo(matchNameCase(path)).absoluteFilePath();
        return QDir::cleanPath(c);
    };
    const QString problem = fileProblemText(found, failedPath);
    if (canonical(current) == canonical(fallback)) {
        tell(problem + kCrLf + QStringLiteral("Chương trình không thể tiếp tục được !") + kCrLf +
             QStringLiteral("Cần khôi phục file này từ bản sao lưu rồi chạy lại chương trình này !"));
        return Flow::Stop;
    }
    if (!ask(problem + kCrLf + QStringLiteral("Có muốn chuyển về file dữ liệu ") + QDir::toNativeSeparators(fallback) +
             QStringLiteral(" không ?")))
        return Flow::Stop;
    if (letters)
        m.lettersPath = fallback;
    else
        m.schedulePath = fallback;
    if (!m.readOnly)
        writeSysmem(m);
    m_window.repaintNow();
    return Flow::Again;
}

// Step 16 in a read-only run: the year tables cannot be made, so a year without them is told
// and the run goes on (another year can be chosen).
bool SubMain::yearTablesReady()
{
    Module1& m = m_state;
    if (!m.readOnly)
        return createYearTables(m);
    m.setYearTables();
    if (!yearTablesPresent(m))
        tell(QStringLiteral("Chưa có dữ liệu năm ") + m.workingYear +
             QStringLiteral(" trong các file dữ liệu; ở chế độ chỉ đọc chương trình không tạo được bảng dữ liệu "
                            "mới. Cần chọn năm làm việc khác !"));
    return true;
}

// Steps 16 to 24.
SubMain::Flow SubMain::finish()
{
    Module1& m = m_state;
    if (!yearTablesReady())
        return Flow::Stop; // the message has been shown
    restoreDefaultCursor();

    m.userFullName.clear();
    m.userRights.clear();
    const bool gaveUp = LoginForm::run(m, LoginCheck::kModeStartup, QString()).gaveUp;
    if (m.userRights.isEmpty() || gaveUp)
        return Flow::NoLogin; // the program ends without a message

    m_step = kStepReference;
    openReferenceRecordsets(m);
    m_window.focusViewIncoming();
    tellOverdueLetters(m);

    try {
        // Only a path longer than 8 characters names a backup file worth looking for.
        // A backup file left with a journal by a run killed while it replicated is recovered now,
        // together with the super-journal that tied it to the letters file.
        // The super-journal lies beside the letters file: looked at again once both are recovered.
        if (m.backupPath.size() > 8 && !filePresence(m.backupPath).isEmpty() && !m.readOnly) {
            db::recoverFile(matchNameCase(m.backupPath));
            db::recoverFile(matchNameCase(m.lettersPath));
        }
        if (m.backupPath.size() > 8 && filePresence(m.backupPath).isEmpty())
            tell(QStringLiteral("Không tìm thấy file dữ liệu backup ") + QDir::toNativeSeparators(m.backupPath) +
                 QStringLiteral(" ?!") + kCr + QStringLiteral("Cần kiểm tra lại việc nối mạng ") +
                 QStringLiteral(" hoặc chọn lại file backup nếu cần !"));
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        // the backup check never stops the start-up
    }

    m_window.showDataLabels();
    m_window.repaintNow();
    m_window.setLetterEntryEnabled(letterEntryAllowed(m, m_services.driveTypeDescription));
    m_window.repaintNow();
    restoreDefaultCursor();
    return Flow::Next;
}

StartupOutcome SubMain::run()
{
    Module1& m = m_state;
    m_window.showAtStart();
    common::monthName(1); // builds the month table

    try {
        m_step = kStepFolder;
        m.programFolder = m_folder;
        if (!checkTemplate())
            return StartupOutcome::Stopped;
        // A data folder this user cannot write makes the run read-only from the start.
        m.readOnly = !canWriteFolder(dataFolder(m_folder));

        for (;;) {
            try {
                const Flow flow = openDataFiles();
                if (flow == Flow::Stop)
                    return StartupOutcome::Stopped;
                if (flow == Flow::Next)
                    break;
            } catch (const std::exception& e) {
                recordRunTimeError(e);
                if (m_step != kStepLetters && m_step != kStepSchedule)
                    throw;
                // The letters or schedule file could not be opened: the user may try again
                // (after fixing the network folder) or stop.
                if (!ask(QStringLiteral("Gặp lỗi khi đang ") + m_step + kCr +
                         QStringLiteral(" Cần kiểm tra hoặc khai báo lại file dữ liệu trên mạng !") + kCr +
                         QStringLiteral("Có muốn thử mở lại file dữ liệu không ?")))
                    return StartupOutcome::Stopped;
            }
        }

        const Flow flow = finish();
        if (flow == Flow::Stop)
            return StartupOutcome::Stopped;
        if (flow == Flow::NoLogin)
            return StartupOutcome::NotLoggedIn;
        return StartupOutcome::Ready;
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang ") + m_step + kCr +
             QStringLiteral(" Chương trình không thể tiếp tục được !"));
        restoreDefaultCursor();
        return StartupOutcome::Stopped;
    }
}

} // namespace

StartupOutcome subMain(const QString& programFolder, StartupWindow& window, const StartupServices& services)
{
    // Qt's own dialogs (file, print) speak Vietnamese before the first of them shows.
    installQtTranslation(qtTranslationFolders(programFolder));
    ui::setHourglass();
    SubMain sequence(programFolder, window, services);
    const StartupOutcome outcome = sequence.run();
    restoreDefaultCursor();
    return outcome;
}

QString workingYearCaption(const Module1& state)
{
    return QStringLiteral("Dữ liệu năm ") + state.workingYear;
}

QString dataFilesCaption(const Module1& m)
{
    if (!m.serverConnection.isEmpty()) {
        // The paths name the data sets only by their base names: the label names the server.
        const QString server = QStringLiteral(" (máy chủ ") + shownConnection(m.serverConnection) + u')';
        return QStringLiteral("File công văn: ") + db::pg::dataset::schemaFor(m.lettersPath) + server + kCrLf +
               QStringLiteral("File kế hoạch, lịch công tác: ") + db::pg::dataset::schemaFor(m.schedulePath) + server;
    }
    return QStringLiteral("File công văn: ") + QDir::toNativeSeparators(m.lettersPath) + kCrLf +
           QStringLiteral("File kế hoạch, lịch công tác: ") + QDir::toNativeSeparators(m.schedulePath);
}

bool lettersFileIsLocal(const QString& path, const std::function<QString(const QString& path)>& describe)
{
    const QString kind = describe ? describe(path) : driveTypeDescription(path);
    return kind == QLatin1String("Local Hard Disk");
}

bool letterEntryAllowed(const Module1& m, const std::function<QString(const QString& path)>& describe)
{
    // A server serialises writers: every machine may enter letters then.
    return !m.readOnly && (!m.serverConnection.isEmpty() || lettersFileIsLocal(m.lettersPath, describe));
}

} // namespace app
