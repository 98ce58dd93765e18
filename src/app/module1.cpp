#include "module1.h"

namespace app {
namespace {
Module1* g_module1 = new Module1; // lives for the whole program
} // namespace

void Module1::setYearTables()
{
    bangkehoach = QStringLiteral("kehoach") + namlamviec;
    banglich = QStringLiteral("lich") + namlamviec;
    bangcvden = QStringLiteral("cvden") + namlamviec;
    bangcvdi = QStringLiteral("cvdi") + namlamviec;
}

db::Database& Module1::database(DataFile file)
{
    switch (file) {
    case DataFile::Letters:
        return dbcongvan;
    case DataFile::Schedule:
        return dblich;
    case DataFile::Reference:
        return dbthamkhao;
    case DataFile::LettersReference:
        return dbthamkhaocv;
    case DataFile::ScheduleReference:
        return dbthamkhaolich;
    case DataFile::Scratch:
        return dbtemp;
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
        return filecongvan;
    case DataFile::Schedule:
        return filelich;
    case DataFile::Reference:
        return filethamkhao;
    case DataFile::LettersReference:
        return filethamkhaocv;
    case DataFile::ScheduleReference:
        return filethamkhaolich;
    case DataFile::Scratch:
        return filetemp;
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
