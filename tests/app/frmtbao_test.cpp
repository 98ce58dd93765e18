// The message dialog: fitting, alignment, the error view and the answers.
#include "accessibility_check.h"
#include "app/core/last_error.h"
#include "app/core/module1.h"
#include "app/gui/frmtbao.h"
#include "app/gui/message_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using app::MessageLayout;
using ::testing::DoubleEq;
using ::testing::Pointwise;

// --- the fitting algorithm, with a label whose height is given --------------------------------

constexpr double kScreenHeight = 11520; // 8 inches

// The label's height is given: the dialog grows in steps of two until the label fits, and never
// beyond six tenths of the screen. A label as wide as the dialog stops it at the first step where
// the wider label fits.
TEST(FitMessage, GrowsInStepsOfTwoUntilTheLabelFitsAndStopsAtTheFirstSuchStep)
{
    const std::tuple<const char*, double, int, bool> cases[] = {
        {"one line keeps the base size", 240, 0, true},
        {"just under the buttons keeps the base size", 2049, 0, true},
        {"reaching the buttons grows once", 2050, 2, true},
        {"taller grows twice", 2600, 4, true},
        // 2760 x (1 + k/10) reaches 6912 (6/10 of the screen) at k = 16.
        {"never fitting stops at six tenths of the screen", 1.0e9, 16, false},
    };
    for (const auto& [what, labelHeight, k, fits] : cases) {
        SCOPED_TRACE(what);
        const MessageLayout layout = app::fitMessage([h = labelHeight](double) { return h; }, kScreenHeight);
        EXPECT_EQ(layout.k, k);
        EXPECT_EQ(layout.fits, fits);
        const double tall = 1 + k / 10.0;
        const double wide = k == 0 ? 1.0 : 1 + (k - 1) / 10.0;
        const double labelTop = fits ? (2250 * tall - 200 - labelHeight) / 2 : MessageLayout::kLabelTop;
        // height, width, label width and top, buttons' top, yes, ok and no buttons' left
        EXPECT_THAT((std::vector{layout.height, layout.width, layout.labelWidth, layout.labelTop, layout.buttonTop,
                                 layout.yesLeft, layout.okLeft, layout.noLeft}),
                    Pointwise(DoubleEq(), std::vector{2760 * tall, 5355 * wide, 4860 * wide, labelTop, 2250 * tall,
                                                      1440 * wide, 2115 * wide, 2790 * wide}));
    }

    // 600 characters of text, 100 twips per character, 300 twips per line.
    const auto height = [](double width) {
        const double perLine = std::floor(width / 100);
        return std::ceil(600 / perLine) * 300;
    };
    const MessageLayout layout = app::fitMessage(height, kScreenHeight);
    ASSERT_TRUE(layout.fits);
    EXPECT_GT(layout.k, 0);
    EXPECT_LT(height(layout.labelWidth), layout.buttonTop - 200);
    for (int k = 0; k < layout.k; k += 2) {
        const double wide = k == 0 ? 1.0 : 1 + (k - 1) / 10.0;
        EXPECT_GE(height(4860 * wide), 2250 * (1 + k / 10.0) - 200) << "k " << k;
    }
    // Without a screen it still ends.
    const MessageLayout none = app::fitMessage([](double) { return 1.0e9; }, 0);
    EXPECT_EQ(none.k, 2);
    EXPECT_FALSE(none.fits);
}

TEST(ErrorViewLabelTop, FollowsTheLengthOfTheTrimmedText)
{
    const std::pair<int, double> cases[] = {{0, 850},   {59, 850},  {60, 700},  {119, 700}, {120, 550},
                                            {179, 550}, {180, 400}, {239, 400}, {240, 200}, {1000, 200}};
    for (const auto& [length, top] : cases)
        EXPECT_EQ(app::errorViewLabelTop(length), top) << "length " << length;
}

// The prefix is taken off only when the text begins with it; what is not the prefix stays.
TEST(LeftAlignPrefix, IsRecognisedInAnyLetterCaseAndRemoved)
{
    const std::pair<const char*, const char*> cases[] = {
        {"(căn trái)Danh sách", "Danh sách"}, {"(CĂN TRÁI)Danh sách", "Danh sách"}, {"(Căn Trái)", ""},
        {"(can trai)Danh sách", nullptr},     {" (căn trái)Danh sách", nullptr},    {"(căn trái", nullptr},
    };
    for (const auto& [given, rest] : cases) {
        QString text = QString::fromUtf8(given);
        EXPECT_EQ(app::takeLeftAlignPrefix(text), rest != nullptr) << given;
        EXPECT_EQ(text, QString::fromUtf8(rest ? rest : given)) << given;
    }
}

// --- the dialog itself -----------------------------------------------------------------------

// What the dialog looked like while it was open.
struct Seen
{
    QSize size;
    QRect label;
    QString labelText;
    Qt::Alignment alignment;
    bool yes = false;
    bool ok = false;
    bool no = false;
    bool accessibleFixedAndFramed = false; // accessible, fixed size, focus frame on the first button
};

class MessageDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        app::clearLastError();
    }
    void TearDown() override { ui::FormBase::setModalHandler({}); }

    // Shows text in mode; while open, records the dialog and runs act (the user).
    QString ask(const QString& text, const QString& mode, const std::function<void(app::MessageDialog&)>& act)
    {
        ui::FormBase::setModalHandler([this, &act](ui::FormBase& form) {
            auto& dialog = static_cast<app::MessageDialog&>(form);
            seen = record(dialog);
            act(dialog);
        });
        return dialog.show(text, mode);
    }

    static Seen record(app::MessageDialog& d)
    {
        QPushButton* focused = d.cmdok->isVisible() ? d.cmdok : d.cmdyes;
        QStyleOptionButton option;
        option.initFrom(focused);
        const bool framed = d.focusWidget() == focused && (option.state & QStyle::State_KeyboardFocusChange);
        return Seen{d.size(),
                    d.Label1->geometry(),
                    d.Label1->text(),
                    d.Label1->alignment(),
                    d.cmdyes->isVisible(),
                    d.cmdok->isVisible(),
                    d.cmdno->isVisible(),
                    framed && test::isAccessible(&d) && !(d.windowFlags() & Qt::WindowMaximizeButtonHint) &&
                        d.minimumSize() == d.maximumSize()};
    }

    // Ctrl+End as typed: Ctrl down, End down, then the two released in either order.
    void ctrlEnd(app::MessageDialog& d, bool ctrlReleasedFirst = false)
    {
        QWidget* target = d.focusWidget() ? d.focusWidget() : &d;
        QTest::keyPress(target, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyPress(target, Qt::Key_End, Qt::ControlModifier);
        QTest::keyRelease(target, ctrlReleasedFirst ? Qt::Key_Control : Qt::Key_End,
                          ctrlReleasedFirst ? Qt::NoModifier : Qt::ControlModifier);
        QTest::keyRelease(target, ctrlReleasedFirst ? Qt::Key_End : Qt::Key_Control, Qt::NoModifier);
    }

    app::MessageDialog dialog;
    Seen seen;
};

// A short message keeps the base size with the label centred above the buttons; twelve lines grow
// the dialog in steps until they fit (the limits are fitMessage's); the left-align prefix aligns
// left and is dropped.
TEST_F(MessageDialogTest, ShortTextKeepsTheBaseSizeLongTextGrowsItAndThePrefixAlignsLeft)
{
    const auto okButton = [](app::MessageDialog& d) { d.cmdok->click(); };
    ask(u"Chưa có công văn nào được nạp !"_s, u"ok"_s, okButton);
    EXPECT_EQ(seen.size, QSize(dialog.pixelsX(5355), dialog.pixelsY(2760)));
    EXPECT_TRUE(seen.alignment & Qt::AlignHCenter);
    const double labelHeight = dialog.layoutTwips().labelHeight;
    EXPECT_LT(labelHeight, 2250 - 200);
    EXPECT_EQ(std::pair(seen.label.top(), seen.label.width()),
              std::pair(dialog.pixelsY((2250 - 200 - labelHeight) / 2), dialog.pixelsX(4860)));
    // Centred: as much room above the label as between it and 200 twips above the buttons.
    const int above = seen.label.top();
    const int below = dialog.pixelsY(2250 - 200) - seen.label.bottom() - 1;
    EXPECT_LE(std::abs(above - below), 2);
    EXPECT_FALSE(dialog.isVisible());

    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << u"Dòng thứ %1 của thông báo"_s.arg(i);
    ask(lines.join(u"\r\n"_s), u"ok"_s, okButton);
    const MessageLayout grown = dialog.layoutTwips();
    ASSERT_TRUE(grown.fits);
    EXPECT_GT(grown.k, 0);
    EXPECT_EQ(grown.k % 2, 0);
    EXPECT_EQ(seen.size,
              QSize(dialog.pixelsX(5355 * (1 + (grown.k - 1) / 10.0)), dialog.pixelsY(2760 * (1 + grown.k / 10.0))));
    EXPECT_LE(seen.label.bottom(), dialog.pixelsY(grown.buttonTop - 200));
    EXPECT_EQ(seen.labelText, lines.join(u'\n'));

    ask(u"(CĂN trái)Các năm đã có:\r\n2008\r\n2009"_s, u"ok"_s, okButton);
    EXPECT_TRUE(seen.alignment & Qt::AlignLeft);
    EXPECT_EQ(seen.labelText, u"Các năm đã có:\n2008\n2009"_s);
    EXPECT_EQ(dialog.message(), u"Các năm đã có:\r\n2008\r\n2009"_s);
    ask(u"Căn giữa"_s, u"ok"_s, okButton);
    EXPECT_TRUE(seen.alignment & Qt::AlignHCenter);
}

