#include "platform/remote/QrCode.h"

#include <qrencode.h>

QrCode QrCode::encode(const QByteArray& text)
{
    QrCode code;
    // Medium error correction: a screen seen at an angle, or a smudge on a projector, still reads.
    QRcode* encoded = QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M);
    if (!encoded)
        return code;
    code.size = encoded->width;
    code.dark.resize(static_cast<size_t>(code.size) * static_cast<size_t>(code.size));
    for (size_t i = 0; i < code.dark.size(); ++i)
        code.dark[i] = (encoded->data[i] & 1) != 0;
    QRcode_free(encoded);
    return code;
}
