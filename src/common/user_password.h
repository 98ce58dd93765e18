#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// Users' passwords (the column matkhau of nguoidung) are kept as salted, slow verifiers in the
// self-describing text
//     pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>
// where hash = PBKDF2-HMAC-SHA256(password, salt, iterations, 32 bytes). Passwords compare
// without regard to letter case, as they always have: the password is case-folded before it is
// derived, so "MatKhau" and "matkhau" give the same verifier.
//
// Rows written before verifiers existed (old reference files, imported lists) still hold the
// password as typed; passwordMatches() accepts them the old way, and the login replaces them with
// a verifier after the first successful login.

// The number of PBKDF2 iterations of a new verifier.
inline constexpr int kPasswordIterations = 60000;

// A new verifier of password with a fresh 16-byte random salt. iterations < 1 means
// kPasswordIterations.
QString makePasswordVerifier(const QString& password, int iterations = 0);

// True when stored is a well-formed verifier text (the prefix, a positive iteration count, a
// non-empty salt and a 32-byte hash); false for a clear password, an empty text, or a damaged one.
bool isPasswordVerifier(const QString& stored);

// True when typed is the password that stored keeps:
// - a verifier: typed, case-folded, derives the same hash (compared in constant time);
// - anything else that is not blank: the old clear-text row, compared without regard to letter case;
// - a blank stored text matches nothing here (whether a user without a password gets in is the
//   login's rule, not this function's).
// A text that begins like a verifier but is damaged matches nothing.
bool passwordMatches(const QString& stored, const QString& typed);

// PBKDF2-HMAC-SHA256 (RFC 8018) of password with salt, iterations rounds, length bytes of key.
QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length);

} // namespace common
