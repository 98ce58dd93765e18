#include "sample_documents.h"

#include <QBuffer>
#include <QFont>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace test {

bool writeTextPdf(const QString& path, const QStringList& pageTexts)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    painter.setFont(QFont(u"Liberation Serif"_s, 12));
    for (int page = 0; page < pageTexts.size(); ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(QRect(150, 150, 2000, 3000), Qt::TextWordWrap, pageTexts.at(page));
    }
    return painter.end();
}

QImage scanOf(const QStringList& lines)
{
    QImage image(1800, 120 + 110 * int(lines.size()), QImage::Format_Grayscale8);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(QFont(u"Liberation Serif"_s, 16));
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(90, 130 + 110 * i), lines.at(i));
    return image;
}

void writeScannedPdf(const QString& path, const QImage& scan)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    painter.drawImage(QPoint(0, 0), scan);
}

QByteArray imageBytes(const QByteArray& format, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(u"Noto Sans"_s);
        font.setPixelSize(size.height() / 16);
        painter.setFont(font);
        painter.drawRect(image.rect().adjusted(10, 10, -11, -11));
        painter.drawText(image.rect().adjusted(30, 30, -30, -30), Qt::TextWordWrap,
                         u"ỦY BAN NHÂN DÂN\nSố: 123/UBND-VP\nV/v tổ chức hội nghị"_s);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray encryptedPdf()
{
    const QByteArray key(32, '\x5a');
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>",
        "<< /Filter /Standard /V 1 /R 2 /O <" + key.toHex() + "> /U <" + QByteArray(32, '\x17').toHex() + "> /P -44 >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << int(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const int xref = int(pdf.size());
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R /Encrypt 4 0 R /ID [<00112233445566778899aabbccddeeff><00112233445566778899aabbccddeeff>] "
           ">>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray jpegClaiming(int width, int height)
{
    QByteArray jpeg = imageBytes("jpeg", QSize(16, 16));
    // The baseline frame header: FF C0, length, precision, height, width (big-endian).
    const qsizetype frame = jpeg.indexOf(QByteArray("\xff\xc0", 2));
    if (frame < 0)
        return {};
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xff);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xff);
    return jpeg;
}

} // namespace test
