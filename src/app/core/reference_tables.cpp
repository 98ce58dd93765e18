#include "reference_tables.h"

#include "module1.h"

#include <stdexcept>

namespace app {

QStringList referenceTables()
{
    return {QStringLiteral("donvi"),  QStringLiteral("bophan"),   QStringLiteral("nguoidung"), QStringLiteral("noigui"),
            QStringLiteral("loaicv"), QStringLiteral("tendonvi"), QStringLiteral("chutat")};
}

ReferenceFile referenceFileOf(const QString& table)
{
    const QString t = table.toLower();
    if (t == QLatin1String("chutat"))
        return ReferenceFile::Local;
    if (t == QLatin1String("noigui") || t == QLatin1String("loaicv") || t == QLatin1String("tendonvi"))
        return ReferenceFile::Letters;
    if (t == QLatin1String("donvi") || t == QLatin1String("bophan") || t == QLatin1String("nguoidung"))
        return ReferenceFile::Schedule;
    throw std::invalid_argument("not a reference table: " + table.toStdString());
}

QString referenceFilePath(const Module1& m, const QString& table)
{
    switch (referenceFileOf(table)) {
    case ReferenceFile::Local:
        return m.referencePath;
    case ReferenceFile::Letters:
        return m.lettersReferencePath;
    case ReferenceFile::Schedule:
        break;
    }
    return m.scheduleReferencePath;
}

db::Database referenceDatabase(const Module1& m, const QString& table)
{
    switch (referenceFileOf(table)) {
    case ReferenceFile::Local:
        return m.reference;
    case ReferenceFile::Letters:
        return m.lettersReference;
    case ReferenceFile::Schedule:
        break;
    }
    return m.scheduleReference;
}

} // namespace app
