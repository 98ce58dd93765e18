#include "module1.h"

namespace app {
namespace {
Module1* g_module1 = new Module1; // lives for the whole program
} // namespace

db::Database& Module1::database(DataFile file)
{
    switch (file) {
    case DataFile::Letters:
        return letters;
    case DataFile::Schedule:
        return schedule;
    case DataFile::Reference:
        return reference;
    case DataFile::LettersReference:
        return lettersReference;
    case DataFile::ScheduleReference:
        return scheduleReference;
    case DataFile::Scratch:
        return scratch;
    case DataFile::None:
        break;
    }
    static db::Database none;
    none = db::Database();
    return none;
}

QString Module1::path(DataFile file) const
{
    switch (file) {
    case DataFile::Letters:
        return lettersPath;
    case DataFile::Schedule:
        return schedulePath;
    case DataFile::Reference:
        return referencePath;
    case DataFile::LettersReference:
        return lettersReferencePath;
    case DataFile::ScheduleReference:
        return scheduleReferencePath;
    case DataFile::Scratch:
        return scratchPath;
    case DataFile::None:
        break;
    }
    return QString();
}

Module1& module1()
{
    return *g_module1;
}

void resetModule1()
{
    *g_module1 = Module1{};
}

} // namespace app
