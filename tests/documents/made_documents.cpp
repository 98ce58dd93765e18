#include "made_documents.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace documents_test {

void writeTextPdf(const QString& path, const QStringList& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter p(&writer);
    p.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        p.drawText(QRect(150, 150, 2000, 3000), Qt::TextWordWrap, pages.at(i));
    }
}

QImage scanOf(const QStringList& lines)
{
    QImage image(1800, 120 + 110 * int(lines.size()), QImage::Format_Grayscale8);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Serif"), 16));
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPoint(90, 130 + 110 * i), lines.at(i));
    return image;
}

void writeScannedPdf(const QString& path, const QImage& scan)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter p(&writer);
    p.drawImage(QPoint(0, 0), scan);
}

QByteArray encryptedPdf()
{
    const QByteArray key(32, 'k');
    return QByteArrayLiteral("%PDF-1.4\n"
                             "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                             "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                             "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >> endobj\n"
                             "4 0 obj << /Filter /Standard /V 1 /R 2 /P -44 /O <") +
           key.toHex() + QByteArrayLiteral("> /U <") + key.toHex() +
           QByteArrayLiteral("> >> endobj\n"
                             "trailer << /Root 1 0 R /Encrypt 4 0 R /Size 5 "
                             "/ID [<00112233445566778899aabbccddeeff><00112233445566778899aabbccddeeff>] >>\n"
                             "%%EOF\n");
}

} // namespace documents_test
