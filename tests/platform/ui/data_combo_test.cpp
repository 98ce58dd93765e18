// The bound drop-down list: items from a row source, shown and bound values, click areas.
#include "letter_file.h"

#include "scripted_responder.h"

#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using uitest::LetterFile;

class DataComboTest : public ::testing::Test
{
protected:
    DataComboTest()
    {
        types.setDatabase(file.db());
        types.setRecordSource(QStringLiteral("select * from loaicv order by matt"));
        letters.setDatabase(file.db());
        letters.setRecordSource(LetterFile::table());
        combo.setRowSource(&types);
        combo.setListField(QStringLiteral("loai"));
        combo.setBoundColumn(QStringLiteral("chutat"));
        QObject::connect(&combo, &ui::DataCombo::Click, [this](int area) { clicks << area; });
        types.refresh();
        letters.refresh();
    }

    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts;
    }

    test::ScriptedResponder responder;
    LetterFile file;
    ui::DataControl types;
    ui::DataControl letters;
    ui::DataCombo combo;
    QList<int> clicks;
};

TEST_F(DataComboTest, ItemsAreTheRowSourcesRowsInItsOrder)
{
    EXPECT_EQ(combo.count(), types.recordset().recordCount());
    EXPECT_TRUE(items().contains(QStringLiteral("Quyết định")));
    EXPECT_TRUE(items().contains(QStringLiteral("Công điện")));
    // "order by matt": Vietnamese alphabetical order, so "Báo cáo" comes before "Chỉ thị".
    EXPECT_LT(items().indexOf(QStringLiteral("Báo cáo")), items().indexOf(QStringLiteral("Chỉ thị")));
    combo.setListField(QStringLiteral("tenloai")); // an unknown list field gives empty items
    EXPECT_EQ(combo.count(), types.recordset().recordCount());
    EXPECT_EQ(combo.itemText(0), QString());
}

// Opening the list raises Click 0; picking from it Click 2 with the row's bound value.
TEST_F(DataComboTest, OpeningAndPickingFromTheListRaiseClick)
{
    combo.show();
    combo.showPopup();
    combo.hidePopup();
    emit combo.activated(items().indexOf(QStringLiteral("Quyết định")));
    EXPECT_EQ(clicks, QList<int>({ui::area::Button, ui::area::List}));
    EXPECT_EQ(combo.text(), QStringLiteral("Quyết định"));
    EXPECT_EQ(combo.boundText(), QStringLiteral("QĐ"));
}

TEST_F(DataComboTest, TypedTextFindsItsBoundValueOrNone)
{
    combo.setText(QStringLiteral("Tờ trình"));
    EXPECT_EQ(combo.boundText(), QStringLiteral("TTr"));
    combo.setText(QStringLiteral("Thư cảm ơn"));
    EXPECT_EQ(combo.text(), QStringLiteral("Thư cảm ơn"));
    EXPECT_EQ(combo.boundText(), QString());
    // Letter case is ignored for every Vietnamese letter; accents are not.
    combo.setText(QStringLiteral("TỜ TRÌNH"));
    EXPECT_EQ(combo.boundText(), QStringLiteral("TTr"));
    combo.setText(QStringLiteral("tờ trình"));
    EXPECT_EQ(combo.boundText(), QStringLiteral("TTr"));
    combo.setText(QStringLiteral("To trinh"));
    EXPECT_EQ(combo.boundText(), QString());
}

TEST_F(DataComboTest, BoundToAFieldItShowsTheMatchingRowAndWritesTheBoundValue)
{
    combo.bind(&letters, QStringLiteral("loai"));
    letters.recordset().edit();
    letters.recordset().setValue(QStringLiteral("loai"), QStringLiteral("GM"));
    letters.recordset().update();
    letters.updateControls();
    EXPECT_EQ(combo.text(), QStringLiteral("Giấy mời"));
    EXPECT_FALSE(combo.dataChanged());
    emit combo.activated(items().indexOf(QStringLiteral("Kế hoạch")));
    EXPECT_TRUE(combo.dataChanged());
    ASSERT_TRUE(letters.updateRecord());
    EXPECT_EQ(file.stored(1, QStringLiteral("loai")).toString(), QStringLiteral("KH"));
}

TEST_F(DataComboTest, ItemsFollowWritesThroughTheRowSource)
{
    const int before = combo.count();
    ui::DataControl editable;
    editable.setDatabase(file.db());
    editable.setRecordSource(QStringLiteral("loaicv"));
    combo.setRowSource(&editable);
    editable.refresh();
    ASSERT_EQ(combo.count(), before);
    ASSERT_TRUE(editable.addNew());
    editable.recordset().setValue(QStringLiteral("loai"), QStringLiteral("Thư mời họp"));
    editable.recordset().setValue(QStringLiteral("chutat"), QStringLiteral("TMH"));
    ASSERT_TRUE(editable.updateRecord());
    EXPECT_EQ(combo.count(), before + 1);
    EXPECT_TRUE(items().contains(QStringLiteral("Thư mời họp")));
}

} // namespace