TEST_F(MessageDialogTest, EveryWayOfAnsweringGivesItsWordKeepsTheTextAndModeShowsItsButtonsANoticeWaitsForNone)
{
    using Act = std::function<void(app::MessageDialog&)>;
    const Act yes = [](app::MessageDialog& d) { d.cmdyes->click(); };
    const Act no = [](app::MessageDialog& d) { d.cmdno->click(); };
    const Act ok = [](app::MessageDialog& d) { d.cmdok->click(); };
    const Act closeBox = [](app::MessageDialog& d) { d.close(); };
    const Act escape = [](app::MessageDialog& d) {
        QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Escape);
    };
    struct Case
    {
        const char* what;
        QString mode;
        Act act;
        QString answer;
    };
    const Case cases[] = {
        {"yes button", u"yesno"_s, yes, u"yes"_s},
        {"no button", u"yesno"_s, no, u"no"_s},
        {"mode word in another case", u"YesNo"_s, no, u"no"_s},
        {"close box on a question", u"yesno"_s, closeBox, u"no"_s},
        {"Escape on a question", u"yesno"_s, escape, u"no"_s},
        {"ok button, mode in capitals", u"OK"_s, ok, u"ok"_s},
        {"close box on a message", u"ok"_s, closeBox, u"ok"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ask(u"Có lưu những nội dung vừa sửa không ?"_s, c.mode, c.act), c.answer);
        EXPECT_EQ((QStringList{dialog.message(), dialog.messageKind(), dialog.answer()}),
                  (QStringList{u"Có lưu những nội dung vừa sửa không ?"_s, c.mode, c.answer}));
        const bool question = c.mode.compare(u"yesno"_s, Qt::CaseInsensitive) == 0;
        EXPECT_EQ(std::tuple(seen.yes, seen.ok, seen.no), std::tuple(question, !question, question));
        EXPECT_TRUE(seen.accessibleFixedAndFramed);
    }
    // Installed as the messenger, it is what the program asks through.
    app::Messenger* previous = app::setMessenger(&dialog);
    ui::FormBase::setModalHandler([](ui::FormBase& form) { static_cast<app::MessageDialog&>(form).cmdno->click(); });
    EXPECT_EQ(app::messenger().show(u"Có lưu không ?"_s, u"yesno"_s), u"no"_s);
    EXPECT_EQ(dialog.message(), u"Có lưu không ?"_s);
    app::setMessenger(previous);

    // A notice (any other mode word) clears the answer ("no" above), shows at once without
    // buttons and without waiting, and goes with closeNotice() or when a message comes.
    bool modal = false;
    ui::FormBase::setModalHandler([&modal](ui::FormBase&) { modal = true; });
    EXPECT_EQ(dialog.show(u"Đang sao lưu dữ liệu, xin chờ..."_s, u"tbao"_s), QString());
    EXPECT_EQ(dialog.answer(), QString());
    EXPECT_FALSE(modal);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.cmdok->isVisible() || dialog.cmdyes->isVisible() || dialog.cmdno->isVisible());
    EXPECT_EQ(dialog.Label1->text(), u"Đang sao lưu dữ liệu, xin chờ..."_s);
    dialog.closeNotice();
    EXPECT_FALSE(dialog.isVisible());

    dialog.show(u"Đang sao lưu dữ liệu..."_s, u"tbao"_s);
    EXPECT_EQ(ask(u"Lỗi sao lưu !"_s, u"ok"_s, [](app::MessageDialog& d) { d.cmdok->click(); }), u"ok"_s);
    EXPECT_TRUE(seen.ok);
    EXPECT_EQ(seen.labelText, u"Lỗi sao lưu !"_s);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MessageDialogTest, CtrlEndTogglesTheLastErrorInAnOkMessageOnly)
{
    for (const bool ctrlFirst : {false, true}) {
        SCOPED_TRACE(ctrlFirst ? "Ctrl released first" : "End released first");
        app::setLastError(3021, u"No current record."_s);
        QStringList texts;
        QList<int> tops;
        ask(u"Lỗi khi ghi đĩa !"_s, u"ok"_s, [&](app::MessageDialog& d) {
            for (const QString& saved : {u"Lỗi khi ghi đĩa !"_s, QString()}) {
                ctrlEnd(d, ctrlFirst);
                texts << d.Label1->text();
                tops << d.Label1->y();
                EXPECT_EQ(d.savedMessage(), saved);
            }
            d.cmdok->click();
        });
        EXPECT_EQ(texts, (QStringList{"Lỗi 3021 (No current record.).", "Lỗi khi ghi đĩa !"}));
        EXPECT_EQ(tops, QList<int>(2, dialog.pixelsY(850)));
    }
    // A question does not show the error.
    QString text;
    ask(u"Có xoá không ?"_s, u"yesno"_s, [&](app::MessageDialog& d) {
        ctrlEnd(d);
        text = d.Label1->text();
        d.cmdno->click();
    });
    EXPECT_EQ(text, u"Có xoá không ?"_s);
}

} // namespace
