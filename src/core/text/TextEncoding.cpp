#include "core/text/TextEncoding.h"

#include "core/text/CharsetDeclaration.h"
#include "core/text/Utf8.h"

#include <QString>

namespace qw {

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return scanUtf8(bytes.sliced(kUtf8Bom.size())).valid ? TextEncoding::Utf8Bom
                                                             : TextEncoding::Windows1250;
    const Utf8Scan scan = scanUtf8(bytes);
    if (scan.valid && scan.hasMultiByte)
        return TextEncoding::Utf8;
    if (scan.valid) {
        // Plain ASCII: Latin-1 gives the very characters.
        const QByteArrayView head = bytes.first(std::min(bytes.size(), kCharsetSearchLength));
        if (declaredEncoding(QString::fromLatin1(head)) == TextEncoding::Utf8)
            return TextEncoding::Utf8;
    }
    return TextEncoding::Windows1250;
}

} // namespace qw
