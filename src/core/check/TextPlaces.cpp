#include "core/check/TextPlaces.h"

#include <algorithm>

namespace qw {

TextPlaces::TextPlaces(QStringView text) : m_text(text)
{
    m_lineStarts.push_back(0);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            m_lineStarts.push_back(i + 1);
        } else if (c == u'\n') {
            m_lineStarts.push_back(i + 1);
        }
    }
}

int TextPlaces::lineOf(qsizetype offset) const
{
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return int(it - m_lineStarts.begin());
}

int TextPlaces::columnOf(qsizetype offset) const
{
    const qsizetype start = m_lineStarts[std::size_t(lineOf(offset) - 1)];
    return charactersBetween(start, offset) + 1;
}

int TextPlaces::charactersBetween(qsizetype from, qsizetype to) const
{
    int count = 0;
    for (qsizetype i = from; i < to && i < m_text.size(); ++i) {
        // The second half of a surrogate pair is the same character.
        if (!m_text[i].isLowSurrogate())
            ++count;
    }
    return count;
}

} // namespace qw
