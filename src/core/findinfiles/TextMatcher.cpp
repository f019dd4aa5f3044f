#include "core/findinfiles/TextMatcher.h"

#include "core/editor/FindReplace.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1250.h"

#include <QStringLiteral>

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qw {
namespace {

// Lines longer than this show only a part around their match.
constexpr qsizetype kWholeLineExcerpt = 400;
constexpr qsizetype kExcerptBefore = 100;
constexpr qsizetype kExcerptAfter = 200;

inline char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

inline unsigned char foldAsciiByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

bool holdsLineBreak(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

bool isBoundary(QChar c)
{
    return c == u'\r' || c == u'\n' || isWordSeparator(c);
}

// The bytes a UTF-16 unit adds to the UTF-8 form (a pair counts on its
// first unit).
inline qint64 utf8Width(char16_t c)
{
    if (c < 0x80)
        return 1;
    if (c < 0x800)
        return 2;
    if (c >= 0xD800 && c <= 0xDBFF)
        return 4;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return 0;
    return 3;
}

} // namespace

namespace {

// Where needle first is in bytes at or after from, or -1; when asciiFolded
// the needle is given in lower case and A-Z in bytes compare as a-z.
qsizetype indexOfBytes(QByteArrayView bytes, QByteArrayView needle, bool asciiFolded,
                       qsizetype from)
{
    if (needle.isEmpty() || from < 0 || needle.size() > bytes.size() - from)
        return -1;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (!asciiFolded) {
        const void* hit =
            memmem(data + from, size_t(bytes.size() - from), needle.data(), size_t(needle.size()));
        return hit ? static_cast<const unsigned char*>(hit) - data : -1;
    }
    // The needle is folded already. Its first byte, in either case, is found
    // with memchr where it is no letter; a letter needs both forms.
    const auto* want = reinterpret_cast<const unsigned char*>(needle.data());
    const qsizetype last = bytes.size() - needle.size();
    const unsigned char first = want[0];
    const bool letter = first >= 'a' && first <= 'z';
    const unsigned char upper = letter ? static_cast<unsigned char>(first - 32) : first;
    qsizetype i = from;
    while (i <= last) {
        if (!letter) {
            const void* hit = std::memchr(data + i, first, size_t(last - i + 1));
            if (!hit)
                return -1;
            i = static_cast<const unsigned char*>(hit) - data;
        } else if (data[i] != first && data[i] != upper) {
            ++i;
            continue;
        }
        qsizetype k = 1;
        while (k < needle.size() && foldAsciiByte(data[i + k]) == want[k])
            ++k;
        if (k == needle.size())
            return i;
        ++i;
    }
    return -1;
}

} // namespace

bool containsBytes(QByteArrayView bytes, QByteArrayView needle, bool asciiFolded)
{
    return indexOfBytes(bytes, needle, asciiFolded, 0) >= 0;
}

TextMatcher::TextMatcher(const SearchQuery& query) : m_query(query)
{
    if (m_query.text.isEmpty()) {
        m_error = QStringLiteral("Zadejte hledaný text.");
        return;
    }
    if (m_query.regularExpression) {
        // \w and \b must know Czech letters.
        QRegularExpression::PatternOptions options =
            QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
        if (!m_query.matchCase)
            options |= QRegularExpression::CaseInsensitiveOption;
        m_regex.setPattern(m_query.text);
        m_regex.setPatternOptions(options);
        if (!m_regex.isValid()) {
            m_error = QStringLiteral("Chybný regulární výraz: %1 (znak %2).")
                          .arg(m_regex.errorString())
                          .arg(m_regex.patternErrorOffset() + 1);
        }
        return;
    }
    if (holdsLineBreak(m_query.text)) {
        m_error = QStringLiteral("Hledaný text nesmí obsahovat konec řádku.");
        return;
    }
    m_asciiFolded = !m_query.matchCase;
    QString needle = m_query.text;
    if (m_asciiFolded) {
        for (QChar& c : needle)
            c = QChar(foldAscii(c.unicode()));
    }
    // A character Windows-1250 lacks is written as a reference the decoded
    // text never holds as that character, so such a needle finds nothing
    // there; the UTF-8 form still finds it in UTF-8 files.
    m_windowsNeedle = encodeWindows1250(needle);
    appendUtf8(m_utf8Needle, needle);
    bool surrogate = false;
    for (const QChar c : needle)
        surrogate = surrogate || c.isSurrogate();
    m_windowsWhole = decodeWindows1250(m_windowsNeedle) == needle;
    // A lone surrogate has no UTF-8 form of its own: such a needle is looked
    // for in the decoded text.
    m_bytePath = !surrogate;
}

bool TextMatcher::mayMatch(QByteArrayView bytes) const
{
    if (!isValid())
        return false;
    if (m_query.regularExpression)
        return true;
    return containsBytes(bytes, m_windowsNeedle, m_asciiFolded) ||
           (m_utf8Needle != m_windowsNeedle && containsBytes(bytes, m_utf8Needle, m_asciiFolded));
}

QList<TextMatch> TextMatcher::findInFile(QByteArrayView bytes, TextEncoding encoding)
{
    if (!isValid())
        return {};
    qint64 offset = 0;
    QByteArrayView content = bytes;
    if (encoding == TextEncoding::Utf8Bom) {
        offset = kUtf8Bom.size();
        content = bytes.sliced(offset);
    }
    qsizetype length = content.size();
    if (encoding != TextEncoding::Windows1250) {
        const Utf8Scan scan = scanUtf8(content);
        if (!scan.valid)
            return {}; // the detection says UTF-8 only for valid bytes
        length = scan.utf16Length;
    }
    if (!m_query.regularExpression && m_bytePath)
        return findPlainInBytes(content, offset, encoding == TextEncoding::Windows1250);
    // resize() keeps the capacity, so the buffer grows to the largest file
    // and stays there.
    m_decoded.resize(length);
    char16_t* out = reinterpret_cast<char16_t*>(m_decoded.data());
    if (encoding == TextEncoding::Windows1250)
        decodeWindows1250Into(content, out);
    else
        decodeValidUtf8Into(content, out);
    return findInText(m_decoded, encoding, offset);
}

QList<TextMatch> TextMatcher::findInFile(QByteArrayView bytes, const DetectedEncoding& detected)
{
    if (!isValid())
        return {};
    const qint64 offset = detected.contentStart;
    const QByteArrayView content = bytes.sliced(offset);
    const bool oneByte = detected.encoding == TextEncoding::Windows1250;
    if (!m_query.regularExpression && m_bytePath)
        return findPlainInBytes(content, offset, oneByte);
    m_decoded.resize(detected.decodedLength);
    char16_t* out = reinterpret_cast<char16_t*>(m_decoded.data());
    if (oneByte)
        decodeWindows1250Into(content, out);
    else
        decodeValidUtf8Into(content, out);
    return findInText(m_decoded, detected.encoding, offset);
}

namespace {

// Line breaks in bytes as the decoded text counts them: CR LF, CR and LF
// each end one line. CR and LF are never part of a longer UTF-8 character.
qsizetype countLineBreaks(const unsigned char* p, qsizetype n)
{
    // A break is an LF, or a CR not followed by an LF.
    qsizetype breaks = 0;
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 17 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        const __m128i ends =
            _mm_or_si128(_mm_cmpeq_epi8(v, lf),
                         _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(v, cr)));
        breaks += __builtin_popcount(unsigned(_mm_movemask_epi8(ends)));
    }
#endif
    for (; i < n; ++i)
        breaks += p[i] == '\n' || (p[i] == '\r' && (i + 1 == n || p[i + 1] != '\n'));
    return breaks;
}

inline bool isBreakByte(unsigned char b)
{
    return b == '\r' || b == '\n';
}

} // namespace

