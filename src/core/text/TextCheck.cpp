#include "core/text/TextCheck.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace qw {

namespace {
// The C0 controls a text file may hold: BEL, BS, HT, LF, VT, FF, CR, ESC.
constexpr std::array<bool, 128> textBytes()
{
    std::array<bool, 128> table{};
    for (int c = 0x20; c < 0x7F; ++c)
        table[c] = true;
    for (int c : {0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x1B})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 128> kTextBytes = textBytes();
} // namespace

bool looksLikeText(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), kTextCheckBytes));
    for (const char ch : head) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80 && !kTextBytes[c])
            return false;
    }
    return true;
}

bool fileLooksLikeText(const QString& path)
{
    // A pipe or a device would block the read.
    if (!QFileInfo(path).isFile())
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return looksLikeText(file.read(kTextCheckBytes));
}

} // namespace qw
