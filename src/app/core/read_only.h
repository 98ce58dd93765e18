#pragma once

#include <QString>

namespace app {

// Read-only clearing. When the file at path (letter case matched as matchNameCase() does) exists
// and is read-only, clears the attribute. Nothing happens for a missing or writable file. When the
// attribute cannot be cleared it shows, through the messenger with mode "ok", "Gặp lỗi khi đang
// sửa tính chất Readonly của file " followed by the trimmed path (the text is left in message,
// the answer in answer) and returns false; true otherwise.
bool clearReadOnly(const QString& path);

} // namespace app
