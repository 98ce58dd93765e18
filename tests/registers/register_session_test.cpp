#include "registers/form_registry.h"
#include "registers/register_session.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using registers::FormRole;
using registers::Start;

// Where each form goes back to, for each button a visit can begin with.
TEST(RegisterSessionTest, TheButtonAVisitBeganWithDecidesWhereEachFormGoesBack)
{
    struct Case
    {
        Start start;
        FormRole finished, next;
    };
    for (const Case& c :
         {Case{Start::List, FormRole::List, FormRole::MainWindow},
          Case{Start::Search, FormRole::List, FormRole::Search}, Case{Start::Entry, FormRole::List, FormRole::Entry},
          Case{Start::Search, FormRole::Search, FormRole::MainWindow},
          Case{Start::Entry, FormRole::Search, FormRole::Entry},
          Case{Start::Week, FormRole::Week, FormRole::MainWindow}, Case{Start::Entry, FormRole::Week, FormRole::Entry},
          Case{Start::Entry, FormRole::Entry, FormRole::MainWindow}}) {
        SCOPED_TRACE(static_cast<int>(c.start) * 10 + static_cast<int>(c.finished));
        EXPECT_EQ(registers::nextAfter(c.start, c.finished), c.next);
    }
}

// The next form comes back on the visit's current record; one that has gone leaves the main window.
TEST(RegisterSessionTest, NextFormComesBackOnTheCurrentRecordOrTheMainWindowShows)
{
    registers::RegisterSession s(registers::Register::Plans, Start::Entry, db::Database(), u"kehoach2026"_s,
                                 registers::ProgramContext());
    long long cameBackOn = -1;
    auto entry = std::make_unique<QObject>();
    s.setReturn(FormRole::Entry, entry.get(), [&](long long id) { cameBackOn = id; });
    s.setCurrentId(42);
    s.finished(FormRole::List);
    EXPECT_EQ(cameBackOn, 42);

    QWidget main;
    registers::setMainWindow(&main);
    entry.reset();
    cameBackOn = -1;
    s.finished(FormRole::Search);
    EXPECT_EQ(cameBackOn, -1);
    EXPECT_TRUE(main.isVisible());
    registers::setMainWindow(nullptr);
}

} // namespace
