#include "legacy_source_fixture.h"

#include "../support/accessibility_check.h"
#include "../support/scripted_responder.h"
#include "app/gui/frmtbao.h"
#include "datafiles/legacy_import.h"
#include "platform/ui/progress_window.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

using namespace legacy_fixture;

// With SELVARO_SHOTS_DIR set, windows are saved there as PNG pictures to be looked at.
void keepPicture(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("SELVARO_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window.grab().save(QDir(folder).filePath(name));
}

// The window shows the step and cancels by its button or by Esc; a cancel during an import leaves the
// table and the summary says so.
TEST(ProgressWindow, ShowsTheStepAndACancelDuringAnImportLeavesTheTable)
{
    QTemporaryDir dir;
    db::Database target = test::copyTemplate(dir.filePath(u"vemocv.mdb"_s));
    FakeSource source;
    addIncomingYear(source, "cvden2006", 40);
    addIncomingYear(source, "cvden2007", 1500);
    addIncomingYear(source, "cvdi2007", 1);
    source.tables["cvdi2007"].columns[2].name = u"ng_nhan"_s;

    ui::ProgressWindow window(u"Nhập dữ liệu cũ"_s);
    EXPECT_TRUE(window.step(u"Đang nhập bảng cvden2007 (1/2)"_s, 600, 1500));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.lblbuoc->text(), u"Đang nhập bảng cvden2007 (1/2)"_s);
    EXPECT_EQ(window.bar->value(), 600);
    EXPECT_EQ(window.bar->maximum(), 1500);
    EXPECT_TRUE(test::isAccessible(&window));
    bool pictured = false;
    const auto progress = [&](const QString& step, int done, int total) {
        if (done >= 800 && !pictured) {
            keepPicture(window, u"progress.png"_s);
            pictured = true;
            window.cmdHuy->click(); // the user cancels by the button
        }
        return window.step(step, done, total);
    };
    datafiles::LegacyImportSummary summary = datafiles::importLegacySource(
        source, "cv", target, [](const QString&) { return false; }, progress);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_TRUE(target.hasTable("cvden2006"));
    EXPECT_FALSE(target.hasTable("cvden2007"));
    EXPECT_FALSE(target.hasTable("cvdi2007")) << "the import stops at the cancelled table";

    // A whole import, and its summary in the message dialog.
    ui::ProgressWindow again(u"Nhập dữ liệu cũ"_s);
    summary = datafiles::importLegacySource(
        source, "cv", target, [](const QString&) { return false; },
        [&](const QString& step, int done, int total) { return again.step(step, done, total); });
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(summary.tablesWritten(), 2);
    QTest::keyClick(again.cmdHuy, Qt::Key_Escape);
    EXPECT_FALSE(again.step(u"Đang nhập bảng cvden2007 (1/2)"_s, 800, 1500));
    EXPECT_FALSE(again.step(u"Đang nhập bảng cvdi2007 (2/2)"_s, 0, 0)) << "cancelled stays cancelled";
    test::ScriptedResponder responder;
    app::MessageDialog dialog;
    QString shown;
    ui::FormBase::setModalHandler([&](ui::FormBase& form) {
        auto& d = static_cast<app::MessageDialog&>(form);
        shown = d.Label1->text();
        EXPECT_TRUE(test::isAccessible(&d));
        keepPicture(d, u"summary.png"_s);
        d.cmdok->click();
    });
    dialog.show(summary.message("cv"), u"ok"_s);
    ui::FormBase::setModalHandler({});
    EXPECT_TRUE(shown.contains(u"cvden2006: giữ nguyên, không nhập lại."_s)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"ng_nhan"_s));
    EXPECT_TRUE(shown.contains(u"Tổng cộng: 2 bảng, 1501 dòng"_s));
}

} // namespace
