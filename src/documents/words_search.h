#pragma once

// Finding letters by the words of their attached documents: the words index (fulltext_index.h)
// gives the documents holding the words, the attachments table of the letters file the letters
// those documents are attached to.

#include "platform/db/database.h"

#include <QList>
#include <QString>

namespace documents {

// The ids of the letters of yearTable in letters with an attached document holding every word of
// words, ascending. None when the index beside the letters file was never made.
QList<long long> lettersWithWords(db::Database& letters, const QString& yearTable, const QString& words);

// A condition for a search statement on yearTable selecting those letters: "[id] IN (3,17)", or
// "1=0" when there is none. Joins the other criteria of a search with " and ".
QString wordsCondition(db::Database& letters, const QString& yearTable, const QString& words);

// A passage of a document of letter letterId holding the words (the first such document, words
// between « and »), "" when none holds them.
QString letterExcerpt(db::Database& letters, const QString& yearTable, long long letterId, const QString& words);

} // namespace documents
