// The toolkit used the way the register forms use it: a test-only entry form on a year table of
// a letters file made from the template.
#include "letter_file.h"
#include "letter_test_form.h"

#include "scripted_responder.h"
#include "type_text.h"

#include "platform/db/db_error.h"
#include "platform/ui/status_style.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using uitest::LetterFile;
using uitest::LetterTestForm;

class LetterFormTest : public ::testing::Test
{
protected:
    explicit LetterFormTest(int rows = 5) : file(rows), form(file.db(), LetterFile::table()) {}

    void SetUp() override
    {
        form.showModeless();
        QApplication::setActiveWindow(&form);
        form.Data1->moveLast();
        form.events.clear();
    }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
        test::pressKey(target, k, modifiers);
    }

    void type(ui::TextBox* box, const QString& text)
    {
        box->setFocus();
        box->setSelStart(box->text().size());
        test::typeText(box->editor(), text);
    }

    int position() const { return form.Data1->recordset().absolutePosition(); }

    test::ScriptedResponder responder;
    LetterFile file;
    LetterTestForm form;
};

TEST_F(LetterFormTest, PageUpAndPageDownMoveOneRecordWithValidateFirst)
{
    ASSERT_EQ(position(), 4);
    key(Qt::Key_PageUp);
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(4));
    EXPECT_EQ(form.Data1->caption(), QStringLiteral("4/5"));
    // The form's own check, then the data control's before it moves, then the new position.
    EXPECT_EQ(form.events, QStringList({QStringLiteral("validate:2"), QStringLiteral("validate:2"),
                                        QStringLiteral("reposition:4/5")}));
    form.events.clear();
    key(Qt::Key_PageDown);
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(form.events, QStringList({QStringLiteral("validate:3"), QStringLiteral("validate:3"),
                                        QStringLiteral("reposition:5/5")}));
}

TEST_F(LetterFormTest, PageDownOnTheLastAndPageUpOnTheFirstRecordDoNothing)
{
    key(Qt::Key_PageDown);
    EXPECT_EQ(position(), 4);
    EXPECT_FALSE(form.events.contains(QStringLiteral("reposition:5/5")));
    form.Data1->moveFirst();
    form.events.clear();
    key(Qt::Key_PageUp);
    EXPECT_EQ(position(), 0);
    EXPECT_FALSE(form.events.join(QLatin1Char(',')).contains(QStringLiteral("reposition")));
}

TEST_F(LetterFormTest, BoundControlsShowTheRecordAndClearTheirChangedFlags)
{
    form.Data1->moveTo(1);
    EXPECT_EQ(form.mstt->text(), QStringLiteral("2"));
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(2));
    EXPECT_EQ(form.mtt_ndung->text(), LetterFile::ttNdung(2));
    EXPECT_TRUE(form.Checkdaxuly->isChecked());
    for (ui::TextBox* b : form.dataBoxes())
        EXPECT_FALSE(b->dataChanged()) << qPrintable(b->objectName());
    EXPECT_FALSE(form.Checkdaxuly->dataChanged());
    EXPECT_TRUE(form.mnoigui->isLocked());
}

TEST_F(LetterFormTest, AddingWritesTheTypedVietnameseLetter)
{
    form.cmdAdd_Click();
    EXPECT_EQ(form.trangthai, QStringLiteral("nap"));
    EXPECT_EQ(ui::backColor(form.lbltrangthai), ui::colorFromNumber(255));
    EXPECT_EQ(form.mnoigui->text(), QString());
    EXPECT_EQ(form.mstt->text(), QStringLiteral(" 6"));
    const QString sender = QStringLiteral("Ủy ban nhân dân huyện Đức Phổ");
    const QString summary = QStringLiteral("Về việc tổ chức hội nghị tổng kết năm; đề nghị các đơn vị gửi báo cáo");
    type(form.mnoigui, sender);
    type(form.mtt_ndung, summary);
    form.mng_den->setText(QStringLiteral("15/03/2024"));
    form.Checkdaxuly->setChecked(true);
    EXPECT_TRUE(form.mnoigui->dataChanged());
    EXPECT_FALSE(form.mloai->dataChanged());

    ASSERT_TRUE(form.cmdUpdate_Click());
    EXPECT_EQ(form.trangthai, QStringLiteral("xem"));
    EXPECT_EQ(file.count(), 6);
    EXPECT_EQ(file.stored(6, QStringLiteral("noigui")).toString(), sender);
    EXPECT_EQ(file.stored(6, QStringLiteral("tt_ndung")).toString(), summary);
    EXPECT_EQ(file.stored(6, QStringLiteral("ng_den")).toString(), QStringLiteral("15/03/2024"));
    EXPECT_TRUE(file.stored(6, QStringLiteral("da_xuli")).toBool());
    // The untouched box wrote nothing: the field stays null rather than "".
    EXPECT_TRUE(file.stored(6, QStringLiteral("loai")).isNull());
    // The form is on the letter just written, and shows it back.
    EXPECT_EQ(position(), 5);
    EXPECT_EQ(form.mnoigui->text(), sender);
    EXPECT_EQ(form.Data1->caption(), QStringLiteral("6/6"));
}

