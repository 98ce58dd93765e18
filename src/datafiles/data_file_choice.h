#pragma once

#include "file_request.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Choosing another letters file, plans-and-schedule file or backup file while the program runs
// (the dialog DataFileChoiceDialog): what it offers, the checks of a chosen file and the switch.
namespace datafiles {

enum class DataFileRole
{
    Letters,  // lenhchon "chonfiledulieucongvan": lettersPath, letters, the list data/sysmem2
    Schedule, // "chonfiledulieulich": schedulePath, schedule, the list data/sysmem3
    Backup,   // "chonfiledulieubackup": backupPath
};

// On a server (the program folder's setting names one) the letters and schedule roles choose
// among the server's data sets instead of files: fileInUse() is the data set in use,
// offeredFiles() the server's data sets that pass the role's structure check, but for those in use
// for another role or as the reference lists (a server that cannot be used is told and nothing is
// offered), no file is browsed for, and accepting a name
// switches to that data set: the office's reference data set and the logged-in user stay, no
// recent-files list is written, and the settings file keeps a path whose base name is the data
// set's. A name the server does not hold is told "Máy chủ không có bộ dữ liệu ...".
bool offersDataSets(DataFileRole role);

// The role of a command word (letter case ignored); nullopt for any other word.
std::optional<DataFileRole> roleOfCommand(const QString& lenhchon);

// The dialog's title label: "Chọn file dữ liệu công văn", "Chọn file dữ liệu kế hoạch công tác,
// lịch làm việc" or "Chọn file dữ liệu backup".
QString roleTitle(DataFileRole role);
// The file in use for the role: lettersPath, schedulePath or backupPath.
QString fileInUse(DataFileRole role);
// The files offered: the role's recent-files list in file order; for the backup the backup file in
// use, or one empty entry when there is none.
QStringList offeredFiles(DataFileRole role);
// The open dialog: titles "Chon file du lieu cong van", "Chon file du lieu lich", "Chon file du
// lieu backup"; filters "File *.MDB " and "All (*.*)"; starting in the folder of the role's file
// in use (the backup file for the backup), or in the data folder when there is none or its folder
// is gone.
OpenFileRequest browseRequest(DataFileRole role);

// What the switch needs from the windows above it.
struct ChoiceHooks
{
    // The login dialog in its start-up mode "ktranguoidung". While it runs, scheduleReferencePath and
    // scheduleReference name the reference file beside the new schedule file, whose users it reads;
    // it leaves userFullName and userRights set. Returns true when the user gave up.
    std::function<bool()> logIn;
    // The working-year dialog.
    std::function<void()> chooseWorkingYear;
    // Refreshes the main window: its labels and the letter-entry buttons.
    std::function<void()> refreshWindow;
};

enum class ChoiceOutcome
{
    SameFile, // the file in use was chosen again: told, filechon emptied
    Refused,  // a check failed: told; nothing changed, the dialog stays open
    Switched, // the file is in use, remembered and told; the dialog closes
    Failed,   // the switch failed: told; the previous files are in use again
};

// Accepting filechon for role ("&Chấp nhận"). Paths compare without regard to letter case; the
// file in use is also recognised under another path to it. The letters or schedule file in use
// chosen again, for either role, is told "File dữ liệu vừa chọn chính là file đang dùng ! (...).".
//
// Checks, the first failing one is told and nothing changes:
// - a missing file: "Không tìm thấy file dữ liệu vừa chọn! ..."; for the backup, blanks are taken
//   out of the file name (filechon shows it) and a name not ending in ".mdb" (any case) is told
//   "Cần thêm phần đuôi của tên file backup là .MDB "; a new backup name is accepted without more
//   checks when its folder can be written (otherwise that is told);
// - the letters or schedule file fails its structure check: "File dữ liệu vừa chọn bị lỗi, ...";
// - the reference file vemotk.mdb beside it fails its check: "File tham khảo vemotk.mdb ...";
// - schedule only: the user must log in against the users beside the new file (hooks.logIn);
//   when he does not, the previous user and reference file are put back and "Phải hỏi người
//   quản trị mạng ..." is told.
//
// The switch is one step: the new file and the reference file beside it are opened first, and
// only then take the place of the files in use (whose connections are closed at the end). The
// working year's table is looked for in the new file (missing: told, then the working-year
// dialog); the reference recordsets are opened again; the chosen path goes to the top of the
// recent-files list; the settings file is written; the window is refreshed; "Đã sử dụng file dữ
// liệu ..." (or "Đã chọn file backup là ...") is told. An error on the way tells "Có lỗi khi đang
// thay đổi file dữ liệu. ..." ("... tạo file backup. ..." for the backup) and puts back the
// previous files, connections, user and recordsets.
ChoiceOutcome acceptChosenFile(DataFileRole role, QString& filechon, const ChoiceHooks& hooks);

} // namespace datafiles