// Matches never span a line, so the lines holding the needle's bytes, each
// decoded and searched on its own, give what the whole decoded text gives.
QList<TextMatch> TextMatcher::findPlainInBytes(QByteArrayView content, qint64 offset, bool oneByte)
{
    QList<TextMatch> found;
    const QByteArrayView needle = oneByte ? QByteArrayView(m_windowsNeedle) : m_utf8Needle;
    if (oneByte && !m_windowsWhole)
        return found; // a character Windows-1250 lacks is never in such a file
    if (needle.isEmpty() || needle.size() > content.size())
        return found;
    const auto* data = reinterpret_cast<const unsigned char*>(content.data());
    const qsizetype size = content.size();
    qsizetype counted = 0; // breaks are counted up to here
    qsizetype line = 0;
    qsizetype from = 0;
    while (from < size) {
        const qsizetype hit = indexOfBytes(content, needle, m_asciiFolded, from);
        if (hit < 0)
            break;
        qsizetype lineStart = hit;
        while (lineStart > from && !isBreakByte(data[lineStart - 1]))
            --lineStart;
        qsizetype lineEnd = hit + needle.size();
        while (lineEnd < size && !isBreakByte(data[lineEnd]))
            ++lineEnd;
        // The line starts just after a break, so the count never splits a
        // CR LF pair.
        line += countLineBreaks(data + counted, lineStart - counted);
        counted = lineStart;
        const QByteArrayView lineBytes = content.sliced(lineStart, lineEnd - lineStart);
        m_decoded.resize(lineBytes.size());
        char16_t* out = reinterpret_cast<char16_t*>(m_decoded.data());
        const char16_t* end =
            oneByte ? decodeWindows1250Into(lineBytes, out) : decodeValidUtf8Into(lineBytes, out);
        m_decoded.truncate(end - out);
        QList<TextMatch> inLine =
            findInText(m_decoded, oneByte ? TextEncoding::Windows1250 : TextEncoding::Utf8,
                       offset + lineStart);
        for (TextMatch& m : inLine) {
            m.line = int(line);
            found.append(std::move(m));
        }
        from = lineEnd;
    }
    return found;
}

