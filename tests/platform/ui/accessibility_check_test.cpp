// The accessibility check that every window's test runs, and the roles and keys of the two kinds
// of form (a window, a dialog).
#include "accessibility_check.h"
#include "platform/ui/form_base.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct CheckCase
{
    const char* name;
    std::function<QWidget*()> make; // the window, with its controls
    QString problem;                // part of the one problem expected; empty: none
};

// A form of the given kind holding one named button, plus whatever add() puts in it.
QWidget* form(Qt::WindowFlags kind, const std::function<void(QWidget*)>& add = {})
{
    auto* f = new ui::FormBase(nullptr, kind);
    f->setWindowTitle(u"Thử"_s);
    auto* layout = new QVBoxLayout(f);
    layout->addWidget(new QPushButton(u"&Ghi đĩa"_s, f));
    if (add)
        add(f);
    return f;
}

TEST(AccessibilityCheck, FindsUnnamedControlsAndWrongRoles)
{
    const auto windowWith = [](std::function<void(QWidget*)> add) { return [add] { return form(Qt::Window, add); }; };
    const CheckCase cases[] = {
        {"WindowFormIsAWindow", [] { return form(Qt::Window); }, {}},
        {"DialogFormIsADialog", [] { return form(ui::kFixedDialog); }, {}},
        {"PlainWidgetIsAPanelNotAWindow",
         [] {
             auto* w = new QWidget;
             w->setWindowTitle(u"Thử"_s);
             return w;
         },
         u"expected Window"_s},
        {"WindowWithoutTitle",
         [] {
             QWidget* w = form(Qt::Window);
             w->setWindowTitle(QString());
             return w;
         },
         u"without a name"_s},
        {"BoxWithoutLabel", windowWith([](QWidget* f) { f->layout()->addWidget(new QLineEdit(f)); }), u"has no name"_s},
        {"BoxNamedByItsLabel",
         windowWith([](QWidget* f) {
             auto* box = new QLineEdit(u"Số đến"_s, f);
             auto* label = new QLabel(u"Số đến"_s, f);
             label->setBuddy(box);
             f->layout()->addWidget(label);
             f->layout()->addWidget(box);
         }),
         {}},
        {"ListWhoseOnlyTextIsItsValue", windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItems({u"2009"_s, u"2008"_s});
             f->layout()->addWidget(list);
         }),
         u"has no name"_s},
        {"ListWithAccessibleName",
         windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItem(u"2009"_s);
             list->setAccessibleName(u"Năm"_s);
             f->layout()->addWidget(list);
         }),
         {}},
        {"ListNamedByItsLabelAfterAPick",
         windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItems({u"Phòng Hành chính"_s, u"Phòng Tài vụ"_s});
             list->setCurrentIndex(1);
             auto* label = new QLabel(u"Chọn phòng, bộ phận"_s, f);
             label->setBuddy(list);
             f->layout()->addWidget(label);
             f->layout()->addWidget(list);
         }),
         {}},
        {"LabelAnnouncedByAFixedName", windowWith([](QWidget* f) {
             auto* status = new QLabel(u"Xem công văn đến"_s, f);
             status->setAccessibleName(u"Trạng thái"_s);
             f->layout()->addWidget(status);
         }),
         u"announced as \"Trạng thái\""_s},
        {"LabelWhoseTextChanged",
         windowWith([](QWidget* f) {
             auto* status = new QLabel(u"Xem công văn đến"_s, f);
             status->setAccessibleDescription(u"Trạng thái"_s);
             f->layout()->addWidget(status);
             status->setText(u"Nạp công văn đến"_s);
         }),
         {}},
        {"HiddenBoxIsNotReached",
         windowWith([](QWidget* f) {
             auto* box = new QLineEdit(f);
             f->layout()->addWidget(box);
             box->hide();
         }),
         {}},
        {"FocusablePanel", windowWith([](QWidget* f) {
             auto* panel = new QWidget(f);
             panel->setFocusPolicy(Qt::StrongFocus);
             panel->setAccessibleName(u"Khung"_s);
             f->layout()->addWidget(panel);
         }),
         u"of a plain panel"_s},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QWidget> window(c.make());
        const QStringList problems = test::accessibilityProblems(window.get());
        if (c.problem.isEmpty()) {
            EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
        } else {
            ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
            EXPECT_TRUE(problems.first().contains(c.problem)) << problems.first().toStdString();
        }
    }
}

// Records whether it was unloaded.
class CountingForm : public ui::FormBase
{
public:
    using ui::FormBase::FormBase;
    int unloads = 0;

protected:
    ui::UnloadResult Form_Unload() override
    {
        ++unloads;
        return ui::UnloadResult::Unload;
    }
};

TEST(FormKind, EscClosesADialogThroughUnloadAndLeavesAWindowOpen)
{
    for (const bool isDialog : {true, false}) {
        SCOPED_TRACE(isDialog ? "dialog" : "window");
        CountingForm form(nullptr, isDialog ? ui::kFixedDialog : Qt::Window);
        auto* box = new QLineEdit(&form);
        form.showModeless();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(form.isVisible(), !isDialog);
        EXPECT_EQ(form.unloads, isDialog ? 1 : 0);
        if (isDialog) {
            EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
        }
        form.unload();
    }
}

} // namespace
