#include "data_folder_fixture.h"

#include "app/core/last_error.h"
#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "app/core/table_copy.h"
#include "app/core/template_restore.h"
#include "platform/db/db_error.h"

#include <functional>

namespace {

// With no message dialog installed (a command-line tool, a procedure run before the program's
// window exists), nobody can answer: a question is answered "no", never "yes" for the user.
TEST(FallbackMessenger, AnswersNoToQuestionsAndOkToMessages)
{
    app::Messenger* previous = app::setMessenger(nullptr);
    EXPECT_FALSE(app::ask(u"Có muốn xoá không ?"_s));
    EXPECT_EQ(app::showMessage(u"Đã ghi."_s, u"OK"_s), u"ok"_s);
    app::setMessenger(previous);
    app::resetModule1();
}

// Everything written to the log while it lives, as "category|message".
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            s_lines << QString::fromUtf8(context.category) + QLatin1Char('|') + text;
        });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    static QStringList lines() { return s_lines; }

private:
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

using DroppedErrors = testing_support::DataFolderTest;

// Procedures that turn a failure into a result keep the error: in the log of the application layer
// and as the last run-time error the message dialog shows with Ctrl+End.
TEST_F(DroppedErrors, AreLoggedAndKeptAsTheLastRunTimeError)
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
        LogCapture log;
        EXPECT_FALSE(c.run());
        EXPECT_EQ(app::lastError().number, c.number);
        EXPECT_FALSE(app::lastError().description.isEmpty());
        ASSERT_EQ(LogCapture::lines().size(), 1) << LogCapture::lines().join(u'\n').toStdString();
        EXPECT_TRUE(LogCapture::lines().first().startsWith(u"selvaro.app|error "_s + QString::number(c.number)))
            << LogCapture::lines().first().toStdString();
    }
}

} // namespace
