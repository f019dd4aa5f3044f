// The page check, fed any bytes as a page's text: it finishes (or gives the
// page up) and every finding stands in the text, in the order of the page,
// with a message.

#include "FuzzSupport.h"
#include "core/check/PageCheck.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const qw::PageCheck result = qw::checkPage(text, QString());
    QW_FUZZ_CHECK(result.outcome == qw::CheckOutcome::Done ||
                  result.outcome == qw::CheckOutcome::GaveUp);
    const int lines = int(text.count('\n') + text.count('\r')) + 1;
    int lastLine = 0;
    int lastColumn = 0;
    for (const qw::PageFinding& f : result.findings) {
        QW_FUZZ_CHECK(!f.message.isEmpty());
        QW_FUZZ_CHECK(f.line >= 0 && f.line <= lines);
        QW_FUZZ_CHECK(f.column >= 0 && f.length >= 1);
        QW_FUZZ_CHECK(f.line > lastLine || (f.line == lastLine && f.column >= lastColumn));
        lastLine = f.line;
        lastColumn = f.column;
    }
    return 0;
}
