#pragma once

#include <QString>

// The child of the kill test: a program that saves letters and replicates them into the backup
// file, the way the entry forms do, until it is killed. It works on the program folder's letters
// file (data/vemocv.MDB, year tables of year made by a start-up) with the backup file
// backup/vemocv.mdb, and writes one line to stdout, flushed, for every step:
//   "try add <table> <stt> <text>"  before a letter is saved,
//   "ack add <table> <stt> <text>"  once its save has committed,
//   "try edit <table> <stt> <text>" / "ack edit ..." the same for an edit of an earlier letter,
//   "rep <outcome>"                 after a replication (as datafiles::ReplicationOutcome),
//   "att try <table> <stt>"         before a file is attached to an odd-numbered letter,
//   "att ack <table> <stt> <hash>"  once its row has committed.
// dieAt "<text>#<n>" kills the process with SIGKILL just before the n-th statement containing
// text runs on the letters file (a deterministic kill point); "super-journal" just before SQLite
// deletes the super-journal of a commit over the letters and backup files, "super-journal-made"
// just after it creates one; "attach-copy" inside the copy of an attached file into the store;
// empty: run until killed.
// Returns the exit code after count letters.
int runKillChild(const QString& programFolder, const QString& year, int first, int count, const QString& dieAt);
