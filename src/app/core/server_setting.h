#pragma once

#include <QString>
#include <optional>

namespace db {
class DbError;
}

namespace app {

// Whether a program folder runs on a database server: the file data/server.conf holds the line
//   connection=<libpq connection string or service=<name>>
// (the key in any letter case, blanks around "=" allowed; blank lines and lines beginning with #
// are ignored). Without the file, or without such a line,
// the folder runs on its own data files. A password never goes into the file: libpq finds it in
// the user's .pgpass (or PGPASSWORD).
QString serverSettingPath(const QString& programFolder);

// The connection the folder's setting names; nullopt when it runs on its own data files.
std::optional<QString> readServerSetting(const QString& programFolder);

// What is wrong with connection as a setting, in the program's words (none given, or a password
// in it); empty when it may be written.
QString settingRefusal(const QString& connection);

// Writes the setting (a temporary file renamed over the old one). Returns an empty text, or what
// is wrong in the program's words: a connection holding a password, or a file that cannot be
// written.
QString writeServerSetting(const QString& programFolder, const QString& connection);

// Removes the setting: the folder runs on its own data files again. False when it cannot.
bool removeServerSetting(const QString& programFolder);

// What start-up tells when the server named by connection cannot be used, in the program's words:
// the password refused, no server answering, a server too old, a data set it lacks.
QString serverFailureText(const db::DbError& error, const QString& connection);

// The connection as it may be shown: a password in it (a URI's or a "password=" item) hidden.
QString shownConnection(const QString& connection);

} // namespace app
