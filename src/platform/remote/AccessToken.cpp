#include "platform/remote/AccessToken.h"

#include <QRandomGenerator>
#include <array>

AccessToken AccessToken::generate()
{
    std::array<quint32, kBytes / sizeof(quint32)> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray raw(reinterpret_cast<const char*>(words.data()), kBytes);
    return AccessToken(raw.toHex());
}

bool AccessToken::matches(QByteArrayView candidate) const
{
    // The length of a token is no secret; its content is compared in full whatever it holds.
    if (text_.isEmpty() || candidate.size() != text_.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < text_.size(); ++i)
        difference |= static_cast<unsigned char>(text_[i] ^ candidate[i]);
    return difference == 0;
}
