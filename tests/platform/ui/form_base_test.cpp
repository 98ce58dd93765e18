// The form base: key preview with the old key codes, control names, Tab, showing and unloading;
// and the small helpers every form uses (pointer, status colours, key codes).
#include "scripted_responder.h"
#include "type_text.h"

#include "app/core/module1.h"
#include "platform/ui/data_combo.h"
#include "platform/ui/form_base.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/status_style.h"
#include "platform/ui/text_box.h"
#include "platform/ui/window_place.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A form that records what its handlers receive.
class RecordingForm : public ui::FormBase
{
public:
    RecordingForm()
    {
        auto* layout = new QVBoxLayout(this);
        mng_den = new ui::TextBox(this);
        mng_den->setObjectName(u"mng_den"_s);
        mtt_ndung = new ui::TextBox(this, true);
        mtt_ndung->setObjectName(u"mtt_ndung"_s);
        DBComboloai = new ui::DataCombo(this);
        DBComboloai->setObjectName(u"DBComboloai"_s);
        cmdclose = new QPushButton(u"&Kết thúc"_s, this);
        cmdclose->setObjectName(u"cmdclose"_s);
        layout->addWidget(mng_den);
        layout->addWidget(mtt_ndung);
        layout->addWidget(DBComboloai);
        layout->addWidget(cmdclose);
        QObject::connect(mng_den, &ui::TextBox::KeyUp, [this](int code, int) { seen << u"box:%1"_s.arg(code); });
    }

    ui::TextBox* mng_den;
    ui::TextBox* mtt_ndung;
    ui::DataCombo* DBComboloai;
    QPushButton* cmdclose;
    QStringList seen;
    int loads = 0;
    int swallowKeyCode = -1;
    bool refuseUnload = false;

protected:
    void Form_Load() override { ++loads; }
    ui::UnloadResult Form_Unload() override
    {
        seen << u"unload"_s;
        return refuseUnload ? ui::UnloadResult::Stay : ui::UnloadResult::Unload;
    }
    ui::KeyResult Form_KeyDown(int keyCode, int shift) override
    {
        seen << u"down:%1:%2"_s.arg(keyCode).arg(shift);
        return keyCode == swallowKeyCode ? ui::KeyResult::Consumed : ui::KeyResult::Pass;
    }
    void Form_KeyUp(int keyCode, int shift) override { seen << u"up:%1:%2"_s.arg(keyCode).arg(shift); }
};

class FormBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.showModeless();
        QApplication::setActiveWindow(&form);
        form.mng_den->setFocus();
        form.seen.clear();
    }

    test::ScriptedResponder responder;
    RecordingForm form;
};

struct KeyCase
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int code;
    int shift;
};

TEST_F(FormBaseTest, KeyReleaseReachesTheFormWithTheOldCodesBeforeTheControl)
{
    const KeyCase cases[] = {
        {Qt::Key_F4, Qt::NoModifier, 115, 0},       {Qt::Key_F5, Qt::NoModifier, 116, 0},
        {Qt::Key_F5, Qt::ShiftModifier, 116, 1},    {Qt::Key_F6, Qt::NoModifier, 117, 0},
        {Qt::Key_PageUp, Qt::NoModifier, 33, 0},    {Qt::Key_PageDown, Qt::NoModifier, 34, 0},
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},    {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, 13, 0}, {Qt::Key_Up, Qt::NoModifier, 38, 0},
        {Qt::Key_Down, Qt::NoModifier, 40, 0},      {Qt::Key_End, Qt::ControlModifier, 35, 2},
        {Qt::Key_Space, Qt::NoModifier, 32, 0},     {Qt::Key_Comma, Qt::NoModifier, 188, 0},
        {Qt::Key_A, Qt::NoModifier, 65, 0},         {Qt::Key_A, Qt::ShiftModifier, 65, 1},
        {Qt::Key_7, Qt::NoModifier, 55, 0},         {Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier, 116, 3},
    };
    for (const KeyCase& c : cases) {
        form.seen.clear();
        QTest::keyRelease(form.mng_den->editor(), c.key, c.modifiers);
        // (A key released with modifiers is followed by the modifier keys' own releases.)
        ASSERT_GE(form.seen.size(), 2) << "key " << c.key;
        EXPECT_EQ(form.seen[0], u"up:%1:%2"_s.arg(c.code).arg(c.shift)) << "key " << c.key;
        EXPECT_EQ(form.seen[1], u"box:%1"_s.arg(c.code)) << "key " << c.key;
    }
}

