#include "user_password.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace common {
namespace {

const QString kPrefix = QStringLiteral("pbkdf2-sha256");
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
// An iteration count above this is a damaged text, not a verifier this program wrote.
constexpr qint64 kMostIterations = 10000000;

QByteArray folded(const QString& password)
{
    return password.toCaseFolded().toUtf8();
}

struct Parts
{
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;
};

bool split(const QString& stored, Parts& parts)
{
    const QStringList items = stored.split(QLatin1Char('$'));
    if (items.size() != 4 || items.at(0) != kPrefix)
        return false;
    bool ok = false;
    const qint64 iterations = items.at(1).toLongLong(&ok);
    if (!ok || iterations < 1 || iterations > kMostIterations)
        return false;
    const auto salt = QByteArray::fromBase64Encoding(items.at(2).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto hash = QByteArray::fromBase64Encoding(items.at(3).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !hash || salt.decoded.isEmpty() || hash.decoded.size() != kHashBytes)
        return false;
    parts.iterations = static_cast<int>(iterations);
    parts.salt = salt.decoded;
    parts.hash = hash.decoded;
    return true;
}

bool equalInConstantTime(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

} // namespace

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length)
{
    QByteArray key;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    for (quint32 block = 1; key.size() < length; ++block) {
        QByteArray blockIndex(4, '\0');
        blockIndex[0] = static_cast<char>(block >> 24);
        blockIndex[1] = static_cast<char>(block >> 16);
        blockIndex[2] = static_cast<char>(block >> 8);
        blockIndex[3] = static_cast<char>(block);
        mac.reset();
        mac.addData(salt);
        mac.addData(blockIndex);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = static_cast<char>(t.at(j) ^ u.at(j));
        }
        key += t;
    }
    return key.left(length);
}

QString makePasswordVerifier(const QString& password, int iterations)
{
    if (iterations < 1)
        iterations = kPasswordIterations;
    QByteArray salt(kSaltBytes, '\0');
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    const QByteArray hash = pbkdf2Sha256(folded(password), salt, iterations, kHashBytes);
    return kPrefix + QLatin1Char('$') + QString::number(iterations) + QLatin1Char('$') +
           QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') + QString::fromLatin1(hash.toBase64());
}

bool isPasswordVerifier(const QString& stored)
{
    Parts parts;
    return split(stored, parts);
}

bool passwordMatches(const QString& stored, const QString& typed)
{
    if (stored.trimmed().isEmpty())
        return false;
    if (stored.startsWith(kPrefix + QLatin1Char('$'))) {
        Parts parts;
        if (!split(stored, parts))
            return false;
        return equalInConstantTime(pbkdf2Sha256(folded(typed), parts.salt, parts.iterations, kHashBytes), parts.hash);
    }
    return stored.compare(typed, Qt::CaseInsensitive) == 0;
}

} // namespace common
