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
    f->setWindowTitle(QStringLiteral("Thử"));
    auto* layout = new QVBoxLayout(f);
    layout->addWidget(new QPushButton(QStringLiteral("&Ghi đĩa"), f));
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
             w->setWindowTitle(QStringLiteral("Thử"));
             return w;
         },
         QStringLiteral("expected Window")},
        {"WindowWithoutTitle",
         [] {
             QWidget* w = form(Qt::Window);
             w->setWindowTitle(QString());
             return w;
         },
         QStringLiteral("without a name")},
        {"BoxWithoutLabel", windowWith([](QWidget* f) { f->layout()->addWidget(new QLineEdit(f)); }),
         QStringLiteral("has no name")},
        {"BoxNamedByItsLabel",
         windowWith([](QWidget* f) {
             auto* box = new QLineEdit(QStringLiteral("Số đến"), f);
             auto* label = new QLabel(QStringLiteral("Số đến"), f);
             label->setBuddy(box);
             f->layout()->addWidget(label);
             f->layout()->addWidget(box);
         }),
         {}},
        {"ListWhoseOnlyTextIsItsValue", windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItems({QStringLiteral("2009"), QStringLiteral("2008")});
             f->layout()->addWidget(list);
         }),
         QStringLiteral("has no name")},
        {"ListWithAccessibleName",
         windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItem(QStringLiteral("2009"));
             list->setAccessibleName(QStringLiteral("Năm"));
             f->layout()->addWidget(list);
         }),
         {}},
        {"ListNamedByItsLabelAfterAPick",
         windowWith([](QWidget* f) {
             auto* list = new QComboBox(f);
             list->addItems({QStringLiteral("Phòng Hành chính"), QStringLiteral("Phòng Tài vụ")});
             list->setCurrentIndex(1);
             auto* label = new QLabel(QStringLiteral("Chọn phòng, bộ phận"), f);
             label->setBuddy(list);
             f->layout()->addWidget(label);
             f->layout()->addWidget(list);
         }),
         {}},
        {"LabelAnnouncedByAFixedName", windowWith([](QWidget* f) {
             auto* status = new QLabel(QStringLiteral("Xem công văn đến"), f);
             status->setAccessibleName(QStringLiteral("Trạng thái"));
             f->layout()->addWidget(status);
         }),
         QStringLiteral("announced as \"Trạng thái\"")},
        {"LabelWhoseTextChanged",
         windowWith([](QWidget* f) {
             auto* status = new QLabel(QStringLiteral("Xem công văn đến"), f);
             status->setAccessibleDescription(QStringLiteral("Trạng thái"));
             f->layout()->addWidget(status);
             status->setText(QStringLiteral("Nạp công văn đến"));
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
             panel->setAccessibleName(QStringLiteral("Khung"));
             f->layout()->addWidget(panel);
         }),
         QStringLiteral("of a plain panel")},
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
    CountingForm dialog(nullptr, ui::kFixedDialog);
    auto* inDialog = new QLineEdit(&dialog);
    dialog.showModeless();
    inDialog->setFocus();
    QTest::keyClick(inDialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);

    CountingForm window;
    auto* inWindow = new QLineEdit(&window);
    window.showModeless();
    inWindow->setFocus();
    QTest::keyClick(inWindow, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.unloads, 0);
    window.unload();
}

} // namespace
