#include "core/check/MarkupCheck.h"

#include "core/check/TidyTexts.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <tidy/tidy.h>
#include <vector>

namespace qw {

using namespace Qt::StringLiterals;

bool CheckControl::stopped() const
{
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
        return true;
    return deadline != std::chrono::steady_clock::time_point::max() &&
           std::chrono::steady_clock::now() >= deadline;
}

namespace {

// The page is fed to the library a byte at a time from memory; when the
// check is to stop the input simply ends, so the library finishes at once
// and no thread is left running.
struct Input
{
    const QByteArray& bytes;
    const CheckControl& control;
    qsizetype pos = 0;
    bool stopped = false;
};

int TIDY_CALL getByte(void* data)
{
    auto* in = static_cast<Input*>(data);
    if (in->pos >= in->bytes.size() || in->stopped)
        return EndOfStream;
    if ((in->pos & 0xFFF) == 0 && in->control.stopped()) {
        in->stopped = true;
        return EndOfStream;
    }
    return static_cast<unsigned char>(in->bytes[in->pos++]);
}

void TIDY_CALL ungetByte(void* data, byte)
{
    auto* in = static_cast<Input*>(data);
    if (in->pos > 0)
        --in->pos;
}

Bool TIDY_CALL atEnd(void* data)
{
    auto* in = static_cast<Input*>(data);
    return (in->pos >= in->bytes.size() || in->stopped) ? yes : no;
}

struct Collector
{
    const QByteArray& bytes;
    std::vector<qsizetype> lineStarts;
    QList<PageFinding> findings;

    // The characters from the place to the end of its tag on the same line,
    // so the mark under the text covers the tag the message is about.
    int lengthAt(int line, int column) const
    {
        if (line < 1 || std::size_t(line) > lineStarts.size())
            return 1;
        qsizetype i = lineStarts[std::size_t(line - 1)];
        const qsizetype n = bytes.size();
        for (int c = 1; c < column && i < n; ++c) {
            ++i;
            while (i < n && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80)
                ++i;
        }
        if (i >= n || bytes[i] != '<')
            return 1;
        int length = 0;
        for (; i < n && length < 300; ++i) {
            const char b = bytes[i];
            if (b == '\n' || b == '\r')
                break;
            if ((static_cast<unsigned char>(b) & 0xC0) != 0x80)
                ++length;
            if (b == '>')
                break;
        }
        return std::max(1, length);
    }
};

QString argumentText(TidyMessage message, TidyMessageArgument* arg)
{
    switch (tidyGetArgType(message, arg)) {
    case tidyFormatType_STRING: {
        const char* s = tidyGetArgValueString(message, arg);
        return s != nullptr ? QString::fromUtf8(s) : QString();
    }
    case tidyFormatType_INT:
        return QString::number(tidyGetArgValueInt(message, arg));
    case tidyFormatType_UINT: {
        const char* format = tidyGetArgFormat(message, arg);
        const unsigned value = tidyGetArgValueUInt(message, arg);
        if (format != nullptr && std::strchr(format, 'X') != nullptr)
            return u"U+%1"_s.arg(value, 4, 16, QChar(u'0')).toUpper();
        return QString::number(value);
    }
    case tidyFormatType_DOUBLE:
        return QString::number(tidyGetArgValueDouble(message, arg));
    default:
        return {};
    }
}

bool ownCheckCovers(unsigned code, const QStringList& args)
{
    // Ids that stand twice and pictures without alt are the link check's.
    if (code == ANCHOR_NOT_UNIQUE)
        return true;
    return code == MISSING_ATTRIBUTE && args.size() >= 2 && args.at(0) == "<img>"_L1 &&
           args.at(1) == "alt"_L1;
}

Bool TIDY_CALL onMessage(TidyMessage message)
{
    auto* collector = static_cast<Collector*>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    FindingKind kind;
    switch (level) {
    case TidyWarning:
        kind = FindingKind::Warning;
        break;
    case TidyAccess:
        kind = FindingKind::Note;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        kind = FindingKind::Error;
        break;
    default:
        // Information, configuration and the summary say nothing of the page.
        return no;
    }
    const unsigned code = tidyGetMessageCode(message);
    QStringList args;
    TidyIterator it = tidyGetMessageArguments(message);
    while (it != nullptr) {
        TidyMessageArgument arg = tidyGetNextMessageArgument(message, &it);
        args.append(argumentText(message, &arg));
    }
    if (ownCheckCovers(code, args))
        return no;

    PageFinding f;
    f.kind = kind;
    f.line = std::max(0, tidyGetMessageLine(message));
    f.column = std::max(0, tidyGetMessageColumn(message));
    f.length = collector->lengthAt(f.line, f.column);
    const char* key = tidyGetMessageKey(message);
    f.code = key != nullptr ? QString::fromLatin1(key) : QString::number(code);
    const char* english = tidyGetMessageDefault(message);
    f.message = markupMessageText(
        code, args, english != nullptr ? QString::fromUtf8(english).trimmed() : f.code, &f.czech);
    collector->findings.append(f);
    return no;
}

bool isOptionalEnd(const char* name, qsizetype length)
{
    static const char* const names[] = {
        "p",     "li",    "td",     "th",       "tr",   "option", "optgroup", "dt",      "dd",
        "thead", "tbody", "tfoot",  "colgroup", "rt",   "rp",     "html",     "head",    "body",
        "br",    "img",   "input",  "meta",     "link", "hr",     "col",      "area",    "base",
        "embed", "param", "source", "track",    "wbr",  "frame",  "basefont", "isindex", "keygen"};
    for (const char* n : names) {
        if (qsizetype(std::strlen(n)) == length && qstrnicmp(n, name, size_t(length)) == 0)
            return true;
    }
    return false;
}

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ':';
}

} // namespace

