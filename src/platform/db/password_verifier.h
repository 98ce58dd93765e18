#pragma once

#include <QByteArray>
#include <QString>

// The password of a data file. The file keeps a random salt and SHA-256(salt + UTF-8 password)
// in the layer's table msys_info; the password itself is never stored. The verifier is a gate
// for the program (as the old engine's database password was), not encryption: the rows of a
// file stay readable by any SQLite tool.
namespace db {

struct PasswordVerifier
{
    QByteArray salt;     // 16 random bytes
    QByteArray verifier; // SHA-256 of salt + password

    // A new verifier with a fresh salt.
    static PasswordVerifier make(const QString& password);
    // True when password gives the same verifier (compared in constant time). Passwords are
    // compared exactly: letter case and blanks count.
    bool matches(const QString& password) const;
};

} // namespace db
