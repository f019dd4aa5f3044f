// TagAttributeList::parseTagText: the reader of one tag's text.
//
// The reading is kept exactly as the program has always done it, because the
// tags it writes back and the tag inspector depend on its results, odd cases
// included. It works on the text after the name as a queue that is consumed
// from the front; the positions of the first "=", double quote and space in
// what is left are cached and only ever move forward, so a tag of any length
// is read in linear time.

#include "core/markup/TagAttributeList.h"

#include <algorithm>

namespace qw {

namespace {

// The first occurrence of one character at or after the queue's front.
class FirstOf
{
public:
    FirstOf(const QString& text, QChar c) : m_text(text), m_char(c) {}

    // -1 when the rest of the text has none.
    qsizetype from(qsizetype front)
    {
        if (m_pos == -1 && m_searchedFrom != -1 && m_searchedFrom <= front)
            return -1;
        if (m_pos < front) {
            m_pos = m_text.indexOf(m_char, front);
            m_searchedFrom = front;
        }
        return m_pos;
    }
    void reset()
    {
        m_pos = -2;
        m_searchedFrom = -1;
    }

private:
    const QString& m_text;
    QChar m_char;
    qsizetype m_pos = -2;
    qsizetype m_searchedFrom = -1;
};

void removeFirst(QString& s, QChar c)
{
    const qsizetype at = s.indexOf(c);
    if (at >= 0)
        s.remove(at, 1);
}

// Removes double quotes leftmost first, giving up once more have been removed
// than characters remain; then drops a trailing space when it is the entry's
// only space. Done in one pass: how many quotes go is known in advance.
QString cleanEntry(const QString& entry)
{
    const qsizetype quotes = entry.count(u'"');
    // After r removals size - r characters remain; the removal that makes
    // r > size - r is the last one.
    const qsizetype toRemove = std::min(quotes, entry.size() / 2 + 1);
    QString out;
    out.reserve(entry.size() - toRemove);
    qsizetype removed = 0;
    for (QChar c : entry) {
        if (c == u'"' && removed < toRemove)
            ++removed;
        else
            out += c;
    }
    if (!out.isEmpty() && out.indexOf(u' ') == out.size() - 1)
        out.chop(1);
    return out;
}

// Splits what follows the tag name into raw entries.
QStringList splitEntries(QString s)
{
    QStringList entries;
    qsizetype front = 0;
    FirstOf equals(s, u'=');
    FirstOf quote(s, u'"');
    FirstOf space(s, u' ');

    const qsizetype passes = s.size() + 1;
    for (qsizetype pass = 0; pass < passes && front < s.size(); ++pass) {
        const qsizetype eq = equals.from(front);
        const qsizetype q = quote.from(front);
        const qsizetype sp = space.from(front);
        QString entry;
        qsizetype next = front;
        if (eq >= 0 && q == eq + 1 && sp > eq) {
            // A quoted value: the opening quote goes, the entry runs up to the
            // next quote, which goes with it.
            const qsizetype close = s.indexOf(u'"', q + 1);
            if (close >= 0) {
                entry = s.mid(front, q - front);
                entry += QStringView(s).mid(q + 1, close - q - 1);
                next = close + 1;
            } else {
                // No closing quote: the entry is empty. The opening quote is
                // gone for good, which can happen once only (no quote is left).
                s.remove(q, 1);
                equals.reset();
                quote.reset();
                space.reset();
            }
        } else if (sp >= 0) {
            entry = s.mid(front, sp - front + 1);
            next = sp + 1;
        } else {
            entry = s.mid(front);
            next = s.size();
        }
        if (entry.isEmpty())
            next = front + 1; // an empty entry costs the queue its first character
        else
            entries.append(entry);
        front = next;
    }
    return entries;
}

} // namespace

QString TagAttributeList::parseTagText(const QString& tagText, TagCaseOptions options)
{
    QString s = tagText;
    s.remove(u'\r');
    s.remove(u'\n');
    removeFirst(s, u'<');

    QString name;
    const qsizetype space = s.indexOf(u' ');
    if (space >= 0) {
        name = s.left(space);
        s.remove(0, space + 1);
    } else {
        const qsizetype close = s.indexOf(u'>');
        if (close >= 0) {
            name = s.left(close);
            s.remove(0, close + 1);
        }
    }
    const QString currentTagName = asciiUpper(name);
    removeFirst(s, u'>');

    const QStringList entries = splitEntries(s);

    m_tagName = currentTagName;
    for (const QString& raw : entries) {
        const QString entry = cleanEntry(raw);
        const qsizetype eq = entry.indexOf(u'=');
        if (eq >= 0)
            m_attributes.append(TagAttribute{entry.left(eq), entry.mid(eq + 1)});
        else if (!entry.isEmpty())
            m_attributes.append(TagAttribute{entry, std::nullopt});
    }
    applyTagCase(options);
    return currentTagName;
}

} // namespace qw
