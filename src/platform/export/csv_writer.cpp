#include "csv_writer.h"

#include "cell_value.h"

#include <QIODevice>

namespace exporting {
namespace {

constexpr qint64 kFlushBytes = 1 << 16;
constexpr int kProgressRows = 1000;

bool startsLikeFormula(const QString& text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    default:
        return false;
    }
}

} // namespace

QString csvField(const QString& text, bool guardFormula)
{
    QString field = guardFormula && startsLikeFormula(text) ? QStringLiteral("'") + text : text;
    const bool quote = field.contains(u'"') || field.contains(u',') || field.contains(u'\n') || field.contains(u'\r');
    if (!quote)
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QStringLiteral("\"") + field + QStringLiteral("\"");
}

bool writeCsv(const Table& table, QIODevice& out, const Progress& progress)
{
    QByteArray buffer("\xEF\xBB\xBF");
    QString line;
    auto endLine = [&] {
        line += QStringLiteral("\r\n");
        buffer += line.toUtf8();
        line.clear();
        if (buffer.size() >= kFlushBytes) {
            out.write(buffer);
            buffer.clear();
        }
    };
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            line += u',';
        line += csvField(table.columns.at(c).head, true);
    }
    endLine();
    const qint64 total = table.rows.size();
    for (qint64 r = 0; r < total; ++r) {
        const QVariantList& row = table.rows.at(r);
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            if (c > 0)
                line += u',';
            const Cell cell = cellOf(row.value(c), table.columns.at(c).kind);
            line += csvField(cell.text, cell.type == Cell::Type::Text);
        }
        endLine();
        if (progress && (r + 1) % kProgressRows == 0 && !progress(r + 1, total))
            return false;
    }
    out.write(buffer);
    if (progress)
        progress(total, total);
    return true;
}

} // namespace exporting
