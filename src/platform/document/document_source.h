#pragma once

// A document file opened for showing or printing: a PDF (Qt PDF) or an image (Qt's image
// readers, one page per frame of a TIFF scan). What a file is comes from its name, and its
// content must agree; every refusal is a sentence for the user, raised before any window opens.

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <stdexcept>

class QPdfDocument;

namespace document {

enum class DocumentKind
{
    Pdf,
    Image,
    Other, // opened by the desktop's program for its type
};

// The kind a file name stands for, from its extension (PDF; PNG, JPEG, TIFF).
DocumentKind documentKind(const QString& fileName);

// A refusal told to the user as it stands (a Vietnamese sentence).
class DocumentError : public std::runtime_error
{
public:
    explicit DocumentError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Opens the PDF at path into doc; name is the file's name as the user knows it. Raises
// DocumentError for a file gone, not a PDF, damaged, or protected by a password.
void loadPdf(QPdfDocument& doc, const QString& path, const QString& name);

// The pages of an image file, read one at a time so that a scan of many pages never sits in
// memory whole.
class ImagePages
{
public:
    // Checks the image at path (named name): there, of the format its name says, readable, and
    // small enough that a page fits under Qt's image allocation limit. Raises DocumentError.
    ImagePages(const QString& path, const QString& name);

    int pageCount() const { return m_pages; }
    QSize pageSize() const { return m_size; }
    // Page index (from 0); raises DocumentError when it cannot be read (the file changed or is
    // damaged past its first page).
    QImage page(int index) const;

private:
    QString m_path;
    QString m_name;
    QByteArray m_format;
    int m_pages = 1;
    QSize m_size;
};

} // namespace document
