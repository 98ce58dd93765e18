#pragma once

#include "platform/db/database.h"

#include <QString>
#include <functional>

namespace app {

struct Module1;

// What start-up needs of the main window. MainWindow implements it; tests may pass a stand-in.
class StartupWindow
{
public:
    virtual ~StartupWindow() = default;
    // Shows the window (not modal) and paints it at once, so it is visible during the checks.
    virtual void showAtStart() = 0;
    virtual void repaintNow() = 0;
    // Sets Lblnamlamviec and Lblfiledulieu from the working year and the data files in use.
    virtual void showDataLabels() = 0;
    // Enables or disables the entry buttons of the registers on the letters file (cmdnapcvden,
    // cmdnapcvdi).
    virtual void setLetterEntryEnabled(bool enabled) = 0;
    // Gives the focus to the first register's list button (Cmdxemcvden).
    virtual void focusViewIncoming() = 0;
};

// Platform services start-up uses that tests replace; an empty member means the real one.
struct StartupServices
{
    // Opens a data file for reading and writing (after its structure check has passed).
    std::function<db::Database(const QString& path)> openDataFile;
    // Opens a data set on a server (the folder's data/server.conf names the server).
    std::function<db::Database(const QString& connection, const QString& dataSet)> openServerDataSet;
    // The drive-type description of the storage a path lies on ("Local Hard Disk", ...).
    std::function<QString(const QString& path)> driveTypeDescription;
};

enum class StartupOutcome
{
    Ready,       // the main window is ready; the program enters its event loop
    Stopped,     // a fatal condition, told through the message dialog; the program ends
    NotLoggedIn, // the login was cancelled, ran out of tries or gave empty rights; no message
};

// Sub Main, the start-up sequence: puts the translation of Qt's own dialogs in effect
// (installQtTranslation), makes sure the data folder of programFolder holds a usable
// template file, restores missing local data files from it, reads or writes the settings file
// data/sysmem, opens every data file after its structure check, settles the working year,
// creates the year tables, asks for the login (runLoginDialog in the mode "ktranguoidung"),
// opens the reference recordsets and fills the main window's labels and letter-entry buttons.
// Leaves the shared state of module1() set. Every message goes through messenger().
//
// Stops (outcome Stopped) after its message when: the template file is absent; a local file is
// absent or must be restored while the template is damaged; the clock's year is before 2008 and
// no working year is stored (nothing is written then); the user answers "no" to the question
// about a letters or schedule file that cannot be used; the year tables cannot be created; an
// unexpected error occurs in any other step. A letters or schedule file that fails to open with
// an error asks whether to try again, so the user is never caught in an endless retry.
//
// Every file is recovered before its check (a journal beside it is played back), so a program
// killed while writing starts again on its files. A letters, schedule or reference file that
// fails is named with what is wrong (missing, damaged, not a data file, another password, ...);
// when it lies outside the data folder the user may switch to the file of the same name there,
// otherwise the run stops: a choice that changes nothing is never offered. A damaged local
// reference file is kept beside under a dated name before the template replaces it; a file whose
// journal cannot be played back is never replaced. A data folder or data file this user cannot
// write makes the run read-only (module1().readOnly): told once, nothing written, the letter entry
// buttons disabled, the scratch file in a private temporary folder.
StartupOutcome subMain(const QString& programFolder, StartupWindow& window, const StartupServices& services = {});

// "Dữ liệu năm " + state's workingYear.
QString workingYearCaption(const Module1& state);
// "File công văn: " + lettersPath + CR LF + "File kế hoạch, lịch công tác: " + schedulePath, of state.
// On a server the data sets' names stand for the paths, each followed by " (máy chủ <connection>)".
QString dataFilesCaption(const Module1& state);
// True when the letters file at lettersPath lies on a local hard disk, as driveTypeDescription (the
// real one when empty) describes it; letters may then be entered and corrected.
bool lettersFileIsLocal(const QString& lettersPath,
                        const std::function<QString(const QString& path)>& driveTypeDescription = {});
// Whether letters may be entered and corrected on this machine: not in a read-only run, and the
// letters on a server (which serialises the writers) or in a file on a local hard disk.
bool letterEntryAllowed(const Module1& state,
                        const std::function<QString(const QString& path)>& driveTypeDescription = {});

} // namespace app