// Each key is previewed once (auto-repeat releases not), also when nothing in the form has the
// focus; a key the form swallows does not reach the control; Vietnamese letters come with code 0.
TEST_F(FormBaseTest, EachKeyIsPreviewedOnceAndASwallowedOneGoesNoFurther)
{
    test::pressKey(form.mng_den->editor(), Qt::Key_F4);
    EXPECT_EQ(form.seen, QStringList({u"down:115:0"_s, u"up:115:0"_s, u"box:115"_s}));
    form.seen.clear();
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F4, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(form.mng_den->editor(), &repeat);
    EXPECT_TRUE(form.seen.isEmpty());
    RecordingForm unfocused;
    QTest::keyRelease(&unfocused, Qt::Key_F6);
    EXPECT_EQ(unfocused.seen, QStringList({u"up:117:0"_s}));
    form.swallowKeyCode = 'X';
    test::typeText(form.mng_den->editor(), u"axbư"_s);
    EXPECT_EQ(form.mng_den->text(), u"abư"_s);
    EXPECT_EQ(form.seen.at(form.seen.size() - 3), u"down:0:0"_s);
}

// The active control is named by its outer control; controls are found by name; sendTab moves on.
TEST_F(FormBaseTest, ControlsAreNamedFoundAndTabbedThrough)
{
    QStringList tabbed{form.activeControlName()};
    for (bool back : {false, false, true}) {
        form.sendTab(back);
        tabbed << form.activeControlName();
    }
    EXPECT_EQ(tabbed, (QStringList{u"mng_den"_s, u"mtt_ndung"_s, u"DBComboloai"_s, u"mtt_ndung"_s}));
    form.DBComboloai->setFocus();
    EXPECT_EQ(form.activeControlName(), u"DBComboloai"_s);
    form.cmdclose->setFocus();
    EXPECT_EQ(form.activeControlName(), u"cmdclose"_s);
    EXPECT_EQ(form.control(u"mtt_ndung"_s), form.mtt_ndung);
    EXPECT_EQ(form.control<ui::TextBox>(u"mng_den"_s), form.mng_den);
    EXPECT_EQ(form.control<ui::TextBox>(u"cmdclose"_s), nullptr);
    EXPECT_EQ(form.control(u"khongco"_s), nullptr);
}

// Form_Load runs once until the form is unloaded; unload can be refused; the close box unloads.
TEST_F(FormBaseTest, FormLoadRunsOnceUntilUnloadedAndUnloadCanBeRefused)
{
    EXPECT_EQ(form.loads, 1);
    form.hide();
    form.showModeless();
    EXPECT_EQ(form.loads, 1); // hidden, not unloaded
    form.refuseUnload = true;
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    form.refuseUnload = false;
    EXPECT_TRUE(form.unload());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.isLoaded());
    form.showModeless();
    EXPECT_EQ(form.loads, 2);
    int unloaded = 0;
    QObject::connect(&form, &ui::FormBase::unloaded, [&unloaded] { ++unloaded; });
    EXPECT_TRUE(form.close());
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(form.isLoaded());
}

// The window system moves a form (the user dragged it); hidden and shown again, by its own hide or
// by unloading, the form stands where it stood, frame and client alike. A form placed anew while
// hidden stands where it was placed.
TEST_F(FormBaseTest, FormShownAgainStandsWhereItStood)
{
    form.windowHandle()->setFramePosition(QPoint(137, 89));
    QCoreApplication::processEvents();
    const QRect frame = form.frameGeometry(), client = form.geometry();
    ASSERT_EQ(frame.topLeft(), QPoint(137, 89));
    for (int round = 0; round < 3; ++round) {
        form.hide();
        form.showModeless();
        QCoreApplication::processEvents();
        EXPECT_EQ(form.frameGeometry(), frame) << "round " << round;
        EXPECT_EQ(form.geometry(), client) << "round " << round;
    }
    ASSERT_TRUE(form.unload());
    form.showModeless();
    EXPECT_EQ(form.frameGeometry(), frame);

    form.hide();
    form.move(40, 50);
    form.showModeless();
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(40, 50));
}

TEST(WindowPlace, ShownAgainFromWhereItWasHiddenGetsItsClientRectangleBack)
{
    const QRect hidden(104, 111, 600, 400);
    EXPECT_EQ(ui::placeOnShowAgain(hidden, QRect(104, 111, 640, 420)), QRect(104, 111, 640, 420));
    EXPECT_FALSE(ui::placeOnShowAgain(hidden, QRect(30, 40, 600, 400)).isValid()) << "placed anew";
    EXPECT_FALSE(ui::placeOnShowAgain(QRect(), hidden).isValid()) << "never hidden";
}

TEST_F(FormBaseTest, ModalFormIsAnsweredByTheResponderScript)
{
    RecordingForm dialog;
    dialog.setObjectName(u"frmincv"_s);
    responder.onModal(u"frmincv"_s, [](ui::FormBase& f) {
        auto& d = static_cast<RecordingForm&>(f);
        d.mng_den->setText(u"01/02/2024"_s);
        d.hide();
    });
    dialog.showModal();
    EXPECT_EQ(dialog.loads, 1);
    EXPECT_EQ(dialog.mng_den->text(), u"01/02/2024"_s);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.isLoaded()); // hidden by the script, not unloaded
    // Without a script the form is closed as with its close box.
    dialog.showModal();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(responder.modalForms(), QStringList({u"frmincv"_s, u"frmincv"_s}));
    dialog.refuseUnload = true; // a form that refuses to close is still hidden
    dialog.showModal();
    EXPECT_FALSE(dialog.isVisible());
}

