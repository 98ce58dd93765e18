// The schedule list and search: a search's hits marked and printed by day and time, whoever opened
// the search; correcting in the list with the save question answered "no" and "yes"; where closing
// returns to; paging in the grid and the margin box (the rights rule is in
// registers/record_grid_test.cpp, another year's search in frmgridtuan_test.cpp).
#include "schedule_fixture.h"

#include "../../support/accessibility_check.h"

namespace {

using registers::ScheduleListForm;
using registers::ScheduleSearchForm;
using schedule_test::Item;
using schedule_test::ScheduleTest;

class FrmGridlichTest : public ScheduleTest
{
protected:
    ScheduleListForm* list() { return formNamed<ScheduleListForm>("frmGridlich"); }
    ScheduleSearchForm* search() { return formNamed<ScheduleSearchForm>("frmtracuulich"); }
};

TEST_F(FrmGridlichTest, ASearchsHitsAloneAreMarkedAndPrintedByDayAndTime)
{
    const QString table = app::module1().scheduleTable;
    add(table, {{"07/01/2026", "14h", "Họp chi bộ"},
                {"05/01/2026", "9h", "Họp giao ban"},
                {"05/01/2026", "8h", "Tiếp dân"},
                {"05/01/2026", "14h", "Họp 'A' 50% _x"}});
    app::module1().schedule.execute(u"UPDATE "_s + table + u" SET chonin = 'X' where id = 3"_s);
    registers::ScheduleEntryForm* entry = openEntry();
    click(*entry, "Cmdtracuu");
    ASSERT_TRUE(search()->isVisible());
    EXPECT_TRUE(test::isAccessible(search()));
    EXPECT_EQ(search()->yearList()->currentText(), u"2026"_s);

    search()->ui().mndung->setText(u"'A' 50% _"_s);
    click(*search(), "cmdtracuu");
    ASSERT_TRUE(list()->isVisible());
    EXPECT_EQ(list()->Data1->recordset().recordCount(), 1); // quotes and % _ found as typed
    click(*list(), "cmdclose");                             // back to the entry form that opened the search
    ASSERT_TRUE(entry->isVisible());
    click(*entry, "Cmdtracuu");

    search()->ui().mndung->setText(u"Họp"_s);
    click(*search(), "cmdtracuu");
    activate(list());
    EXPECT_TRUE(test::isAccessible(list()));
    EXPECT_EQ(entry->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(items(u"chonin"_s).join(QString()), QString()); // the search cleared the marks
    click(*list(), "Cmdchontat");
    EXPECT_EQ(items(u"chonin"_s), (QStringList{"X", "X", QString(), "X"}));
    list()->Data1->moveFirst(); // "Họp giao ban": double-clicking a marked row unmarks it
    list()->DBGrid1_DblClick();
    list()->DBGrid1_DblClick();
    EXPECT_EQ(items(u"chonin"_s).value(1), u"X"_s);

    home.responder.answer(u"no"_s); // not the preview: the printer (a PDF here)
    click(*list(), "Cmdin");
    const QString text = printed(list()->CrystalReport1);
    EXPECT_TRUE(text.contains(u"(Lịchlàmviệcđượcchọn)"_s));
    EXPECT_FALSE(text.contains(u"Tiếpdân"_s));
    const qsizetype first = text.indexOf(u"Họpgiaoban"_s);
    const qsizetype second = text.indexOf(u"Họp'A'50%_x"_s);
    const qsizetype third = text.indexOf(u"Họpchibộ"_s);
    EXPECT_TRUE(first >= 0 && first < second && second < third) << text.toStdString();

    click(*list(), "Cmdhuychon");
    click(*list(), "Cmdin");
    EXPECT_EQ(home.responder.lastMessage(), u"Chưa có lịch làm việc nào được chọn để in !"_s);
    click(*list(), "cmdclose");
    EXPECT_FALSE(search()->isVisible());
    EXPECT_TRUE(entry->isVisible());
}

// More items than the grid shows at once; the first by day is corrected in the list.
TEST_F(FrmGridlichTest, CorrectingInTheListAsksWhetherToKeepTheChangesPagingAndMarginBox)
{
    QList<Item> rows;
    for (int i = 10; i < 30; ++i)
        rows << Item{u"%1/01/2026"_s.arg(i), u"8h"_s, u"Việc khác"_s};
    rows << Item{"06/01/2026", "8h", "Họp"} << Item{"05/01/2026", "8h", "Giao ban"}; // the entry form opens on it
    add(app::module1().scheduleTable, rows);
    registers::ScheduleEntryForm* entry = openEntry();
    click(*entry, "cmdbang");
    ASSERT_TRUE(list()->isVisible());
    activate(list());
    EXPECT_EQ(list()->ui().mndung->text(), u"Giao ban"_s); // by day
    for (const char* answer : {"no", "yes"}) {
        list()->Data1->moveFirst();
        click(*list(), "Cmdsua");
        list()->ui().mndung->setText(u"Giao ban tháng"_s);
        home.responder.answer(QString::fromLatin1(answer));
        list()->ui().mndung->setFocus();
        key(*list(), Qt::Key_PageDown);
        EXPECT_EQ(home.responder.lastMessage(), u"Có lưu giữ những sửa đổi vừa thực hiện không ?"_s);
        EXPECT_FALSE(list()->editing());
    }
    EXPECT_EQ(items(u"ndung"_s).mid(20), (QStringList{"Họp", "Giao ban tháng"}));
    EXPECT_EQ(entry->mode(), registers::EntryMode::Viewing); // the list's mode is its own

    // Page Down in the grid pages once: the grid pages itself, the form adds no move of its own.
    list()->Data1->moveFirst();
    list()->DBGrid1->setFocus();
    QTest::keyPress(list()->DBGrid1, Qt::Key_PageDown);
    const int paged = list()->Data1->recordset().absolutePosition();
    QTest::keyRelease(list()->DBGrid1, Qt::Key_PageDown);
    EXPECT_GT(paged, 1);
    EXPECT_EQ(list()->Data1->recordset().absolutePosition(), paged);

    // The margin (mm) goes to the left and top page margins when above 0 and below 30; anything
    // else leaves the report's own, whatever an earlier print used.
    qunsetenv("SELVARO_PRINT_TO");
    QMarginsF margins;
    report::ReportControl::setPreviewer(
        [&](const report::PreviewRequest& r) { margins = r.report->pageLayout.margins(QPageLayout::Point); });
    click(*list(), "Cmdchontat");
    QMarginsF own;
    for (const auto& [typed, points] :
         {std::pair{"", -1.0}, {"10", 28.8}, {"abc", -1.0}, {"29.9", 86.1}, {"0", -1.0}, {"30", -1.0}, {"-5", -1.0}}) {
        SCOPED_TRACE(typed);
        list()->ui().txtle->setText(QString::fromLatin1(typed));
        home.responder.answer(u"yes"_s); // the preview
        margins = QMarginsF(-1, -1, -1, -1);
        click(*list(), "Cmdin");
        EXPECT_EQ(home.responder.lastMessage(), u"Có muốn xem trước khi in không ?"_s);
        if (!*typed)
            own = margins;
        EXPECT_NEAR(margins.left(), points < 0 ? own.left() : points, 0.01);
        EXPECT_NEAR(margins.top(), points < 0 ? own.top() : points, 0.01);
        EXPECT_NEAR(margins.right(), own.right(), 0.01);
    }
    report::ReportControl::setPreviewer({});
}

} // namespace
