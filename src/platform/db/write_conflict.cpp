#include "write_conflict.h"

#include "db_error.h"

#include <QStringList>

namespace db {

namespace {

QString shown(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("(trống)");
    QString text = value.toString();
    if (text.size() > 60)
        text = text.left(59) + QChar(0x2026);
    return QStringLiteral("«") + text + QStringLiteral("»");
}

} // namespace

void refuseChangedMeanwhile(const QVector<SourceColumn>& columns, const QVector<QVariant>& stored,
                            const QVector<QVariant>& expected, const QVector<bool>& dirty)
{
    if (expected.isEmpty())
        return;
    QStringList changed;
    for (int i = 0; i < columns.size() && i < dirty.size(); ++i) {
        if (!dirty[i] || columns[i].baseColumn.isEmpty())
            continue;
        if (stored.value(i) != expected.value(i))
            changed << columns[i].name + QStringLiteral(" = ") + shown(stored.value(i));
    }
    if (changed.isEmpty())
        return;
    throw DbError(errc::WriteConflict,
                  QStringLiteral("Bản ghi này đã được một người dùng khác sửa sau khi bạn bắt đầu sửa nó; chưa ghi "
                                 "gì. Người kia đã ghi: ") +
                      changed.join(QStringLiteral("; ")) + QStringLiteral(". Ghi lần nữa sẽ ghi đè lên giá trị đó."));
}

} // namespace db
