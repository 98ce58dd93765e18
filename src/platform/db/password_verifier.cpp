#include "password_verifier.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace db {

namespace {

QByteArray digest(const QByteArray& salt, const QString& password)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(password.toUtf8());
    return hash.result();
}

} // namespace

PasswordVerifier PasswordVerifier::make(const QString& password)
{
    PasswordVerifier v;
    v.salt.resize(16);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(v.salt.data()), 4);
    v.verifier = digest(v.salt, password);
    return v;
}

bool PasswordVerifier::matches(const QString& password) const
{
    const QByteArray candidate = digest(salt, password);
    if (candidate.size() != verifier.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < candidate.size(); ++i)
        difference |= static_cast<unsigned char>(candidate[i] ^ verifier[i]);
    return difference == 0;
}

} // namespace db
