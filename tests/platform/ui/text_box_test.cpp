// The text box: changed flag, locking, length, lines, selection, Vietnamese typing.
#include "type_text.h"

#include "platform/ui/text_box.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }

    ui::TextBox* box(bool multiLine = false)
    {
        auto* b = new ui::TextBox(&window, multiLine);
        b->show();
        return b;
    }

    QWidget window;
};

// Typing or code set the changed flag, the same text again does not; the form clears it.
TEST_F(TextBoxTest, ChangedFlagIsSetByTypingAndByCodeAndClearedByTheForm)
{
    ui::TextBox* b = box();
    EXPECT_FALSE(b->dataChanged());
    b->setText(QStringLiteral("Hà Nội"));
    EXPECT_TRUE(b->dataChanged());
    b->setDataChanged(false);
    int changes = 0;
    QObject::connect(b, &ui::TextBox::Change, [&changes] { ++changes; });
    b->setText(QStringLiteral("Hà Nội"));
    EXPECT_FALSE(b->dataChanged());
    EXPECT_EQ(changes, 0);
    b->setFocus();
    test::typeText(b->editor(), QStringLiteral("ạ"));
    EXPECT_TRUE(b->dataChanged());
    EXPECT_EQ(b->text(), QStringLiteral("Hà Nộiạ"));
}

// Single- and multi-line boxes alike: typed Vietnamese, the length cut, the selection in characters.
TEST_F(TextBoxTest, BothKindsTakeVietnameseCutAtTheLengthAndSelectInCharacters)
{
    const QString text = QStringLiteral("Ủy ban nhân dân tỉnh Quảng Ngãi: ước tính ưu đãi đặc biệt ỹ ỵ");
    for (bool multi : {false, true}) {
        SCOPED_TRACE(multi ? "multi-line" : "single-line");
        ui::TextBox* b = box(multi);
        b->setFocus();
        test::typeText(b->editor(), text);
        EXPECT_EQ(b->text(), text);
        EXPECT_EQ(b->fieldValue().toString(), text);
        b->setText(QStringLiteral("Sở Tư pháp"));
        b->setSelStart(3);
        b->setSelLength(2);
        EXPECT_EQ(b->selStart(), 3);
        EXPECT_EQ(b->selLength(), 2);
        EXPECT_EQ(b->selText(), QStringLiteral("Tư"));
        b->setSelStart(99);
        EXPECT_EQ(b->selStart(), 10);
        EXPECT_EQ(b->selLength(), 0);
        b->setText(QString());
        b->setMaxLength(5);
        test::typeText(b->editor(), QStringLiteral("Nghệ An"));
        EXPECT_EQ(b->text(), QStringLiteral("Nghệ "));
        b->setText(QStringLiteral("Thừa Thiên Huế"));
        EXPECT_EQ(b->text(), QStringLiteral("Thừa "));
    }
}

TEST_F(TextBoxTest, LockedBoxRefusesTypingButNotCode)
{
    ui::TextBox* b = box();
    b->setText(QStringLiteral("Đà Nẵng"));
    b->setLocked(true);
    b->setFocus();
    test::typeText(b->editor(), QStringLiteral("xyz"));
    EXPECT_EQ(b->text(), QStringLiteral("Đà Nẵng"));
    b->setText(QStringLiteral("Cần Thơ"));
    EXPECT_EQ(b->text(), QStringLiteral("Cần Thơ"));
}

TEST_F(TextBoxTest, LineBreaksBecomeNewlinesOrBlanks)
{
    ui::TextBox* multi = box(true);
    multi->setText(QStringLiteral("Dòng một\r\nDòng hai\rDòng ba"));
    EXPECT_EQ(multi->text(), QStringLiteral("Dòng một\nDòng hai\nDòng ba"));
    ui::TextBox* single = box(false);
    single->setText(QStringLiteral("Dòng một\r\nDòng hai"));
    EXPECT_EQ(single->text(), QStringLiteral("Dòng một Dòng hai"));
}

// Focus and keys are reported; select-all-on-focus selects the text; a multi-line box passes
// Tab on to the next control.
TEST_F(TextBoxTest, FocusAndKeyEventsAreReported)
{
    ui::TextBox* multi = box(true);
    ui::TextBox* b = box();
    b->setText(QStringLiteral("12/120"));
    b->setSelectAllOnFocus(true);
    QStringList seen;
    QObject::connect(b, &ui::TextBox::GotFocus, [&seen] { seen << QStringLiteral("got"); });
    QObject::connect(b, &ui::TextBox::LostFocus, [&seen] { seen << QStringLiteral("lost"); });
    QObject::connect(b, &ui::TextBox::KeyUp,
                     [&seen](int code, int shift) { seen << QStringLiteral("keyup:%1:%2").arg(code).arg(shift); });
    multi->setFocus();
    QTest::keyClick(multi->editor(), Qt::Key_Tab);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(multi->text(), QString());
    QTest::keyClick(b->editor(), Qt::Key_Return);
    multi->setFocus();
    EXPECT_EQ(seen, QStringList({QStringLiteral("got"), QStringLiteral("keyup:13:0"), QStringLiteral("lost")}));
    b->setFocus(); // not by Tab, which selects all anyway
    EXPECT_EQ(b->selText(), QStringLiteral("12/120"));
    QObject::disconnect(b, nullptr, nullptr, nullptr); // `seen` goes before the window
}

} // namespace
