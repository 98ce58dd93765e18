#include "xlsx_writer.h"

#include "cell_value.h"
#include "export_error.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace exporting {
namespace {

constexpr int kProgressRows = 1000;

struct Formats
{
    lxw_format* head = nullptr;
    lxw_format* wrap = nullptr;
    lxw_format* date = nullptr;
    lxw_format* dateTime = nullptr;
};

Formats makeFormats(lxw_workbook* book)
{
    Formats f;
    f.head = workbook_add_format(book);
    format_set_bold(f.head);
    format_set_text_wrap(f.head);
    format_set_align(f.head, LXW_ALIGN_VERTICAL_TOP);
    f.wrap = workbook_add_format(book);
    format_set_text_wrap(f.wrap);
    format_set_align(f.wrap, LXW_ALIGN_VERTICAL_TOP);
    f.date = workbook_add_format(book);
    format_set_num_format(f.date, "dd/mm/yyyy");
    format_set_align(f.date, LXW_ALIGN_VERTICAL_TOP);
    f.dateTime = workbook_add_format(book);
    format_set_num_format(f.dateTime, "dd/mm/yyyy hh:mm");
    format_set_align(f.dateTime, LXW_ALIGN_VERTICAL_TOP);
    return f;
}

// Characters of the longest line of text.
int longestLine(const QString& text)
{
    int longest = 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(u'\n', start);
        const qsizetype length = (end < 0 ? text.size() : end) - start;
        longest = std::max(longest, static_cast<int>(length));
        if (end < 0)
            return longest;
        start = end + 1;
    }
}

lxw_datetime excelDate(QDate d, QTime t)
{
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}

void check(lxw_error error, const QString& path)
{
    if (error != LXW_NO_ERROR)
        throw ExportError(ExportError::Kind::WriteFailed, path, QString::fromUtf8(lxw_strerror(error)));
}

struct BookCloser
{
    void operator()(lxw_workbook* book) const
    {
        if (book)
            workbook_close(book); // an abandoned book: its result does not matter
    }
};

} // namespace

int columnWidth(int characters)
{
    return std::clamp(characters + 2, 6, kMaxColumnWidth);
}

bool writeXlsx(const Table& table, const QString& path, const Progress& progress)
{
    if (table.rows.size() >= LXW_ROW_MAX)
        throw ExportError(ExportError::Kind::TooManyRows, path);
    const QByteArray file = path.toUtf8();
    std::unique_ptr<lxw_workbook, BookCloser> book(workbook_new(file.constData()));
    if (!book)
        throw ExportError(ExportError::Kind::WriteFailed, path, QStringLiteral("workbook"));
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Danh sách");
    if (!sheet)
        throw ExportError(ExportError::Kind::WriteFailed, path, QStringLiteral("worksheet"));
    const Formats formats = makeFormats(book.get());

    // Widths first: what decides which texts wrap.
    const auto columns = static_cast<int>(table.columns.size());
    QList<int> widest(columns, 0);
    for (int c = 0; c < columns; ++c)
        widest[c] = longestLine(table.columns.at(c).head);
    for (const QVariantList& row : table.rows) {
        for (int c = 0; c < columns; ++c) {
            const Cell cell = cellOf(row.value(c), table.columns.at(c).kind);
            if (cell.type != Cell::Type::Blank)
                widest[c] = std::max(widest[c], longestLine(cell.text));
        }
    }
    QList<int> widths(columns);
    for (int c = 0; c < columns; ++c) {
        widths[c] = columnWidth(widest[c]);
        check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr),
              path);
    }

    auto writeText = [&](lxw_row_t r, lxw_col_t c, const QString& text, lxw_format* plain, lxw_format* wrap) {
        const QString cut = text.size() > kMaxCellText ? text.left(kMaxCellText) : text;
        const bool wraps = cut.contains(u'\n') || longestLine(cut) > widths[static_cast<int>(c)] - 2;
        check(worksheet_write_string(sheet, r, c, cut.toUtf8().constData(), wraps ? wrap : plain), path);
    };
    for (int c = 0; c < columns; ++c)
        writeText(0, static_cast<lxw_col_t>(c), table.columns.at(c).head, formats.head, formats.head);
    worksheet_freeze_panes(sheet, 1, 0);

    const qint64 total = table.rows.size();
    for (qint64 r = 0; r < total; ++r) {
        const QVariantList& row = table.rows.at(r);
        const auto sheetRow = static_cast<lxw_row_t>(r + 1);
        for (int c = 0; c < columns; ++c) {
            const Cell cell = cellOf(row.value(c), table.columns.at(c).kind);
            const auto col = static_cast<lxw_col_t>(c);
            switch (cell.type) {
            case Cell::Type::Blank:
                break;
            case Cell::Type::Text:
                writeText(sheetRow, col, cell.text, nullptr, formats.wrap);
                break;
            case Cell::Type::Number:
                check(worksheet_write_number(sheet, sheetRow, col, cell.number, nullptr), path);
                break;
            case Cell::Type::Date:
            case Cell::Type::DateTime: {
                lxw_datetime when = excelDate(cell.date, cell.time);
                check(worksheet_write_datetime(sheet, sheetRow, col, &when,
                                               cell.type == Cell::Type::Date ? formats.date : formats.dateTime),
                      path);
                break;
            }
            }
        }
        if (progress && (r + 1) % kProgressRows == 0 && !progress(r + 1, total))
            return false;
    }
    const lxw_error closed = workbook_close(book.release());
    check(closed, path);
    if (progress)
        progress(total, total);
    return true;
}

} // namespace exporting
