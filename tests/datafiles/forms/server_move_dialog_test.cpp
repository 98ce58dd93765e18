// The menu command that moves a folder's data to a server: refused input changes nothing; a move
// lists its tables, leaves the folder's setting naming the server and this run read-only.
#include "../data_files_fixture.h"

#include "accessibility_check.h"
#include "app/core/server_setting.h"
#include "datafiles/forms/server_move_dialog.h"
#include "pg_server_fixture.h"
#include "scripted_responder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using testing_support::DataFilesTest;

class ServerMoveDialogTest : public DataFilesTest
{
protected:
    void TearDown() override
    {
        app::resetModule1(); // the program's connections go before a test database
        database.reset();
        DataFilesTest::TearDown();
    }

    std::unique_ptr<pg_test::ScratchDatabase> database;
};

TEST_F(ServerMoveDialogTest, RefusedInputChangesNothingAndAMoveLeavesTheRunReadOnly)
{
    int refreshed = 0;
    datafiles::ServerMoveDialog form([&refreshed] { ++refreshed; });
    form.showModeless();
    EXPECT_TRUE(test::isAccessible(&form));
    auto* server = form.control<QLineEdit>(u"txtmaychu"_s);
    auto* move = form.control<QPushButton>(u"cmdchuyen"_s);
    EXPECT_EQ(form.control<QLabel>(u"lbltieude"_s)->text(), u"Chuyển dữ liệu lên máy chủ"_s);

    const QStringList refused[] = {
        {u"  "_s, u"Cần gõ tên máy chủ dữ liệu (chuỗi kết nối hoặc service=tên)!"_s},
        {u"host=maychu password=bimat"_s,
         u"Không chuyển được dữ liệu lên máy chủ: Không ghi mật khẩu vào thiết lập của chương trình: mật khẩu để "
         "trong tệp .pgpass của người dùng (hoặc biến PGPASSWORD)."_s},
    };
    for (const QStringList& c : refused) {
        messenger.shown.clear();
        server->setText(c[0]);
        move->click();
        EXPECT_EQ(messages().value(messages().size() - 1), c[1]);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(server->text(), c[0]) << "typed text stays";
        EXPECT_FALSE(app::readServerSetting(programFolder()));
        EXPECT_FALSE(app::module1().readOnly);
    }
    EXPECT_EQ(refreshed, 0);

    if (qEnvironmentVariable("SELVARO_PG_TEST").isEmpty())
        GTEST_SKIP() << "no PostgreSQL test server: SELVARO_PG_TEST is not set (scripts/test.sh starts one)";
    database = std::make_unique<pg_test::ScratchDatabase>(u"selvaro_move_"_s);
    messenger.shown.clear();
    messenger.answers = {u"yes"_s};
    server->setText(database->connection());
    move->click();
    ASSERT_EQ(app::readServerSetting(programFolder()), database->connection()) << messages().join(u'|').toStdString();
    const auto* lines = form.control<QListWidget>(u"lstketqua"_s);
    EXPECT_TRUE(lines->findItems(u"vemocv.cvden2009"_s, Qt::MatchContains).size() == 1);
    EXPECT_TRUE(app::module1().readOnly);
    EXPECT_EQ(refreshed, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages().last().startsWith(u"Đã chép dữ liệu lên máy chủ "_s));
}

} // namespace
