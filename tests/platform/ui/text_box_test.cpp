// The text box: changed flag, locking, length, lines, selection, Vietnamese typing.
#include "type_text.h"

#include "platform/ui/text_box.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    b->setText(u"Hà Nội"_s);
    EXPECT_TRUE(b->dataChanged());
    b->setDataChanged(false);
    int changes = 0;
    QObject::connect(b, &ui::TextBox::Change, [&changes] { ++changes; });
    b->setText(u"Hà Nội"_s);
    EXPECT_FALSE(b->dataChanged());
    EXPECT_EQ(changes, 0);
    b->setFocus();
    test::typeText(b->editor(), u"ạ"_s);
    EXPECT_TRUE(b->dataChanged());
    EXPECT_EQ(b->text(), u"Hà Nộiạ"_s);
}

// Single- and multi-line boxes alike: typed Vietnamese, the length cut, the selection in characters.
TEST_F(TextBoxTest, BothKindsTakeVietnameseCutAtTheLengthAndSelectInCharacters)
{
    const QString text = u"Ủy ban nhân dân tỉnh Quảng Ngãi: ước tính ưu đãi đặc biệt ỹ ỵ"_s;
    for (bool multi : {false, true}) {
        SCOPED_TRACE(multi ? "multi-line" : "single-line");
        ui::TextBox* b = box(multi);
        b->setFocus();
        test::typeText(b->editor(), text);
        EXPECT_EQ(b->text(), text);
        EXPECT_EQ(b->fieldValue().toString(), text);
        b->setText(u"Sở Tư pháp"_s);
        b->setSelStart(3);
        b->setSelLength(2);
        EXPECT_EQ(std::pair(b->selStart(), b->selLength()), std::pair(3, 2));
        EXPECT_EQ(b->selText(), u"Tư"_s);
        b->setSelStart(99);
        EXPECT_EQ(std::pair(b->selStart(), b->selLength()), std::pair(10, 0));
        b->setText(QString());
        b->setMaxLength(5);
        test::typeText(b->editor(), u"Nghệ A"_s); // one character too many: the last is refused
        EXPECT_EQ(b->text(), u"Nghệ "_s);
        b->setText(u"Thừa Thiên Huế"_s);
        EXPECT_EQ(b->text(), u"Thừa "_s);
    }
}

// A locked box refuses typing but not code; line breaks set by code become newlines in a
// multi-line box and blanks in a single-line one.
TEST_F(TextBoxTest, CodeSetsLockedBoxesAndTurnsLineBreaksIntoNewlinesOrBlanks)
{
    ui::TextBox* single = box(false);
    single->setText(u"Đà Nẵng"_s);
    single->setLocked(true);
    single->setFocus();
    test::typeText(single->editor(), u"xyz"_s);
    EXPECT_EQ(single->text(), u"Đà Nẵng"_s);
    single->setText(u"Dòng một\r\nDòng hai"_s);
    EXPECT_EQ(single->text(), u"Dòng một Dòng hai"_s);
    ui::TextBox* multi = box(true);
    multi->setText(u"Dòng một\r\nDòng hai\rDòng ba"_s);
    EXPECT_EQ(multi->text(), u"Dòng một\nDòng hai\nDòng ba"_s);
}

// Focus and keys are reported; select-all-on-focus selects the text; a multi-line box passes
// Tab on to the next control.
TEST_F(TextBoxTest, FocusAndKeyEventsAreReported)
{
    ui::TextBox* multi = box(true);
    ui::TextBox* b = box();
    b->setText(u"12/120"_s);
    b->setSelectAllOnFocus(true);
    QStringList seen;
    QObject::connect(b, &ui::TextBox::GotFocus, [&seen] { seen << u"got"_s; });
    QObject::connect(b, &ui::TextBox::LostFocus, [&seen] { seen << u"lost"_s; });
    QObject::connect(b, &ui::TextBox::KeyUp,
                     [&seen](int code, int shift) { seen << u"keyup:%1:%2"_s.arg(code).arg(shift); });
    multi->setFocus();
    QTest::keyClick(multi->editor(), Qt::Key_Tab);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(multi->text(), QString());
    QTest::keyClick(b->editor(), Qt::Key_Return);
    multi->setFocus();
    EXPECT_EQ(seen, QStringList({u"got"_s, u"keyup:13:0"_s, u"lost"_s}));
    b->setFocus(); // not by Tab, which selects all anyway
    EXPECT_EQ(b->selText(), u"12/120"_s);
    QObject::disconnect(b, nullptr, nullptr, nullptr); // `seen` goes before the window
}

} // namespace