TEST_F(LetterFormTest, EscapeWhileEditingAnsweredNoKeepsTheStoredLetter)
{
    form.cmdsua_Click();
    type(form.mnoigui, QStringLiteral(" bổ sung"));
    EXPECT_TRUE(form.mnoigui->dataChanged());
    responder.answer(QStringLiteral("no"));
    key(Qt::Key_Escape);
    EXPECT_EQ(responder.lastMessage(), QStringLiteral("Có lưu giữ những sửa đổi vừa thực hiện không ?"));
    EXPECT_EQ(form.trangthai, QStringLiteral("xem"));
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(5));
    EXPECT_FALSE(form.mnoigui->dataChanged());
    EXPECT_EQ(file.stored(5, QStringLiteral("noigui")).toString(), LetterFile::noigui(5));
}

TEST_F(LetterFormTest, CancellingAnAdditionShowsTheCurrentLetterAgain)
{
    form.cmdAdd_Click();
    type(form.mnoigui, QStringLiteral("Bộ Tư pháp"));
    responder.answer(QStringLiteral("no"));
    key(Qt::Key_Escape);
    EXPECT_EQ(responder.lastMessage(), QStringLiteral("Có lưu giữ bản ghi đang nạp không ?"));
    EXPECT_EQ(file.count(), 5);
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(5));
    EXPECT_EQ(form.Data1->recordset().editMode(), db::EditMode::None);
}

TEST_F(LetterFormTest, MovingAwayFromAnEditAnsweredYesSavesItFirst)
{
    form.Data1->moveTo(2);
    form.cmdsua_Click();
    form.mnoigui->setText(QStringLiteral("Sở Tài chính"));
    responder.answer(QStringLiteral("yes"));
    form.events.clear();
    ASSERT_TRUE(form.Data1->moveNext());
    EXPECT_EQ(file.stored(3, QStringLiteral("noigui")).toString(), QStringLiteral("Sở Tài chính"));
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(4));
    EXPECT_EQ(form.events.first(), QStringLiteral("validate:3"));
    EXPECT_EQ(form.events.last(), QStringLiteral("reposition:4/5"));
}

// A double-click as a mouse makes it: press, release, double-click, release.
void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
}

TEST_F(LetterFormTest, GridDoubleClickMarksAndUnmarksTheRow)
{
    const QModelIndex cell = form.DBGrid1->model()->index(2, 2);
    const QPoint at = form.DBGrid1->visualRect(cell).center();
    doubleClick(form.DBGrid1->viewport(), at);
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(form.events.first(), QStringLiteral("validate:9"));
    EXPECT_EQ(form.events.count(QStringLiteral("dblclick")), 1);
    EXPECT_EQ(file.stored(3, QStringLiteral("chonin")).toString(), QStringLiteral("X"));
    EXPECT_EQ(form.DBGrid1->tableModel()->text(2, 0), QStringLiteral("X"));
    EXPECT_EQ(form.DBGrid1->currentRow(), 2);

    form.events.clear();
    doubleClick(form.DBGrid1->viewport(), at);
    EXPECT_EQ(form.events, QStringList({QStringLiteral("dblclick")}));
    EXPECT_EQ(file.stored(3, QStringLiteral("chonin")).toString(), QString());
    EXPECT_EQ(form.DBGrid1->tableModel()->text(2, 0), QString());
}

TEST_F(LetterFormTest, DropDownClickOnTheListPartCopiesTheTypeWhileAdding)
{
    ASSERT_GT(form.DBComboloai->count(), 1);
    form.cmdAdd_Click();
    form.events.clear();
    const QString chosen = form.DBComboloai->itemText(1);
    form.DBComboloai->setFocus();
    // Choosing with the arrow keys picks from the list part, one item per key.
    QTest::keyClick(form.DBComboloai, Qt::Key_Down);
    QTest::keyClick(form.DBComboloai, Qt::Key_Down);
    EXPECT_EQ(form.events, QStringList({QStringLiteral("click:2"), QStringLiteral("click:2")}));
    EXPECT_EQ(form.mloai->text(), chosen);
    EXPECT_FALSE(form.DBComboloai->boundText().isEmpty());
    EXPECT_TRUE(form.mnoigui->hasFocus());
}

TEST_F(LetterFormTest, DropDownClickWhileViewingChangesNothing)
{
    const QString before = form.mloai->text();
    emit form.DBComboloai->activated(0);
    EXPECT_EQ(form.events, QStringList({QStringLiteral("click:2")}));
    EXPECT_EQ(form.mloai->text(), before);
}

