#pragma once

// What a file must be before it is attached to a letter: not larger than the limit, and, for the
// types whose first bytes say what they are (PDF, PNG, JPEG, TIFF), really of the type its name
// says. Each refusal is a sentence for the user.

#include <QString>

namespace datafiles {

// The largest file attached: 100 MB. A register keeps letters, not recordings; a larger file
// would also make every backup and copy of the store slow.
constexpr qint64 kAttachmentSizeLimit = 100LL * 1024 * 1024;

// The type a name stands for, as the attachments table keeps it ("application/pdf"; from the
// name's extension, "application/octet-stream" when unknown).
QString attachmentType(const QString& fileName);

// "" when a file named fileName of size bytes beginning with head may be attached, else the
// refusal to tell. head is the file's first bytes (at least 8 when the file has them).
QString attachmentRefusal(const QString& fileName, qint64 size, const QByteArray& head);

// Reads the first bytes of path and checks it with attachmentRefusal; a file that cannot be
// read gets the refusal the store gives (attachment_store.h).
QString checkAttachment(const QString& path);

// A size as the attachments panel shows it: "512 byte", "12,5 KB", "3,2 MB".
QString sizeText(qint64 bytes);

} // namespace datafiles