bool TextMatcher::wholeWordAt(QStringView text, qsizetype start, qsizetype length) const
{
    if (start > 0 && !isBoundary(text[start - 1]))
        return false;
    const qsizetype end = start + length;
    return end >= text.size() || isBoundary(text[end]);
}

qsizetype TextMatcher::nextPlain(QStringView text, qsizetype from) const
{
    const QStringView needle = m_query.text;
    if (!m_asciiFolded)
        return text.indexOf(needle, from, Qt::CaseSensitive);
    const qsizetype last = text.size() - needle.size();
    const char16_t first = foldAscii(needle[0].unicode());
    for (qsizetype i = from; i <= last; ++i) {
        if (foldAscii(text[i].unicode()) != first)
            continue;
        qsizetype k = 1;
        while (k < needle.size() &&
               foldAscii(text[i + k].unicode()) == foldAscii(needle[k].unicode()))
            ++k;
        if (k == needle.size())
            return i;
    }
    return -1;
}

QString TextMatcher::expand(const QRegularExpressionMatch& match) const
{
    const QString& pattern = m_query.replacement;
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            const QChar next = pattern[i + 1];
            if (next.isDigit() && next.unicode() < 0x80) {
                out += match.captured(next.unicode() - u'0');
                ++i;
                continue;
            }
            if (next == u'\\') {
                out += u'\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QList<TextMatch> TextMatcher::findInText(QStringView text, TextEncoding encoding,
                                         qint64 byteOffset) const
{
    QList<TextMatch> found;
    if (!isValid())
        return found;

    // Cursors that only move forward, so a file costs one pass however many
    // matches it has.
    int line = 0;
    qsizetype lineStart = 0;
    qsizetype lineEnd = -1; // of the current line, once asked
    qsizetype scanned = 0;
    qsizetype charPos = 0;
    qint64 bytePos = byteOffset;
    const bool oneByte = encoding == TextEncoding::Windows1250;

    auto add = [&](qsizetype start, qsizetype length, QString replacement) {
        for (qsizetype i = scanned; i < start; ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                    ++i;
                ++line;
                lineStart = i + 1;
                lineEnd = -1;
            }
        }
        scanned = std::max(scanned, start);
        if (lineEnd < 0) {
            lineEnd = lineStart;
            while (lineEnd < text.size() && text[lineEnd] != u'\r' && text[lineEnd] != u'\n')
                ++lineEnd;
        }
        TextMatch m;
        m.line = line;
        m.column = start - lineStart;
        m.length = length;
        if (oneByte) {
            m.byteStart = byteOffset + start;
            m.byteLength = length;
        } else {
            for (; charPos < start; ++charPos)
                bytePos += utf8Width(text[charPos].unicode());
            m.byteStart = bytePos;
            qint64 width = 0;
            for (qsizetype i = start; i < start + length; ++i)
                width += utf8Width(text[i].unicode());
            m.byteLength = width;
        }
        m.matched = text.sliced(start, length).toString();
        m.replacement = std::move(replacement);
        qsizetype from = lineStart;
        qsizetype to = lineEnd;
        if (to - from > kWholeLineExcerpt) {
            from = std::max(lineStart, start - kExcerptBefore);
            to = std::min(lineEnd, std::max(start + length, from) + kExcerptAfter);
        }
        m.excerpt = text.sliced(from, to - from).toString();
        m.excerptMatch = start - from;
        found.append(std::move(m));
    };

    if (m_query.regularExpression) {
        QRegularExpressionMatchIterator it = m_regex.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const qsizetype start = match.capturedStart();
            const qsizetype length = match.capturedLength();
            if (length == 0 || holdsLineBreak(text.sliced(start, length)))
                continue;
            if (m_query.wholeWords && !wholeWordAt(text, start, length))
                continue;
            add(start, length, expand(match));
        }
        return found;
    }

    const qsizetype length = m_query.text.size();
    qsizetype at = nextPlain(text, 0);
    while (at >= 0) {
        if (m_query.wholeWords && !wholeWordAt(text, at, length)) {
            at = nextPlain(text, at + 1);
            continue;
        }
        add(at, length, m_query.replacement);
        at = nextPlain(text, at + length);
    }
    return found;
}

} // namespace qw
