#include "register_opener.h"

#include "app/core/module1.h"

namespace registers {
namespace {

// The data file a register keeps its year tables in, and its working year's table.
app::DataFile dataFileOf(Register which)
{
    return which == Register::Incoming || which == Register::Outgoing ? app::DataFile::Letters
                                                                      : app::DataFile::Schedule;
}

QString app::Module1::*yearTableOf(Register which)
{
    switch (which) {
    case Register::Incoming:
        return &app::Module1::incomingTable;
    case Register::Outgoing:
        return &app::Module1::outgoingTable;
    case Register::Plans:
        return &app::Module1::plansTable;
    case Register::Schedule:
        break;
    }
    return &app::Module1::scheduleTable;
}

} // namespace

ProgramContext contextFromProgram()
{
    const app::Module1& m = app::module1();
    ProgramContext c;
    c.userFullName = m.userFullName;
    c.userRights = m.userRights;
    c.workingYear = m.workingYear;
    c.readOnly = m.readOnly;
    c.programFolder = m.programFolder;
    c.scratch = m.scratch;
    c.lettersReference = m.lettersReference;
    c.scheduleReference = m.scheduleReference;
    c.abbreviations = m.abbreviations;
    c.units = m.units;
    c.correspondents = m.correspondents;
    c.letterTypes = m.letterTypes;
    return c;
}

SessionPtr programSession(Register which, Start start, const QString& yearTable)
{
    app::Module1& m = app::module1();
    return std::make_shared<RegisterSession>(which, start, m.database(dataFileOf(which)),
                                             yearTable.isEmpty() ? m.*yearTableOf(which) : yearTable,
                                             contextFromProgram());
}

SessionPtr openingSession(Register which, Start start, const app::FormRequest& request,
                          QString app::Module1::*yearTable)
{
    return std::make_shared<RegisterSession>(which, start, request.database(), app::module1().*yearTable,
                                             contextFromProgram());
}

} // namespace registers
