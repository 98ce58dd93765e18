#include "data_folder_fixture.h"

#include "app/core/last_error.h"
#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "app/core/table_copy.h"
#include "app/core/template_restore.h"
#include "platform/db/db_error.h"

#include <functional>

namespace {

// What the log received while the procedure ran, as "category|message".
QStringList s_logged;

using DroppedErrors = testing_support::DataFolderTest;

// Procedures that turn a failure into a result keep the error: in the log of the application layer
// and as the last run-time error the message dialog shows with Ctrl+End. With no message dialog
// installed (a command-line tool, a procedure run before the program's window exists), nobody can
// answer: a question is answered "no", never "yes" for the user.
TEST_F(DroppedErrors, AreLoggedAndKeptAsTheLastRunTimeErrorAndNobodyAnswersYes)
{
    app::module1().templatePath = dataPath(u"vemogoc.mdb"_s);
    db::Database templ = openFile(app::module1().templatePath);
    const QString noFolder = dataPath(u"no/vemocv.MDB"_s);
    struct Case
    {
        const char* what;
        std::function<bool()> run;
        int number;
    };
    const Case cases[] = {
        {"a table copied from a table that is not there",
         [&] { return app::copyTableStructure(templ, templ, u"khongco"_s, u"moi"_s, false); }, db::errc::ItemNotFound},
        {"the template copied into a folder that does not exist",
         [&] { return app::restoreFromTemplate(app::module1().templatePath, noFolder); }, 75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app::clearLastError();
        s_logged.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
                s_logged << QString::fromUtf8(context.category) + QLatin1Char('|') + text;
            });
        const bool result = c.run();
        qInstallMessageHandler(previous);
        EXPECT_FALSE(result);
        EXPECT_EQ(app::lastError().number, c.number);
        EXPECT_FALSE(app::lastError().description.isEmpty());
        ASSERT_EQ(s_logged.size(), 1) << s_logged.join(u'\n').toStdString();
        EXPECT_TRUE(s_logged.first().startsWith(u"selvaro.app|error "_s + QString::number(c.number)))
            << s_logged.first().toStdString();
    }

    app::Messenger* previous = app::setMessenger(nullptr);
    EXPECT_FALSE(app::ask(u"Có muốn xoá không ?"_s));
    EXPECT_EQ(app::showMessage(u"Đã ghi."_s, u"OK"_s), u"ok"_s);
    app::setMessenger(previous);
}

} // namespace
