#include "user_password.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringList>

namespace common {
namespace {

// Constant-initialised: verifiers may be made while other files' statics are still being set up.
constexpr QLatin1String kPrefix("pbkdf2-sha256");
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

// HMAC-SHA256 (RFC 2104) with the padded keys made once, since PBKDF2 runs it many times.
class HmacSha256
{
public:
    explicit HmacSha256(QByteArray key)
    {
        if (key.size() > kBlock)
            key = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
        key.resize(kBlock, '\0');
        m_inner = key;
        m_outer = key;
        for (int i = 0; i < kBlock; ++i) {
            m_inner[i] = static_cast<char>(key.at(i) ^ 0x36);
            m_outer[i] = static_cast<char>(key.at(i) ^ 0x5c);
        }
    }
    QByteArray mac(QByteArrayView first, QByteArrayView second = {})
    {
        m_hash.reset();
        m_hash.addData(m_inner);
        m_hash.addData(first);
        m_hash.addData(second);
        const QByteArray inner = m_hash.result();
        m_hash.reset();
        m_hash.addData(m_outer);
        m_hash.addData(inner);
        return m_hash.result();
    }

private:
    static constexpr int kBlock = 64;
    QByteArray m_inner;
    QByteArray m_outer;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

} // namespace

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length)
{
    QByteArray key;
    HmacSha256 hmac(password);
    for (quint32 block = 1; key.size() < length; ++block) {
        const char index[4] = {static_cast<char>(block >> 24), static_cast<char>(block >> 16),
                               static_cast<char>(block >> 8), static_cast<char>(block)};
        QByteArray u = hmac.mac(salt, QByteArrayView(index, 4));
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            u = hmac.mac(u);
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
