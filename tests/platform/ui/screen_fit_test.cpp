// A window is placed on its screen whole, its title bar included.
#include "platform/ui/form_base.h"
#include "platform/ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ScreenFit, PlacedWithinMovesAWindowAsLittleAsNeeded)
{
    const QRect screen(0, 0, 1366, 768);
    const struct
    {
        const char* name;
        QRect frame;
        QPoint expected;
    } cases[] = {
        {"Inside", {100, 50, 900, 600}, {100, 50}},         {"TitleBarAbove", {20, -40, 1000, 700}, {20, 0}},
        {"BelowTheBottom", {20, 200, 1000, 700}, {20, 68}}, {"PastTheRight", {900, 10, 1000, 700}, {366, 10}},
        {"LeftOfTheScreen", {-50, 10, 300, 200}, {0, 10}},  {"TallerThanTheScreen", {10, 10, 400, 900}, {10, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::placedWithin(c.frame, screen).topLeft(), c.expected) << c.name;
}

TEST(ScreenFit, AFormShownOffTheScreenComesOnIt)
{
    ui::FormBase form;
    form.setWindowTitle(u"Thử"_s);
    form.resize(300, 200);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint at : {QPoint(area.left() - 120, area.top() - 80), QPoint(area.right() + 500, area.bottom())}) {
        form.move(at);
        form.show();
        EXPECT_TRUE(area.contains(form.frameGeometry())) << at.x() << "," << at.y();
        form.hide();
    }
}

} // namespace
