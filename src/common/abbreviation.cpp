#include "abbreviation.h"

#include "platform/db/sql_quote.h"

#include <qnamespace.h>

namespace common {
namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Length of the line break that ends text before `position` (0 when none).
int lineBreakBefore(const QString& text, int position)
{
    if (position >= 2 && text.at(position - 2) == u'\r' && text.at(position - 1) == u'\n')
        return 2;
    return position >= 1 && isLineBreak(text.at(position - 1)) ? 1 : 0;
}

} // namespace

int expansionKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space:
        return expandkey::Space;
    case Qt::Key_Comma:
        return expandkey::Comma;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return expandkey::Enter;
    default:
        return 0;
    }
}

void expandAbbreviation(TextBox& box, int key, db::Recordset& source, const QString& column)
{
    if (key != expandkey::Space && key != expandkey::Comma && key != expandkey::Enter && key != expandkey::LeaveField)
        return;
    if (source.isNull())
        return;
    const QString text = box.text();
    const int cursor = qMin(box.cursorPosition(), static_cast<int>(text.size()));
    if (cursor <= 0)
        return;

    int cut = cursor;
    int typed = 0; // characters typed at the cut that the cursor goes back behind
    if (key == expandkey::Space || key == expandkey::Comma) {
        cut = cursor - 1;
        typed = 1;
    } else if (key == expandkey::Enter && box.isMultiLine()) {
        typed = lineBreakBefore(text, cursor);
        cut = cursor - typed;
    }
    if (cut <= 0)
        return;

    const QString head = text.left(cut);
    if (head.at(0).isSpace())
        return;
    int start = cut;
    while (start > 0 && head.at(start - 1).unicode() >= 48)
        --start;
    const QString code = head.mid(start);
    if (code.isEmpty())
        return;

    source.findFirst(QStringLiteral("chutat = ") + db::quoteLiteral(code));
    if (source.noMatch())
        return;
    const QString expansion = source.value(column).toString().trimmed();
    const QString kept = head.left(start);
    box.setText(kept + expansion + text.mid(cut));
    box.setCursorPosition(static_cast<int>(kept.size() + expansion.size()) + typed);
}

} // namespace common
