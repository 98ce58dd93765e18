#pragma once

#include "structure_check.h"

#include <QString>

// Texts start-up tells about a data file that failed its structure check. Paths are shown with
// this platform's separator.
namespace app {

// What is wrong with the file at path, in one sentence naming it:
//   Missing, Busy    "Không tìm thấy file dữ liệu <path> !" / "... đang bị chương trình khác giữ ..."
//                    followed by the advice to check the network folder;
//   Damaged          "File dữ liệu <path> bị hỏng, không đọc được !";
//   NotADataFile     "File <path> không phải là file dữ liệu của chương trình (hoặc đã bị hỏng) !";
//   WrongPassword    "File dữ liệu <path> có mật khẩu khác, không phải của chương trình này !";
//   MissingTables    "File dữ liệu <path> thiếu bảng dữ liệu cần có, không dùng được !";
//   NeedsRecovery    "File dữ liệu <path> cần được phục hồi ... không ghi được ..." (a journal
//                    beside it could not be played back);
//   Unusable         "File dữ liệu <path> chỉ được phép đọc ..." (its read-only attribute could
//                    not be cleared).
QString fileProblemText(FileCheck check, const QString& path);

// The data folder of programFolder as shown to the user: <programFolder>/data, native separators.
QString shownDataFolder(const QString& programFolder);

} // namespace app
