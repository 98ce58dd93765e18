#include "template_file.h"

#include <QFile>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace test {

QString templatePath()
{
    return QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb");
}

db::Database copyTemplate(const QString& path)
{
    if (!QFile::copy(templatePath(), path))
        throw std::runtime_error("cannot copy the template file " + templatePath().toStdString() + " to " +
                                 path.toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return db::Database::open(path, u";pwd=vorkelmadu"_s);
}

} // namespace test
