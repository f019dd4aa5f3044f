#include "core/spelling/SpellScan.h"

#include "core/spelling/CharacterReferences.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace qw {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAsciiAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

QByteArray lowered(QByteArrayView s)
{
    QByteArray out(s.size(), Qt::Uninitialized);
    std::transform(s.begin(), s.end(), out.begin(), lower);
    return out;
}

bool equalsFolded(QByteArrayView s, std::string_view word)
{
    if (s.size() != static_cast<qsizetype>(word.size()))
        return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (lower(s[i]) != word[static_cast<std::size_t>(i)])
            return false;
    }
    return true;
}

bool startsWithFolded(QByteArrayView s, qsizetype at, std::string_view word)
{
    const auto n = static_cast<qsizetype>(word.size());
    return at + n <= s.size() && equalsFolded(s.sliced(at, n), word);
}

qsizetype find(QByteArrayView s, qsizetype from, std::string_view needle)
{
    const qsizetype at = s.indexOf(QByteArrayView(needle.data(), qsizetype(needle.size())), from);
    return at < 0 ? s.size() : at;
}

// Where "</name" starts after `from`, in any case; the end when nowhere.
qsizetype findEndTag(QByteArrayView s, qsizetype from, std::string_view name)
{
    qsizetype i = from;
    while (i < s.size()) {
        const void* lt = std::memchr(s.data() + i, '<', static_cast<std::size_t>(s.size() - i));
        if (lt == nullptr)
            return s.size();
        i = static_cast<const char*>(lt) - s.data();
        if (i + 1 < s.size() && s[i + 1] == '/' && startsWithFolded(s, i + 2, name))
            return i;
        ++i;
    }
    return s.size();
}

qsizetype afterNext(QByteArrayView s, qsizetype from, char c)
{
    const qsizetype at = s.indexOf(c, from);
    return at < 0 ? s.size() : at + 1;
}

bool isVoidElement(QByteArrayView name)
{
    static constexpr std::array<std::string_view, 14> kVoid = {
        "area",  "base", "br",   "col",   "embed",  "hr",    "img",
        "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::any_of(kVoid.begin(), kVoid.end(), [&](std::string_view v) {
        return name == QByteArrayView(v.data(), qsizetype(v.size()));
    });
}

// Attributes whose values people read: alternative texts, tips, hints and
// labels.
bool isReadableAttribute(QByteArrayView name)
{
    static constexpr std::array<std::string_view, 5> kReadable = {"alt", "title", "placeholder",
                                                                  "label", "aria-label"};
    return std::any_of(kReadable.begin(), kReadable.end(), [&](std::string_view v) {
        return name == QByteArrayView(v.data(), qsizetype(v.size()));
    });
}

struct Attribute
{
    QByteArray name; // lower case
    qsizetype valueStart = -1;
    qsizetype valueEnd = -1;
};

struct StartTag
{
    QByteArray name; // lower case
    QList<Attribute> attributes;
    bool selfClosing = false;
    qsizetype end = 0; // after '>'

    const Attribute* attribute(std::string_view n) const
    {
        for (const Attribute& a : attributes) {
            if (a.name == QByteArrayView(n.data(), qsizetype(n.size())))
                return &a;
        }
        return nullptr;
    }
};

StartTag readStartTag(QByteArrayView s, qsizetype at)
{
    StartTag tag;
    qsizetype i = at + 1;
    const qsizetype nameStart = i;
    while (i < s.size() && !isSpace(s[i]) && s[i] != '>' && s[i] != '/')
        ++i;
    tag.name = lowered(s.sliced(nameStart, i - nameStart));
    while (i < s.size()) {
        while (i < s.size() && isSpace(s[i]))
            ++i;
        if (i >= s.size())
            break;
        if (s[i] == '>') {
            tag.end = i + 1;
            return tag;
        }
        if (s[i] == '/') {
            ++i;
            if (i < s.size() && s[i] == '>') {
                tag.selfClosing = true;
                tag.end = i + 1;
                return tag;
            }
            continue;
        }
        Attribute a;
        const qsizetype attrStart = i;
        ++i; // a name may begin with '=' or a quote; it takes one character then
        while (i < s.size() && !isSpace(s[i]) && s[i] != '>' && s[i] != '/' && s[i] != '=')
            ++i;
        a.name = lowered(s.sliced(attrStart, i - attrStart));
        qsizetype j = i;
        while (j < s.size() && isSpace(s[j]))
            ++j;
        if (j < s.size() && s[j] == '=') {
            ++j;
            while (j < s.size() && isSpace(s[j]))
                ++j;
            if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
                const char quote = s[j];
                a.valueStart = j + 1;
                const qsizetype close = s.indexOf(quote, a.valueStart);
                a.valueEnd = close < 0 ? s.size() : close;
                i = close < 0 ? s.size() : close + 1;
            } else {
                a.valueStart = j;
                while (j < s.size() && !isSpace(s[j]) && s[j] != '>')
                    ++j;
                a.valueEnd = j;
                i = j;
            }
        }
        tag.attributes.append(std::move(a));
    }
    tag.end = s.size();
    return tag;
}