// --- helpers ---------------------------------------------------------------------------------

TEST(KeyCodes, QtKeysAndOldCodesMapBothWays)
{
    const int codes[] = {8,  9,  13, 27, 32, 33, 34,  35,  36,  37,  38,  39,  40,
                         45, 46, 65, 90, 48, 57, 112, 115, 116, 117, 123, 188, 190};
    for (int code : codes)
        EXPECT_EQ(ui::keyCodeFromQt(ui::qtKeyFromCode(code)), code) << code;
    EXPECT_EQ(ui::keyCodeFromQt(Qt::Key_Launch0), 0);
    EXPECT_EQ(ui::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ui::modifiersFromShift(3), Qt::ShiftModifier | Qt::ControlModifier);
}

TEST(StatusStyle, ViewingUsesTheSystemColoursAndEditingYellowOnRed)
{
    QLabel label;
    ui::setStatusStyle(&label, ui::StatusStyle::Editing);
    EXPECT_EQ(ui::foreColor(&label), QColor(255, 255, 0));
    EXPECT_EQ(ui::backColor(&label), QColor(255, 0, 0));
    ui::setStatusStyle(&label, ui::StatusStyle::Viewing);
    EXPECT_EQ(ui::foreColor(&label), QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(ui::backColor(&label), QApplication::palette().color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ui::colorFromNumber(0xC0C0C0), QColor(192, 192, 192));
    EXPECT_EQ(ui::colorFromNumber(0x0080FF), QColor(255, 128, 0)); // &H00BBGGRR
}

TEST(Hourglass, ScopeRestoresThePointerItFound)
{
    ui::setDefaultPointer();
    {
        ui::HourglassPointer busy;
        EXPECT_TRUE(ui::isHourglass());
        {
            ui::HourglassPointer nested;
            EXPECT_TRUE(ui::isHourglass());
        }
        EXPECT_TRUE(ui::isHourglass());
    }
    EXPECT_FALSE(ui::isHourglass());
    ui::setHourglass();
    ui::setHourglass();
    ui::setDefaultPointer(); // one call undoes any number
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST(ScriptedResponder, AnswersInOrderThenByDefaultAndRecordsWhatWasShown)
{
    app::resetModule1();
    test::ScriptedResponder responder;
    responder.answer(u"no"_s);
    EXPECT_EQ(app::messenger().show(u"Có lưu không ?"_s, u"yesno"_s), u"no"_s);
    EXPECT_EQ(app::messenger().show(u"Có xoá không ?"_s, u"YESNO"_s), u"yes"_s);
    responder.setDefaultAnswer(u"no"_s);
    EXPECT_EQ(app::messenger().show(u"Có in không ?"_s, u"yesno"_s), u"no"_s);
    EXPECT_EQ(app::messenger().show(u"Xong !"_s, u"ok"_s), u"ok"_s);
    EXPECT_EQ(app::messenger().show(u"Đang sao lưu..."_s, u"tbao"_s), QString());
    EXPECT_TRUE(responder.noticeOpen());
    app::messenger().closeNotice();
    EXPECT_FALSE(responder.noticeOpen());
    EXPECT_EQ(responder.messages(),
              QStringList({u"Có lưu không ?"_s, u"Có xoá không ?"_s, u"Có in không ?"_s, u"Xong !"_s}));
    EXPECT_EQ(responder.shown().last().mode, u"tbao"_s);
    EXPECT_EQ(responder.unusedAnswers(), 0);
    // The message box is answered and recorded too.
    responder.answerMessageBox(ui::msgbox::No);
    EXPECT_EQ(ui::msgBox(u"Sai ten nguoi dung! Can nhap lai ten tu danh sach! "_s, ui::msgbox::YesNo, u"Login"_s),
              ui::msgbox::No);
    EXPECT_EQ(ui::msgBox(u"Mat khau sai!"_s, ui::msgbox::YesNo), ui::msgbox::Yes);
    EXPECT_EQ(ui::msgBox(u"Xong"_s), ui::msgbox::Ok);
    ASSERT_EQ(responder.shown().size(), 8);
    EXPECT_EQ(responder.shown()[5].mode, u"Login"_s);
}

TEST(ScriptedResponder, RestoresWhatWasInstalledBefore)
{
    app::Messenger* before = &app::messenger();
    {
        test::ScriptedResponder outer;
        {
            test::ScriptedResponder inner;
            EXPECT_EQ(&app::messenger(), &inner);
        }
        EXPECT_EQ(&app::messenger(), &outer);
        outer.answerMessageBox(ui::msgbox::Cancel);
        EXPECT_EQ(ui::msgBox(u"?"_s, ui::msgbox::OkCancel), ui::msgbox::Cancel);
    }
    EXPECT_EQ(&app::messenger(), before);
}

} // namespace
