// The file readers and writers over any bytes. Reading, writing in the
// encoding found and reading again gives the same text and encoding for
// every break that reads back as one break; the codecs on their own give
// back every byte (Windows-1250) and every valid UTF-8 file exactly; any
// text written as UTF-8 is valid UTF-8.

#include "FuzzSupport.h"
#include "core/text/DocumentText.h"
#include "core/text/TextEncoding.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1250.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const qw::DecodedDocument read = qw::decodeDocument(bytes);
    QW_FUZZ_CHECK(read.encoding == qw::detectEncoding(bytes));
    QW_FUZZ_CHECK(read.text.isEmpty() || read.text.endsWith(u"\r\n"));
    // LfCr reads back as two breaks, so it is written but not compared.
    for (const qw::LineBreak lineBreak :
         {qw::LineBreak::CrLf, qw::LineBreak::Cr, qw::LineBreak::Lf, qw::LineBreak::LfCr}) {
        const QByteArray written = qw::encodeDocument(read.text, lineBreak, read.encoding);
        if (lineBreak == qw::LineBreak::LfCr)
            continue;
        const qw::DecodedDocument again = qw::decodeDocument(written);
        QW_FUZZ_CHECK(again.encoding == read.encoding);
        QW_FUZZ_CHECK(again.text == read.text);
        QW_FUZZ_CHECK(qw::encodeDocument(again.text, lineBreak, again.encoding) == written);
    }

    QW_FUZZ_CHECK(qw::encodeWindows1250(qw::decodeWindows1250(bytes)) == bytes);

    const qw::Utf8Scan scan = qw::scanUtf8(bytes);
    if (scan.valid) {
        QString text(scan.utf16Length, Qt::Uninitialized);
        char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
        QW_FUZZ_CHECK(qw::decodeValidUtf8Into(bytes, begin) - begin == scan.utf16Length);
        // Ours keeps a byte-order mark as U+FEFF, as Qt's does when asked to.
        QStringDecoder qtDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        QW_FUZZ_CHECK(text == QString(qtDecoder.decode(bytes)));
        QByteArray back;
        qw::appendUtf8(back, text);
        QW_FUZZ_CHECK(back == bytes);
    }

    // The bytes as UTF-16 text, lone surrogates included, written out.
    const QStringView anyText(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    QByteArray utf8;
    qw::appendUtf8(utf8, anyText);
    QW_FUZZ_CHECK(qw::scanUtf8(utf8).valid);
    const QByteArray cp1250 = qw::encodeWindows1250(anyText);
    QW_FUZZ_CHECK(qw::encodeWindows1250(qw::decodeWindows1250(cp1250)) == cp1250);
    return 0;
}
