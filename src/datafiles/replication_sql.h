#pragma once

#include <QString>
#include <QStringList>

// The statements backup replication runs, in the Jet dialect, as the letters file has always
// been mirrored. Paths inside them have their single quotes doubled.
namespace datafiles {

// What replication needs to know about one letters register.
struct LetterRegister
{
    QString queryName;   // stored query reaching the backup's table: "Qrbangcvden" / "Qrbangcvdi"
    QStringList columns; // columns copied, in order, without idcu
};

// What is mirrored of the incoming register (cvden tables) and of the outgoing register (cvdi
// tables).
const LetterRegister& incomingLetters();
const LetterRegister& outgoingLetters();

// A path as a Jet string literal's contents: single quotes doubled.
QString quotedPath(const QString& path);

// "select * from <table> in '<backup>'": the text of a stored query reaching the backup's table.
QString storedQueryText(const QString& table, const QString& backup);

// " INSERT INTO <T> IN '<backup>' Select <columns>,idcu from <T> where kieuupdate=1 order by id"
QString insertNewRowsSql(const QString& table, const QString& backup, const LetterRegister& reg);

// "update <T> set kieuupdate=0 where kieuupdate=1"
QString resetAddedFlagsSql(const QString& table);

// "update <T>, <Q> set <Q>.c=<T>.c, ... where <Q>.idcu=<T>.idcu  and <T>.kieuupdate=2 "
QString updateChangedRowsSql(const QString& table, const LetterRegister& reg);

// "update <T> set kieuupdate=0 where kieuupdate>0"
QString resetAllFlagsSql(const QString& table);

// "SELECT <T>.* INTO <T> IN '<backup>' FROM <T> ;"
QString copyWholeTableSql(const QString& table, const QString& backup);

// "CREATE INDEX idprimarykey ON <T>(id ASC) WITH  PRIMARY "
QString createPrimaryIndexSql(const QString& table);

// The text of a stored query as compared with the one wanted: every CR LF and double blank
// becomes one blank, lower-cased, trimmed, a final ";" dropped.
QString normalisedQueryText(const QString& text);

} // namespace datafiles
