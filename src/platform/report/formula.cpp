#include "formula.h"

#include "report_error.h"

namespace report {

namespace {

bool isValidName(const QString& name)
{
    if (name.isEmpty() || !(name.at(0).isLetter() || name.at(0) == u'_'))
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    }
    return true;
}

} // namespace

Formula parseFormula(const QString& text, int index)
{
    const qsizetype equals = text.indexOf(u'=');
    const QString name = equals < 0 ? QString() : text.left(equals).trimmed();
    if (equals < 0 || !isValidName(name)) {
        throw ReportError(ReportErrorCode::BadFormula,
                          QStringLiteral("Công thức số %1 của báo cáo không đúng dạng tên = 'giá trị': %2")
                              .arg(QString::number(index), text));
    }
    QString value = text.mid(equals + 1).trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'\'' || first == u'"') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return Formula{name, value};
}

} // namespace report
