// The RTF export over any look and lines: plain ASCII, every group closed
// and nothing after the last, one paragraph a line.

#include "ExportInput.h"
#include "core/highlight/RtfExport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qw::fuzz::ExportInput in = qw::fuzz::exportInput(data, size);
    const QByteArray rtf = qw::exportRtf(in.lines, in.look);
    QW_FUZZ_CHECK(qw::fuzz::isAscii(rtf));
    QW_FUZZ_CHECK(rtf.startsWith("{\\rtf1"));

    int depth = 0;
    qsizetype paragraphs = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            QW_FUZZ_CHECK(i + 1 < rtf.size());
            // "\{", "\}" and "\\" are text; a control word starts with a
            // letter, so skipping one character never skips a brace.
            if (QByteArrayView(rtf).sliced(i).startsWith("\\par ") ||
                QByteArrayView(rtf).sliced(i).startsWith("\\par}"))
                ++paragraphs;
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
            QW_FUZZ_CHECK(depth > 0 || i + 1 == rtf.size());
        }
    }
    QW_FUZZ_CHECK(depth == 0);
    QW_FUZZ_CHECK(paragraphs == std::max<qsizetype>(in.lines.size(), 1));
    return 0;
}
