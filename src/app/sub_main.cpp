#include "sub_main.h"

#include "common/clock.h"
#include "common/dates.h"
#include "data_files.h"
#include "data_paths.h"
#include "frmlogin.h"
#include "login_check.h"
#include "messenger.h"
#include "module1.h"
#include "platform/ui/hourglass.h"
#include "run_time_error.h"

#include <QDir>
#include <stdexcept>

namespace app {
namespace {

const QString kCr = QStringLiteral("\r");
const QString kCrLf = QStringLiteral("\r\n");

// Step texts quoted in the error message; the two that open the letters and schedule files
// lead to a retry rather than a stop.
const QString kStepFolder = QStringLiteral("kiểm tra thư mục SELVARO.");
const QString kStepTemp = QStringLiteral("kiểm tra file dữ liệu temp.");
const QString kStepLocalReference = QStringLiteral("kiểm tra file dữ liệu tham khảo local.");
const QString kStepSysmem = QStringLiteral("kiểm tra file sysmem.");
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
        : m_folder(programFolder), m_window(window), m_services(services)
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
        Module1& m = module1();
        return QStringLiteral("File dữ liệu gốc của chương trình ") + QDir::toNativeSeparators(m.filegoc) +
               QStringLiteral(" bị hỏng. Chương trình không thể tiếp tục được !") + kCr +
               QStringLiteral("Cần cài đặt lại chương trình này từ đĩa gốc !");
    }
    void copyTemplateTo(const QString& path)
    {
        if (!restoreFromTemplate(path))
            throw StepFailure(
                (QStringLiteral("Không chép được file dữ liệu gốc sang ") + QDir::toNativeSeparators(path))
                    .toStdString());
    }

    bool checkTemplate();
    Flow openDataFiles();
    Flow restoreLocalFiles();
    Flow failedFile(const QString& failedPath);
    Flow finish();

    // Opens a data file for reading and writing; a file name in another letter case is found too.
    db::Database openDataFile(const QString& path) const
    {
        const QString existing = matchNameCase(path);
        return m_services.openDataFile ? m_services.openDataFile(existing) : db::Database::open(existing, kConnect);
    }

    QString m_folder;
    StartupWindow& m_window;
    const StartupServices& m_services;
};

// Steps 3 and 4.
bool SubMain::checkTemplate()
{
    Module1& m = module1();
    setProgramFolder(m_folder);
    if (filePresence(dataPath(QStringLiteral("vemogoc.MDB"))).isEmpty()) {
        tell(QStringLiteral("Không tìm thấy file dữ liệu gốc của chương trình !!! ") + kCr +
             QStringLiteral("Cần copy file vemogoc.mdb vào thư mục ") + QDir::toNativeSeparators(m_folder) +
             QDir::separator() + QStringLiteral("DATA hoặc cài đặt lại chương trình này !"));
        return false;
    }
    m.filegoc = dataPath(QStringLiteral("vemogoc.mdb"));
    m.gochong = !KiemtraMDB(m.filegoc, QStringLiteral("vemogoc"));
    return true;
}

// Step 5: a missing local file is a copy of the template. A damaged template is never copied.
SubMain::Flow SubMain::restoreLocalFiles()
{
    Module1& m = module1();
    for (const QString& name : localDataFileNames()) {
        const QString path = dataPath(name);
        if (!filePresence(path).isEmpty())
            continue;
        if (m.gochong) {
            tell(damagedTemplateMessage());
            return Flow::Stop;
        }
        copyTemplateTo(path);
    }
    return Flow::Next;
}