TEST_F(LetterFormTest, ClosingWhileEditingRunsValidateWithTheUnloadAction)
{
    form.cmdsua_Click();
    form.mnoigui->setText(QStringLiteral("Sở Xây dựng"));
    responder.answer(QStringLiteral("no"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(form.events.first(), QStringLiteral("validate:%1").arg(ui::action::Unload));
    EXPECT_EQ(responder.lastMessage(), QStringLiteral("Có lưu giữ những sửa đổi vừa thực hiện không ?"));
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(file.stored(5, QStringLiteral("noigui")).toString(), LetterFile::noigui(5));
}

// --- bad input ------------------------------------------------------------------------------

TEST_F(LetterFormTest, FailingRecordSourceRaisesErrorAndLeavesTheFormAsItWas)
{
    form.Data1->moveTo(2);
    form.events.clear();
    form.Data1->setRecordSource(QStringLiteral("select * from cvden1999"));
    EXPECT_FALSE(form.Data1->refresh());
    ASSERT_EQ(form.errorTexts.size(), 1);
    EXPECT_TRUE(form.errorTexts.first().contains(QStringLiteral("cvden1999"))) << qPrintable(form.errorTexts.first());
    // Shown once, by the form's handler; the control's own display was suppressed.
    EXPECT_EQ(responder.messageBoxes(), QStringList({QStringLiteral("Lỗi dữ liệu : ") + form.errorTexts.first()}));
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(form.Data1->recordset().recordCount(), 5);
    EXPECT_EQ(form.mnoigui->text(), LetterFile::noigui(3));
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 5);
}

TEST_F(LetterFormTest, UnknownFieldRaisesErrorAndShowsAnEmptyBox)
{
    auto* wrong = new ui::TextBox(&form);
    wrong->bind(form.Data1, QStringLiteral("so_cv_cu"));
    ASSERT_EQ(form.events.size(), 1);
    EXPECT_EQ(form.events.first(), QStringLiteral("error:%1").arg(db::errc::ItemNotFound));
    EXPECT_TRUE(form.errorTexts.first().contains(QStringLiteral("so_cv_cu"))) << qPrintable(form.errorTexts.first());
    EXPECT_EQ(wrong->text(), QString());
    // The box stays out of the way: moves and writes go on for the other boxes.
    form.cmdsua_Click();
    form.mnoigui->setText(QStringLiteral("Sở Y tế"));
    wrong->setText(QStringLiteral("không ghi được"));
    EXPECT_TRUE(form.cmdUpdate_Click());
    EXPECT_EQ(file.stored(5, QStringLiteral("noigui")).toString(), QStringLiteral("Sở Y tế"));
}

TEST_F(LetterFormTest, RefusedWriteRaisesErrorAndKeepsTheTypedValues)
{
    file.db().execute(QStringLiteral("CREATE UNIQUE INDEX so_dk ON cvden2024 (stt)"));
    form.cmdAdd_Click();
    form.mstt->setText(QStringLiteral(" 2")); // already used
    type(form.mnoigui, QStringLiteral("Công an tỉnh"));
    EXPECT_FALSE(form.cmdUpdate_Click());
    ASSERT_EQ(form.errorTexts.size(), 1);
    EXPECT_FALSE(form.errorTexts.first().isEmpty());
    EXPECT_EQ(form.trangthai, QStringLiteral("nap"));
    EXPECT_EQ(form.mstt->text(), QStringLiteral(" 2"));
    EXPECT_EQ(form.mnoigui->text(), QStringLiteral("Công an tỉnh"));
    EXPECT_TRUE(form.mnoigui->dataChanged());
    EXPECT_EQ(file.count(), 5);

    // Corrected, the same addition goes through and the letter that was current is untouched.
    form.mstt->setText(QStringLiteral(" 6"));
    EXPECT_TRUE(form.cmdUpdate_Click());
    EXPECT_EQ(file.count(), 6);
    EXPECT_EQ(file.stored(6, QStringLiteral("noigui")).toString(), QStringLiteral("Công an tỉnh"));
    EXPECT_EQ(file.stored(5, QStringLiteral("noigui")).toString(), LetterFile::noigui(5));
}

TEST_F(LetterFormTest, TextInANumberFieldRaisesErrorAndStays)
{
    form.cmdsua_Click();
    form.mstt->setText(QStringLiteral("năm"));
    EXPECT_FALSE(form.cmdUpdate_Click());
    EXPECT_EQ(form.events.last(), QStringLiteral("error:3421"));
    EXPECT_EQ(form.mstt->text(), QStringLiteral("năm"));
    EXPECT_EQ(file.stored(5, QStringLiteral("stt")).toInt(), 5);
}

TEST_F(LetterFormTest, RefusedWriteWhileLeavingKeepsTheFormOnTheRecord)
{
    file.db().execute(QStringLiteral("CREATE UNIQUE INDEX so_dk ON cvden2024 (stt)"));
    form.Data1->moveTo(3);
    form.cmdsua_Click();
    form.mstt->setText(QStringLiteral(" 1"));
    responder.answer(QStringLiteral("yes"));
    EXPECT_FALSE(form.Data1->moveFirst());
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(form.mstt->text(), QStringLiteral(" 1"));
    EXPECT_EQ(form.trangthai, QStringLiteral("sua"));
    EXPECT_EQ(file.stored(4, QStringLiteral("noigui")).toString(), LetterFile::noigui(4));
}

} // namespace
