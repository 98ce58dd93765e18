#include "words_search.h"

#include "documents_log.h"
#include "fulltext_index.h"

#include "datafiles/attachments.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <optional>

namespace documents {
namespace {

std::optional<FullTextIndex> openIndex(db::Database& letters)
{
    const QString path = FullTextIndex::pathBeside(letters.path());
    if (!QFileInfo::exists(path) || !letters.hasTable(datafiles::kAttachmentsTable))
        return std::nullopt;
    return std::make_optional<FullTextIndex>(path, true);
}

} // namespace

QList<long long> lettersWithWords(db::Database& letters, const QString& yearTable, const QString& words)
{
    QList<long long> ids;
    std::optional<FullTextIndex> index = openIndex(letters);
    if (!index)
        return ids;
    const DocumentHits hits = index->search(words);
    if (hits.isEmpty())
        return ids;
    QSet<long long> found;
    db::Recordset rs = letters.openRecordset(QStringLiteral("select idcv, bam from ") + datafiles::kAttachmentsTable +
                                                 QStringLiteral(" where bang = ") + db::quoteLiteral(yearTable),
                                             db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext()) {
        if (hits.holds(rs.value(1).toString()))
            found.insert(rs.value(0).toLongLong());
    }
    ids = QList<long long>(found.begin(), found.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString wordsCondition(db::Database& letters, const QString& yearTable, const QString& words)
{
    const QList<long long> ids = lettersWithWords(letters, yearTable, words);
    if (ids.isEmpty())
        return QStringLiteral("1=0");
    QStringList numbers;
    numbers.reserve(ids.size());
    for (long long id : ids)
        numbers << QString::number(id);
    return QStringLiteral("[id] IN (") + numbers.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString letterExcerpt(db::Database& letters, const QString& yearTable, long long letterId, const QString& words)
{
    std::optional<FullTextIndex> index = openIndex(letters);
    if (!index)
        return QString();
    const QList<datafiles::Attachment> files = datafiles::attachmentsOf(letters, yearTable, letterId);
    for (const datafiles::Attachment& a : files) {
        const QString passage = index->excerpt(a.hash, words);
        if (!passage.isEmpty())
            return passage;
    }
    return QString();
}

} // namespace documents
