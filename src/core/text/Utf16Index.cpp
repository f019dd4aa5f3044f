#include "core/text/Utf16Index.h"

#include <algorithm>
#include <cstring>

namespace qw {

namespace {

// How far apart the marks are, in bytes: a question counts about this far.
constexpr long kSpacing = 4096;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

Utf16Index::Utf16Index(const Utf8Text& text) : m_text(text)
{
    forget();
}

qsizetype Utf16Index::countUnits(const char* bytes, qsizetype count)
{
    // Every byte but a continuation byte (10xxxxxx) starts a character of
    // one code unit, and a four-byte one (11110xxx) takes two. Eight bytes
    // at a time: shifted left by k, bit 7 of each byte holds its bit 7 - k;
    // the bits found are summed per byte and, every 31 words (at most 248
    // in all, so no byte overflows), across the bytes by one multiplication.
    constexpr quint64 high = 0x8080808080808080ULL;
    constexpr quint64 ones = 0x0101010101010101ULL;
    qsizetype units = 0;
    qsizetype i = 0;
    while (i + 8 <= count) {
        const qsizetype words = std::min<qsizetype>(31, (count - i) / 8);
        quint64 continuation = 0;
        quint64 fourByte = 0;
        for (qsizetype w = 0; w < words; ++w, i += 8) {
            quint64 x;
            std::memcpy(&x, bytes + i, 8);
            continuation += (x & ~(x << 1) & high) >> 7;
            fourByte += (x & (x << 1) & (x << 2) & (x << 3) & high) >> 7;
        }
        units +=
            8 * words - qsizetype((continuation * ones) >> 56) + qsizetype((fourByte * ones) >> 56);
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    for (; i < count; ++i)
        units += qsizetype(!isContinuation(b[i])) + qsizetype(b[i] >= 0xF0);
    return units;
}

void Utf16Index::forget()
{
    m_marks.assign(1, Mark{});
    m_shiftFrom = 0;
    m_shiftBytes = 0;
    m_shiftUnits = 0;
    m_pending = {};
}

Utf16Index::Mark Utf16Index::mark(std::size_t i) const
{
    Mark m = m_marks[i];
    if (i >= m_shiftFrom) {
        m.pos += m_shiftBytes;
        m.units += m_shiftUnits;
    }
    return m;
}

template<typename Before> std::size_t Utf16Index::lastMarkWhere(Before atOrBefore) const
{
    // The first mark (0, 0) is at or before anything asked for.
    std::size_t lo = 1;
    std::size_t hi = m_marks.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (atOrBefore(mark(mid)))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo - 1;
}

std::size_t Utf16Index::lastAtOrBefore(long position) const
{
    return lastMarkWhere([position](const Mark& m) { return m.pos <= position; });
}

std::size_t Utf16Index::lastAtOrBeforeUnits(qsizetype units) const
{
    return lastMarkWhere([units](const Mark& m) { return m.units <= units; });
}

void Utf16Index::applyShift() const
{
    if (m_shiftBytes != 0 || m_shiftUnits != 0) {
        for (std::size_t i = m_shiftFrom; i < m_marks.size(); ++i) {
            m_marks[i].pos += m_shiftBytes;
            m_marks[i].units += m_shiftUnits;
        }
    }
    m_shiftFrom = 0;
    m_shiftBytes = 0;
    m_shiftUnits = 0;
}

void Utf16Index::shiftFrom(std::size_t i, long bytes, qsizetype units)
{
    if (m_shiftBytes == 0 && m_shiftUnits == 0) {
        m_shiftFrom = i;
    } else if (i > m_shiftFrom) {
        for (std::size_t k = m_shiftFrom; k < i; ++k) {
            m_marks[k].pos += m_shiftBytes;
            m_marks[k].units += m_shiftUnits;
        }
        m_shiftFrom = i;
    } else if (i < m_shiftFrom) {
        // Those marks take the pending move from now on, so they give it
        // back first.
        for (std::size_t k = i; k < m_shiftFrom; ++k) {
            m_marks[k].pos -= m_shiftBytes;
            m_marks[k].units -= m_shiftUnits;
        }
        m_shiftFrom = i;
    }
    m_shiftBytes += bytes;
    m_shiftUnits += units;
}

void Utf16Index::insertMarks(std::size_t at, const std::vector<Mark>& marks) const
{
    if (marks.empty())
        return;
    applyShift();
    m_marks.insert(m_marks.begin() + std::ptrdiff_t(at), marks.begin(), marks.end());
}

qsizetype Utf16Index::countFrom(std::size_t i, long to) const
{
    const Mark start = mark(i);
    const bool markTheWay = to - start.pos > 2 * kSpacing;
    std::vector<Mark> added;
    m_buffer.resize(std::size_t(kSpacing + 3));
    long from = start.pos;
    qsizetype units = 0;
    while (from < to) {
        const long n = std::min(to - from, kSpacing);
        // A piece ends at a character's start, so that a mark may go there.
        const long extra = std::min(3L, to - from - n);
        m_text.copyBytes(from, n + extra, m_buffer.data());
        long k = n;
        while (k < n + extra &&
               isContinuation(static_cast<unsigned char>(m_buffer[std::size_t(k)])))
            ++k;
        units += countUnits(m_buffer.data(), k);
        from += k;
        if (markTheWay && from < to && to - from > kSpacing / 2)
            added.push_back({from, start.units + units});
    }
    insertMarks(i + 1, added);
    return units;
}

qsizetype Utf16Index::unitsBefore(long position) const
{
    const long length = m_text.length();
    position = std::clamp(position, 0L, length);
    if (position > 0 && position < length) {
        // Inside a character: count up to its start.
        char b[4];
        const long back = std::min(3L, position);
        m_text.copyBytes(position - back, back + 1, b);
        long k = back;
        while (k > 0 && isContinuation(static_cast<unsigned char>(b[k])))
            --k;
        position -= back - k;
    }
    const std::size_t i = lastAtOrBefore(position);
    return mark(i).units + countFrom(i, position);
}

void Utf16Index::shortenStretchAt(qsizetype units) const
{
    const std::size_t i = lastAtOrBeforeUnits(units);
    const long end = i + 1 < m_marks.size() ? mark(i + 1).pos : m_text.length();
    if (end - mark(i).pos > 2 * kSpacing)
        countFrom(i, end);
}

long Utf16Index::positionOfUnits(qsizetype units) const
{
    if (units <= 0)
        return 0;
    shortenStretchAt(units);
    const std::size_t i = lastAtOrBeforeUnits(units);
    const Mark start = mark(i);
    const long end = i + 1 < m_marks.size() ? mark(i + 1).pos : m_text.length();
    qsizetype have = start.units;
    long pos = start.pos;
    m_buffer.resize(std::size_t(kSpacing));
    while (pos < end) {
        const long n = std::min(end - pos, kSpacing);
        m_text.copyBytes(pos, n, m_buffer.data());
        long k = 0;
        // Whole blocks that end before the place are counted, not walked.
        constexpr long block = 256;
        for (qsizetype u = 0; k + block <= n; k += block) {
            u = countUnits(m_buffer.data() + k, block);
            if (have + u > units)
                break;
            have += u;
        }
        for (; k < n; ++k) {
            const auto c = static_cast<unsigned char>(m_buffer[std::size_t(k)]);
            if (isContinuation(c))
                continue;
            const qsizetype width = c >= 0xF0 ? 2 : 1;
            // Reached, or between the halves of this character's pair.
            if (have + width > units)
                return pos + k;
            have += width;
        }
        pos += n;
    }
    return end;
}

int Utf16Index::lineOfUnits(qsizetype units) const
{
    if (units <= 0)
        return 0;
    return m_text.lineAt(positionOfUnits(units));
}

void Utf16Index::beforeDeletion(long position, long length)
{
    m_pending = {position, length, unitsBefore(position + length) - unitsBefore(position)};
}

void Utf16Index::deleted(long position, long length)
{
    if (length <= 0)
        return;
    const PendingDeletion told = m_pending;
    m_pending = {};
    if (told.position != position || told.length != length) {
        // A deletion nobody announced: what it removed cannot be counted.
        forget();
        return;
    }
    const std::size_t first = lastAtOrBefore(position) + 1;
    std::size_t after = first;
    while (after < m_marks.size() && mark(after).pos < position + length)
        ++after;
    if (after > first) {
        applyShift();
        m_marks.erase(m_marks.begin() + std::ptrdiff_t(first),
                      m_marks.begin() + std::ptrdiff_t(after));
    }
    if (first < m_marks.size())
        shiftFrom(first, -length, -told.units);
}

void Utf16Index::inserted(long position, const char* bytes, long length)
{
    if (length <= 0)
        return;
    if (bytes == nullptr) {
        forget();
        return;
    }
    m_pending = {};
    const std::size_t first = lastAtOrBefore(position) + 1;
    if (length <= 2 * kSpacing) {
        if (first < m_marks.size())
            shiftFrom(first, length, countUnits(bytes, length));
        return;
    }
    // A large insertion is counted once, marking the way.
    std::vector<Mark> added;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    qsizetype units = 0;
    for (long from = 0; from < length;) {
        long to = std::min(length, from + kSpacing);
        while (to < length && isContinuation(b[to]))
            ++to;
        units += countUnits(bytes + from, to - from);
        from = to;
        if (from < length)
            added.push_back({position + from, units});
    }
    if (first < m_marks.size())
        shiftFrom(first, length, units);
    const qsizetype before = unitsBefore(position);
    for (Mark& m : added)
        m.units += before;
    insertMarks(lastAtOrBefore(position) + 1, added);
}

} // namespace qw