bool isDescriptionMeta(QByteArrayView s, const StartTag& tag)
{
    if (tag.name != "meta")
        return false;
    const Attribute* name = tag.attribute("name");
    return name != nullptr && name->valueStart >= 0 &&
           equalsFolded(s.sliced(name->valueStart, name->valueEnd - name->valueStart).trimmed(),
                        "description");
}

void reportAttributes(QByteArrayView s, const StartTag& tag, const QString& language,
                      const SpellWordSink& sink)
{
    const bool description = isDescriptionMeta(s, tag);
    for (const Attribute& a : tag.attributes) {
        if (a.valueStart < 0)
            continue;
        if (isReadableAttribute(a.name) || (description && a.name == "content"))
            wordsOfText(s, a.valueStart, a.valueEnd, language, sink);
    }
}

void closeElement(SpellScanState& state, QByteArrayView name)
{
    for (qsizetype i = state.languages.size() - 1; i >= 0; --i) {
        if (state.languages.at(i).element == name) {
            state.languages.resize(i);
            return;
        }
    }
}

bool isWordLetter(QChar c)
{
    return c.isLetter() || c.isMark();
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

bool looksLikeAddress(QStringView token)
{
    return token.contains(u"://") || token.contains(u'@') ||
           token.startsWith(u"www.", Qt::CaseInsensitive);
}

void wordsOfToken(const DecodedText& d, qsizetype from, qsizetype to, const QString& language,
                  const SpellWordSink& sink)
{
    const QString& t = d.text;
    qsizetype i = from;
    while (i < to) {
        if (!isWordLetter(t[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < to &&
               (isWordLetter(t[i]) || (isApostrophe(t[i]) && i + 1 < to && isWordLetter(t[i + 1]))))
            ++i;
        const bool touchesDigit =
            (start > from && (t[start - 1].isDigit() || t[start - 1] == u'_')) ||
            (i < to && (t[i].isDigit() || t[i] == u'_'));
        if (!touchesDigit && i - start > 1) {
            sink(SpellWord{d.sourceOffsets.at(start), d.sourceOffsets.at(i),
                           t.mid(start, i - start), language});
        }
        // A word glued to digits is a code, not a word: skip the rest too.
        if (touchesDigit) {
            while (i < to && (isWordLetter(t[i]) || t[i].isDigit() || t[i] == u'_'))
                ++i;
        }
    }
}

} // namespace

void wordsOfText(QByteArrayView source, qsizetype from, qsizetype to, const QString& language,
                 const SpellWordSink& sink)
{
    if (!sink || from >= to)
        return;
    const DecodedText d = decodeText(source, from, to);
    const QString& t = d.text;
    qsizetype i = 0;
    while (i < t.size()) {
        while (i < t.size() && t[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < t.size() && !t[i].isSpace())
            ++i;
        if (i > start && !looksLikeAddress(QStringView(t).sliced(start, i - start)))
            wordsOfToken(d, start, i, language, sink);
    }
}

qsizetype scanSpelling(QByteArrayView s, qsizetype from, qsizetype to, SpellScanState& state,
                       const SpellWordSink& sink)
{
    qsizetype p = from;
    while (p < s.size() && p < to) {
        if (s[p] != '<') {
            const void* found =
                std::memchr(s.data() + p, '<', static_cast<std::size_t>(s.size() - p));
            const qsizetype lt = found ? static_cast<const char*>(found) - s.data() : s.size();
            qsizetype cut = lt;
            if (lt > to) {
                // Stop between two words: at the first space from `to` on.
                for (qsizetype i = std::max(p, to); i < lt; ++i) {
                    if (isSpace(s[i])) {
                        cut = i;
                        break;
                    }
                }
            }
            if (sink)
                wordsOfText(s, p, cut, state.language(QString()), sink);
            p = cut;
            continue;
        }
        if (startsWithFolded(s, p, "<!--")) {
            const qsizetype close = find(s, p + 4, "-->");
            p = std::min(s.size(), close + 3);
        } else if (p + 1 < s.size() && (s[p + 1] == '!' || s[p + 1] == '?')) {
            p = afterNext(s, p + 1, '>');
        } else if (p + 1 < s.size() && s[p + 1] == '/') {
            if (p + 2 < s.size() && isAsciiAlpha(s[p + 2])) {
                qsizetype i = p + 2;
                while (i < s.size() && !isSpace(s[i]) && s[i] != '>' && s[i] != '/')
                    ++i;
                closeElement(state, lowered(s.sliced(p + 2, i - p - 2)));
            }
            p = afterNext(s, p + 2, '>');
        } else if (p + 1 < s.size() && isAsciiAlpha(s[p + 1])) {
            const StartTag tag = readStartTag(s, p);
            const Attribute* lang = tag.attribute("lang");
            if (lang == nullptr)
                lang = tag.attribute("xml:lang");
            QString language = state.language(QString());
            if (lang != nullptr) {
                language = lang->valueStart < 0
                               ? QString()
                               : QString::fromUtf8(
                                     s.sliced(lang->valueStart, lang->valueEnd - lang->valueStart))
                                     .trimmed();
            }
            if (sink)
                reportAttributes(s, tag, language, sink);
            if (lang != nullptr && !tag.selfClosing && !isVoidElement(tag.name))
                state.languages.append(LanguageScope{tag.name, language});
            p = tag.end;
            if (tag.name == "script" || tag.name == "style") {
                p = findEndTag(s, p, tag.name == "script" ? "script" : "style");
            }
        } else {
            ++p; // a '<' that starts no markup is punctuation of the text
        }
    }
    return std::min(p, s.size());
}

SpellCheckpoints::Point SpellCheckpoints::before(qsizetype position) const
{
    auto it = std::upper_bound(m_points.cbegin(), m_points.cend(), position,
                               [](qsizetype p, const Point& pt) { return p < pt.position; });
    if (it == m_points.cbegin())
        return Point{};
    return *(it - 1);
}

void SpellCheckpoints::record(qsizetype position, const SpellScanState& state)
{
    auto it = std::lower_bound(m_points.begin(), m_points.end(), position,
                               [](const Point& pt, qsizetype p) { return pt.position < p; });
    if (it != m_points.end() && it->position == position)
        it->state = state;
    else
        m_points.insert(it, Point{position, state});
}

qsizetype SpellCheckpoints::after(qsizetype position) const
{
    auto it = std::upper_bound(m_points.cbegin(), m_points.cend(), position,
                               [](qsizetype p, const Point& pt) { return p < pt.position; });
    return it == m_points.cend() ? -1 : it->position;
}

bool SpellCheckpoints::holds(qsizetype position, const SpellScanState& state) const
{
    auto it = std::lower_bound(m_points.cbegin(), m_points.cend(), position,
                               [](const Point& pt, qsizetype p) { return pt.position < p; });
    return it != m_points.cend() && it->position == position && it->state == state;
}

void SpellCheckpoints::edited(qsizetype position, qsizetype removed, qsizetype inserted)
{
    auto first = std::upper_bound(m_points.begin(), m_points.end(), position,
                                  [](qsizetype p, const Point& pt) { return p < pt.position; });
    auto last = std::upper_bound(first, m_points.end(), position + removed,
                                 [](qsizetype p, const Point& pt) { return p < pt.position; });
    for (auto it = last; it != m_points.end(); ++it)
        it->position += inserted - removed;
    m_points.erase(first, last);
}

void SpellCheckpoints::dropFrom(qsizetype position)
{
    auto first = std::lower_bound(m_points.begin(), m_points.end(), position,
                                  [](const Point& pt, qsizetype p) { return pt.position < p; });
    m_points.erase(first, m_points.end());
}

} // namespace qw