// Steps 5 to 15, one pass. Again: run the pass once more (after the fall-back to a default file).
SubMain::Flow SubMain::openDataFiles()
{
    Module1& m = module1();
    if (restoreLocalFiles() == Flow::Stop)
        return Flow::Stop;

    // Step 6: the scratch file.
    m.buoc = kStepTemp;
    m.filetemp = dataPath(QStringLiteral("vemotemp.MDB"));
    if (!KiemtraMDB(m.filetemp, QStringLiteral("vemotk"))) {
        if (m.gochong) {
            tell(damagedTemplateMessage());
            return Flow::Stop;
        }
        copyTemplateTo(m.filetemp);
    }
    if (scratchFileNeedsReplacing(m.filetemp) && !m.gochong)
        copyTemplateTo(m.filetemp);
    m.dbtemp = openDataFile(m.filetemp);

    // Step 7: the local reference file.
    m.buoc = kStepLocalReference;
    m.filethamkhao = dataPath(QStringLiteral("vemotk.MDB"));
    if (!KiemtraMDB(m.filethamkhao, QStringLiteral("vemotk"))) {
        tell(QStringLiteral("File dữ liệu vemotk.MDB ở thư mục ") + QDir::toNativeSeparators(m_folder) +
             QDir::separator() + QStringLiteral("DATA đã bị sửa đổi hoặc bị hỏng, không dùng được !!!") + kCr +
             QStringLiteral("Cần kiểm tra khôi phục lại file này! "));
        if (m.gochong) {
            tell(damagedTemplateMessage());
            return Flow::Stop;
        }
        copyTemplateTo(m.filethamkhao);
    }
    m.dbthamkhao = openDataFile(m.filethamkhao);

    // Step 8: the settings file.
    m.buoc = kStepSysmem;
    if (!filePresence(dataPath(QStringLiteral("sysmem"))).isEmpty()) {
        readSysmem();
    } else {
        const Sysmem defaults = sysmemDefaults(m_folder, clockYear());
        m.filelich = defaults.filelich;
        m.filecongvan = defaults.filecongvan;
        m.filebackup = defaults.filebackup;
        m.namlamviec = defaults.namlamviec;
        if (m.namlamviec < QLatin1String("2008")) {
            tell(kClockMessage);
            return Flow::Stop;
        }
        writeSysmem();
        m_window.repaintNow();
    }

    // Step 9: the recent-files lists.
    m.buoc = kStepSysmem2;
    updateRecentFiles(QStringLiteral("sysmem2"), m.filecongvan);
    m.buoc = kStepSysmem3;
    updateRecentFiles(QStringLiteral("sysmem3"), m.filelich);

    // Steps 10 to 13: the letters and schedule files and the reference files beside them.
    m.buoc = kStepLetters;
    if (!KiemtraMDB(m.filecongvan, QStringLiteral("vemocv")))
        return failedFile(m.filecongvan);
    m.dbcongvan = openDataFile(m.filecongvan);

    m.filethamkhaocv = matchNameCase(referenceFileBeside(m.filecongvan));
    m.buoc = kStepLettersReference;
    if (!KiemtraMDB(m.filethamkhaocv, QStringLiteral("vemotk")))
        return failedFile(m.filethamkhaocv);
    m.dbthamkhaocv = openDataFile(m.filethamkhaocv);

    m.buoc = kStepSchedule;
    if (!KiemtraMDB(m.filelich, QStringLiteral("vemolich")))
        return failedFile(m.filelich);
    m.dblich = openDataFile(m.filelich);

    m.filethamkhaolich = matchNameCase(referenceFileBeside(m.filelich));
    m.buoc = kStepScheduleReference;
    if (!KiemtraMDB(m.filethamkhaolich, QStringLiteral("vemotk")))
        return failedFile(m.filethamkhaolich);
    m.dbthamkhaolich = openDataFile(m.filethamkhaolich);

    // Step 14: the working year.
    m.buoc = kStepYear;
    if (m.namlamviec.isEmpty()) {
        m.namlamviec = clockYear();
        if (m.namlamviec < QLatin1String("2008")) {
            tell(kClockMessage);
            return Flow::Stop;
        }
    }
    const QString year = clockYear();
    if (m.namlamviec != year) {
        tell(QStringLiteral("Năm làm việc không trùng với con số năm trên máy là ") + year + kCr +
             QStringLiteral("Cần chọn lại năm làm việc hoặc ") +
             QStringLiteral("phải kiểm tra, đặt lại ngày tháng năm trên máy tính!"));
        m_window.repaintNow();
    }
    return Flow::Next;
}

