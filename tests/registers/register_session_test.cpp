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
    // the visit's start, the form finished, the form shown next
    for (const auto& [start, finished, next] : {std::tuple{Start::List, FormRole::List, FormRole::MainWindow},
                                                {Start::Search, FormRole::List, FormRole::Search},
                                                {Start::Entry, FormRole::List, FormRole::Entry},
                                                {Start::Search, FormRole::Search, FormRole::MainWindow},
                                                {Start::Entry, FormRole::Search, FormRole::Entry},
                                                {Start::Week, FormRole::Week, FormRole::MainWindow},
                                                {Start::Entry, FormRole::Week, FormRole::Entry},
                                                {Start::Entry, FormRole::Entry, FormRole::MainWindow}}) {
        SCOPED_TRACE(static_cast<int>(start) * 10 + static_cast<int>(finished));
        EXPECT_EQ(registers::nextAfter(start, finished), next);
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
