// Qt's own dialogs speak Vietnamese once the program has started.
#include "startup_fixture.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(QtTranslation, QtDialogsSpeakVietnameseAfterStartUp)
{
    ProgramFolder home;
    FakeStartupWindow window;
    ASSERT_EQ(home.start(window), app::StartupOutcome::Ready) << home.messageText();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Mở"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Huỷ bỏ"));
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Next page"), QStringLiteral("Trang sau"));
    // Qt's file dialog as the data-file commands show it.
    QFileDialog dialog(nullptr, QString(), home.dataDir());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QStringLiteral("Tìm trong:"));
}

} // namespace
