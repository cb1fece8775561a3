#include "account/PkcePair.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <array>

namespace nivora {

namespace {

QString base64Url(const QByteArray& bytes)
{
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

PkcePair PkcePair::generate()
{
    std::array<quint32, 8> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()), qsizetype(sizeof(words)));
    PkcePair pair;
    pair.verifier = base64Url(bytes);
    pair.challenge = challengeFor(pair.verifier);
    return pair;
}

QString PkcePair::challengeFor(const QString& verifier)
{
    return base64Url(QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256));
}

} // namespace nivora