// Step 15: a letters, schedule or reference file that failed its check.
SubMain::Flow SubMain::failedFile(const QString& failedPath)
{
    Module1& m = module1();
    const QString shown = QDir::toNativeSeparators(failedPath);
    if (!ask(QStringLiteral("Không tìm thấy file dữ liệu ") + shown + QStringLiteral(" !") + kCrLf +
             QStringLiteral("Cần kiểm tra lại việc nối mạng và các thư mục mạng chứa file dữ liệu. ") + kCrLf +
             QStringLiteral("Có muốn chuyển về file dữ liệu trong thư mục ") + QDir::toNativeSeparators(m_folder) +
             QDir::separator() + QStringLiteral("Data") + QStringLiteral(" không ?")))
        return Flow::Stop;
    if (failedPath == m.filecongvan)
        m.filecongvan = dataPath(QStringLiteral("vemocv.MDB"));
    else if (failedPath == m.filelich)
        m.filelich = dataPath(QStringLiteral("vemolich.MDB"));
    else if (failedPath == m.filethamkhaocv)
        m.filecongvan = dataPath(QStringLiteral("vemocv.MDB"));
    else if (failedPath == m.filethamkhaolich)
        m.filelich = dataPath(QStringLiteral("vemolich.MDB"));
    writeSysmem();
    m_window.repaintNow();
    return Flow::Again;
}

// Steps 16 to 24.
SubMain::Flow SubMain::finish()
{
    Module1& m = module1();
    if (!createYearTables())
        return Flow::Stop; // the message has been shown
    restoreDefaultCursor();

    m.hotendangnhap.clear();
    m.quyendangnhap.clear();
    m.thongbao.clear();
    frmLogin::run(LoginCheck::kModeStartup, QString());
    if (m.quyendangnhap.isEmpty() || m.thongbao == QLatin1String("thoi"))
        return Flow::NoLogin; // the program ends without a message

    m.buoc = kStepReference;
    openReferenceRecordsets();
    m_window.focusViewIncoming();

    try {
        // Only a path longer than 8 characters names a backup file worth looking for.
        if (m.filebackup.size() > 8 && filePresence(m.filebackup).isEmpty())
            tell(QStringLiteral("Không tìm thấy file dữ liệu backup ") + QDir::toNativeSeparators(m.filebackup) +
                 QStringLiteral(" ?!") + kCr + QStringLiteral("Cần kiểm tra lại việc nối mạng ") +
                 QStringLiteral(" hoặc chọn lại file backup nếu cần !"));
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        // the backup check never stops the start-up
    }

    m_window.showDataLabels();
    m_window.repaintNow();
    m_window.setLetterEntryEnabled(lettersFileIsLocal(m_services.driveTypeDescription));
    m_window.repaintNow();
    restoreDefaultCursor();
    return Flow::Next;
}

StartupOutcome SubMain::run()
{
    Module1& m = module1();
    m_window.showAtStart();
    common::tenthang(1); // builds the month table

    try {
        m.buoc = kStepFolder;
        m.thumucchuongtrinh = m_folder;
        if (!checkTemplate())
            return StartupOutcome::Stopped;

        for (;;) {
            try {
                const Flow flow = openDataFiles();
                if (flow == Flow::Stop)
                    return StartupOutcome::Stopped;
                if (flow == Flow::Next)
                    break;
            } catch (const std::exception& e) {
                recordRunTimeError(e);
                if (m.buoc != kStepLetters && m.buoc != kStepSchedule)
                    throw;
                // The letters or schedule file could not be opened: the user may try again
                // (after fixing the network folder) or stop.
                if (!ask(QStringLiteral("Gặp lỗi khi đang ") + m.buoc + kCr +
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
        tell(QStringLiteral("Gặp lỗi khi đang ") + m.buoc + kCr +
             QStringLiteral(" Chương trình không thể tiếp tục được !"));
        restoreDefaultCursor();
        return StartupOutcome::Stopped;
    }
}

} // namespace

StartupOutcome subMain(const QString& programFolder, StartupWindow& window, const StartupServices& services)
{
    ui::setHourglass();
    SubMain sequence(programFolder, window, services);
    const StartupOutcome outcome = sequence.run();
    restoreDefaultCursor();
    return outcome;
}

QString workingYearCaption()
{
    return QStringLiteral("Dữ liệu năm ") + module1().namlamviec;
}

QString dataFilesCaption()
{
    const Module1& m = module1();
    return QStringLiteral("File công văn: ") + QDir::toNativeSeparators(m.filecongvan) + kCrLf +
           QStringLiteral("File kế hoạch, lịch công tác: ") + QDir::toNativeSeparators(m.filelich);
}

bool lettersFileIsLocal(const std::function<QString(const QString& path)>& describe)
{
    const QString& path = module1().filecongvan;
    const QString kind = describe ? describe(path) : driveTypeDescription(path);
    return kind == QLatin1String("Local Hard Disk");
}

} // namespace app