int openElementDepth(const QByteArray& utf8)
{
    const char* p = utf8.constData();
    const qsizetype n = utf8.size();
    int depth = 0;
    int deepest = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (p[i] != '<')
            continue;
        const bool end = p[i + 1] == '/';
        const qsizetype start = i + (end ? 2 : 1);
        if (start >= n || !((p[start] | 0x20) >= 'a' && (p[start] | 0x20) <= 'z'))
            continue;
        qsizetype j = start;
        while (j < n && isNameByte(p[j]))
            ++j;
        if (isOptionalEnd(p + start, j - start))
            continue;
        if (end) {
            depth = std::max(0, depth - 1);
        } else {
            // "<x/>" opens nothing.
            qsizetype k = j;
            while (k < n && p[k] != '>' && p[k] != '<')
                ++k;
            if (k < n && p[k] == '>' && p[k - 1] == '/')
                continue;
            deepest = std::max(deepest, ++depth);
        }
    }
    return deepest;
}

MarkupCheck checkMarkup(const QByteArray& utf8, const CheckControl& control)
{
    MarkupCheck result;
    if (openElementDepth(utf8) > MaxCheckedDepth) {
        result.outcome = CheckOutcome::GaveUp;
        result.tooDeep = true;
        return result;
    }
    Collector collector{utf8, {0}, {}};
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        if (c == '\r' || c == '\n')
            collector.lineStarts.push_back(i + 1);
    }

    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &collector);
    tidySetMessageCallback(doc, onMessage);
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    // Columns as the editor counts them: a tab is one character.
    tidyOptSetInt(doc, TidyTabSize, 1);
    tidyOptSetValue(doc, TidyDoctype, "auto");
    tidyOptSetInt(doc, TidyAccessibilityCheckLevel, 0);
    tidySetInCharEncoding(doc, "utf8");

    Input input{utf8, control};
    TidyInputSource source;
    tidyInitSource(&source, &input, getByte, ungetByte, atEnd);
    int status = tidyParseSource(doc, &source);
    if (status >= 0 && !input.stopped)
        status = tidyCleanAndRepair(doc);
    tidyRelease(doc);

    if (input.stopped) {
        result.outcome = control.cancel != nullptr && control.cancel->load()
                             ? CheckOutcome::Cancelled
                             : CheckOutcome::TimedOut;
        return result;
    }
    if (status < 0) {
        result.outcome = CheckOutcome::GaveUp;
        return result;
    }
    result.findings = std::move(collector.findings);
    return result;
}

} // namespace qw
