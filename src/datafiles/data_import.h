#pragma once

#include "file_request.h"
#include "import_messages.h"
#include "legacy_import.h"

#include <QString>
#include <functional>

// The import of old data: the three commands "Nhập dữ liệu công văn cũ" (kind "cv"), "Nhập dữ
// liệu kế hoạch, lịch công tác cũ" ("lich") and "Nhập các danh sách tham khảo cũ" ("tk").
namespace datafiles {

// What the import needs from the windows above it.
struct ImportHooks
{
    // The administrator check (confirmRights in mode "q"): true to go on. It tells the user
    // itself when the answer is no.
    std::function<bool()> administrator;
    // The open dialog.
    FileChooser chooseFile;
    // Called with true once a file is chosen (the hourglass) and with false when the copying ends,
    // before the closing message.
    std::function<void(bool)> working;
    // The progress window of an old Jet file's import (step text, rows done, rows of the table);
    // false once the user has cancelled. Shown from its first call until working(false).
    LegacyProgress progress;
};

// The open dialog of an import kind: titles "Chon file cong van vemocv.mdb", "Chon file ke hoach,
// lich cong tac vemolich.mdb", "Chon file du lieu tham khao vemotk.mdb", with the filter of that
// file's name first and "All (*.*)" second.
OpenFileRequest importFileRequest(const QString& kind);

enum class ImportOutcome
{
    NotAllowed, // the administrator check said no
    Outside,    // the target file lies outside the program folder: told, nothing imported
    Cancelled,  // the open dialog was cancelled, or the progress window (the table in progress
                // is as it was; tables done before stay)
    Done,       // imported; the closing message has been shown
    Failed,     // an engine error while copying year tables, or an old Jet file that could not
                // be read: told; tables copied before stay
};

// Import(kind) of the file in use for the kind: lettersPath ("cv"), schedulePath ("lich") or
// scheduleReferencePath ("tk"), which must lie inside the program folder.
//
// The open dialog is shown until the user cancels or picks a file the import can read; a file
// that is not a data file, cannot be opened or is the target file itself is told
// (importUnusableMessage(), or that it is the file in use) and the dialog shown again. What the
// chosen file is, recogniseSource() tells from its content.
//
// An old Jet file (SourceKind::JetFile) is imported by importLegacyFile() into the same database,
// with the progress window, and its summary (LegacyImportSummary::message) is the closing
// message; everything else happens as for a data file of ours.
//
// "cv" and "lich": every year table of the old file (yearTableKindOf) is imported with
// importYearTable() into the program's open database of the target (letters or schedule), one
// transaction per table; then the working year's tables are made again (createYearTables) and
// "Đã nhập xong dữ liệu công văn cũ!" or "Đã nhập xong dữ liệu về kế hoạch, lịch công tác cũ!"
// is told. An error stops the import with importFailedMessage() (after the refusal, for an
// attachment file missing or damaged in the old file's store): the table being copied is as it
// was, tables copied before stay copied, and the program's database stays open.
//
// "tk": the six reference lists are merged (mergeReferenceList) into scheduleReference, a list that
// fails is recorded and the next one merged; "Đã nhập xong các bảng tham khảo!" is told with a
// line per list saying how many rows it received (or that it failed, left as it was), and the
// reference recordsets are opened again.
ImportOutcome importOldData(const QString& kind, const ImportHooks& hooks);

} // namespace datafiles
