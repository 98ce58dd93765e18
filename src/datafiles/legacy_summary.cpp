#include "legacy_import.h"

#include "import_messages.h"

namespace datafiles {

namespace {

// The line of one table; a failure's message is left out when it is the import's own first line.
QString tableLine(const LegacyTableReport& t, const QString& importError)
{
    using Outcome = LegacyTableReport::Outcome;
    QString line = QStringLiteral("- ") + t.table + QStringLiteral(": ");
    switch (t.outcome) {
    case Outcome::Imported:
    case Outcome::Merged:
        line += (t.outcome == Outcome::Merged ? QStringLiteral("thêm ") : QString()) + QString::number(t.rows) +
                QStringLiteral(" dòng");
        if (t.textsConverted > 0)
            line += QStringLiteral(", ") + QString::number(t.textsConverted) +
                    QStringLiteral(" ô chữ đổi từ TCVN3 sang Unicode");
        line += QStringLiteral(".");
        if (!t.droppedColumns.isEmpty())
            line += QStringLiteral("\r\n  Các cột không có trong bảng mẫu, không nhập: ") +
                    t.droppedColumns.join(QStringLiteral(", ")) + QStringLiteral(".");
        return line;
    case Outcome::Empty:
        return line + QStringLiteral("không có dòng nào.");
    case Outcome::KeptAsItWas:
        return line + QStringLiteral("giữ nguyên, không nhập lại.");
    case Outcome::YearOutOfRange:
        return line + QStringLiteral("năm không nằm trong khoảng 1900 - 2500, không nhập.");
    case Outcome::NotImported:
        return line + QStringLiteral("không nhập, ") + t.error;
    case Outcome::Cancelled:
        return line + QStringLiteral("đã huỷ, bảng giữ nguyên như trước khi nhập.");
    case Outcome::Failed: {
        line += QStringLiteral("không nhập được, bảng giữ nguyên như trước.");
        if (t.error != importError)
            line += QStringLiteral("\r\n  ") + QString(t.error).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return line;
    }
    }
    return line;
}

} // namespace

int LegacyImportSummary::tablesWritten() const
{
    int n = 0;
    for (const LegacyTableReport& t : tables)
        n += t.outcome == LegacyTableReport::Outcome::Imported || t.outcome == LegacyTableReport::Outcome::Merged;
    return n;
}

int LegacyImportSummary::rows() const
{
    int n = 0;
    for (const LegacyTableReport& t : tables)
        n += t.rows;
    return n;
}

int LegacyImportSummary::textsConverted() const
{
    int n = 0;
    for (const LegacyTableReport& t : tables)
        n += t.textsConverted;
    return n;
}

QString LegacyImportSummary::message(const QString& kind) const
{
    QStringList lines;
    if (!error.isEmpty())
        lines << error;
    else if (cancelled)
        lines << QStringLiteral("Đã dừng nhập dữ liệu theo yêu cầu.");
    else
        lines << importClosingMessage(kind);
    if (tables.isEmpty())
        return lines.join(QStringLiteral("\r\n"));
    lines << QString();
    for (const LegacyTableReport& t : tables)
        lines << tableLine(t, error);
    lines << QString();
    lines << QStringLiteral("Tổng cộng: ") + QString::number(tablesWritten()) + QStringLiteral(" bảng, ") +
                 QString::number(rows()) + QStringLiteral(" dòng, ") + QString::number(textsConverted()) +
                 QStringLiteral(" ô chữ đổi sang Unicode.");
    // The message dialog shows a text that starts so left-aligned: a list reads better that way.
    return QStringLiteral("(căn trái)") + lines.join(QStringLiteral("\r\n"));
}

} // namespace datafiles
