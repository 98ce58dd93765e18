#pragma once

// A Jet file built in the test, holding what the old program wrote: TCVN3 text read through
// Windows-1252, stale normalised dates, rows stored out of id order.

#include "../support/template_file.h"
#include "common/tcvn3.h"
#include "platform/jet/jet_source.h"

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace legacy_fixture {

// Every letter of the VN3 repertoire, as Unicode.
inline const QString kRepertoire = u"ĂÂÊÔƠƯĐăâêôơưđàảãáạằẳẵắặầẩẫấậèẻẽéẹềểễếệìỉĩíịòỏõóọồổỗốộờởỡớợùủũúụừửữứựỳỷỹýỵ"_s;

// What the old program's files hold for a Vietnamese text: its VN3 bytes read as Windows-1252.
inline QString asStored(const QString& unicode)
{
    static const char16_t row80[32] = {u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š',
                                       u'‹', u'Œ', 0x8D, u'Ž', 0x8F, 0x90, u'‘', u'’', u'“', u'”', u'•',
                                       u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
    QString stored;
    for (char c : common::encodeTcvn3(unicode)) {
        const auto b = static_cast<unsigned char>(c);
        stored += b >= 0x80 && b < 0xA0 ? QChar(row80[b - 0x80]) : QChar(b);
    }
    return stored;
}

// A Jet file built in the test: tables of named columns and rows.
class FakeSource : public jet::Source
{
public:
    struct Table
    {
        QList<jet::Column> columns;
        QList<jet::Row> rows;
    };
    QMap<QString, Table> tables;
    QStringList order;

    void add(const QString& name, const QList<jet::Column>& columns, const QList<jet::Row>& rows = {})
    {
        tables[name] = Table{columns, rows};
        order << name;
    }
    QStringList tableNames() const override { return order; }
    QList<jet::Column> columns(const QString& t) const override { return tables.value(t).columns; }
    QList<jet::Row> rows(const QString& t) const override { return tables.value(t).rows; }
};

inline jet::Column text(const QString& name)
{
    return jet::Column{name, jet::ColumnType::Text, 255};
}
inline jet::Column memo(const QString& name)
{
    return jet::Column{name, jet::ColumnType::Memo, 0};
}
inline jet::Column number(const QString& name)
{
    return jet::Column{name, jet::ColumnType::Long, 4};
}

// An incoming-letters year as the old program kept it (texts in TCVN3, normalised dates stale).
inline void addIncomingYear(FakeSource& source, const QString& table, int rowCount = 3)
{
    const QList<jet::Column> columns = {number("id"),     number("stt"),    text("ng_den"), text("ng_denchuan"),
                                        text("noigui"),   text("so_cv"),    text("ng_cv"),  memo("dv_nhan"),
                                        memo("tt_ndung"), text("ghichu_cu")};
    QList<jet::Row> rows;
    for (int i = rowCount; i >= 1; --i) { // stored in reverse: the import goes by id
        const QString summary = i == 1 ? u"Về việc "_s + kRepertoire : u"Công văn số "_s + QString::number(i);
        rows << jet::Row{qint64(i),
                         qint64(i),
                         u"0%1/03/2007"_s.arg(i % 9 + 1),
                         u"stale"_s,
                         asStored(u"Sở Nội vụ"_s),
                         QString::number(i) + asStored(u"/QĐ-UB"_s),
                         u"28/02/2007"_s,
                         asStored(u"Phòng Tổ chức, Văn phòng"_s),
                         asStored(summary),
                         u"x"_s};
    }
    source.add(table, columns, rows);
}

// A letters file made from the template in a temporary folder: where old files are imported.
class LegacyTargetTest : public ::testing::Test
{
protected:
    void SetUp() override { target = test::copyTemplate(dir.filePath(u"vemocv.mdb"_s)); }

    QTemporaryDir dir;
    db::Database target;
};

} // namespace legacy_fixture
