#include "core/text/TextEncoding.h"

#include "core/text/Utf8.h"

namespace qw {

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return scanUtf8(bytes.sliced(kUtf8Bom.size())).valid ? TextEncoding::Utf8Bom
                                                             : TextEncoding::Windows1250;
    const Utf8Scan scan = scanUtf8(bytes);
    return scan.valid && scan.hasMultiByte ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

} // namespace qw
