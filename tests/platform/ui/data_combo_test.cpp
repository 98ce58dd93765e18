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
        types.setRecordSource(u"select * from loaicv order by matt"_s);
        letters.setDatabase(file.db());
        letters.setRecordSource(LetterFile::table());
        combo.setRowSource(&types);
        combo.setListField(u"loai"_s);
        combo.setBoundColumn(u"chutat"_s);
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

// The items are the row source's rows in its order; opening the list raises Click 0, picking from
// it Click 2 with the row's bound value; typed text finds its bound value or none; an unknown list
// field gives empty items.
TEST_F(DataComboTest, ItemsAreTheRowSourcesRowsPickedOrTypedWithTheirBoundValue)
{
    EXPECT_EQ(combo.count(), types.recordset().recordCount());
    EXPECT_TRUE(items().contains(u"Quyết định"_s));
    EXPECT_TRUE(items().contains(u"Công điện"_s));
    // "order by matt": Vietnamese alphabetical order, so "Báo cáo" comes before "Chỉ thị".
    EXPECT_LT(items().indexOf(u"Báo cáo"_s), items().indexOf(u"Chỉ thị"_s));
    combo.show();
    combo.showPopup();
    combo.hidePopup();
    emit combo.activated(items().indexOf(u"Quyết định"_s));
    EXPECT_EQ(clicks, QList<int>({ui::area::Button, ui::area::List}));
    EXPECT_EQ(combo.text(), u"Quyết định"_s);
    EXPECT_EQ(combo.boundText(), u"QĐ"_s);
    // Letter case is ignored for every Vietnamese letter; accents are not. A text not listed stays.
    for (const auto& [typed, bound] :
         {std::pair{u"Tờ trình"_s, u"TTr"_s}, std::pair{u"Thư cảm ơn"_s, QString()}, std::pair{u"TỜ TRÌNH"_s, u"TTr"_s},
          std::pair{u"tờ trình"_s, u"TTr"_s}, std::pair{u"To trinh"_s, QString()}}) {
        combo.setText(typed);
        EXPECT_EQ(combo.text(), typed);
        EXPECT_EQ(combo.boundText(), bound) << typed.toStdString();
    }
    combo.setListField(u"tenloai"_s);
    EXPECT_EQ(combo.count(), types.recordset().recordCount());
    EXPECT_EQ(combo.itemText(0), QString());
}

TEST_F(DataComboTest, BoundToAFieldItShowsTheMatchingRowAndWritesTheBoundValue)
{
    combo.bind(&letters, u"loai"_s);
    letters.recordset().edit();
    letters.recordset().setValue(u"loai"_s, u"GM"_s);
    letters.recordset().update();
    letters.updateControls();
    EXPECT_EQ(combo.text(), u"Giấy mời"_s);
    EXPECT_FALSE(combo.dataChanged());
    emit combo.activated(items().indexOf(u"Kế hoạch"_s));
    EXPECT_TRUE(combo.dataChanged());
    ASSERT_TRUE(letters.updateRecord());
    EXPECT_EQ(file.stored(1, u"loai"_s).toString(), u"KH"_s);
}

TEST_F(DataComboTest, ItemsFollowWritesThroughTheRowSource)
{
    const int before = combo.count();
    ui::DataControl editable;
    editable.setDatabase(file.db());
    editable.setRecordSource(u"loaicv"_s);
    combo.setRowSource(&editable);
    editable.refresh();
    ASSERT_EQ(combo.count(), before);
    ASSERT_TRUE(editable.addNew());
    editable.recordset().setValue(u"loai"_s, u"Thư mời họp"_s);
    editable.recordset().setValue(u"chutat"_s, u"TMH"_s);
    ASSERT_TRUE(editable.updateRecord());
    EXPECT_EQ(combo.count(), before + 1);
    EXPECT_TRUE(items().contains(u"Thư mời họp"_s));
}

} // namespace
