#include "core/text/CharsetDeclaration.h"

namespace qw {

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool startsWithAt(QStringView text, qsizetype at, QStringView what)
{
    return text.sliced(at).startsWith(what, Qt::CaseInsensitive);
}

struct Attribute
{
    QStringView name;
    QStringView value;
    qsizetype valueStart = 0;
};

// Reads one attribute of a tag starting at pos; pos ends after it. Returns
// false at the tag's end (pos then at the '>' or the text's end).
bool readAttribute(QStringView text, qsizetype& pos, Attribute& out)
{
    const qsizetype n = text.size();
    while (pos < n && (isSpace(text[pos]) || text[pos] == u'/'))
        ++pos;
    if (pos >= n || text[pos] == u'>')
        return false;
    const qsizetype nameStart = pos;
    while (pos < n && !isSpace(text[pos]) && text[pos] != u'=' && text[pos] != u'>' &&
           text[pos] != u'/')
        ++pos;
    out.name = text.sliced(nameStart, pos - nameStart);
    out.value = {};
    out.valueStart = pos;
    qsizetype p = pos;
    while (p < n && isSpace(text[p]))
        ++p;
    if (p >= n || text[p] != u'=')
        return true;
    ++p;
    while (p < n && isSpace(text[p]))
        ++p;
    if (p < n && (text[p] == u'"' || text[p] == u'\'')) {
        const QChar quote = text[p];
        const qsizetype close = text.indexOf(quote, p + 1);
        const qsizetype end = close < 0 ? n : close;
        out.valueStart = p + 1;
        out.value = text.sliced(p + 1, end - p - 1);
        pos = close < 0 ? n : close + 1;
        return true;
    }
    const qsizetype valueStart = p;
    while (p < n && !isSpace(text[p]) && text[p] != u'>')
        ++p;
    out.valueStart = valueStart;
    out.value = text.sliced(valueStart, p - valueStart);
    pos = p;
    return true;
}

// Trims spaces around [start, start + length) of text.
void trimRange(QStringView text, qsizetype& start, qsizetype& length)
{
    while (length > 0 && isSpace(text[start])) {
        ++start;
        --length;
    }
    while (length > 0 && isSpace(text[start + length - 1]))
        --length;
}

CharsetDeclaration declarationAt(QStringView text, qsizetype start, qsizetype length)
{
    trimRange(text, start, length);
    if (length >= 2 && (text[start] == u'"' || text[start] == u'\'') &&
        text[start + length - 1] == text[start]) {
        ++start;
        length -= 2;
        trimRange(text, start, length);
    }
    CharsetDeclaration found;
    found.found = length > 0;
    found.valueStart = start;
    found.valueLength = length;
    found.name = text.sliced(start, length).toString().toLower();
    return found;
}

// The charset inside a content="text/html; charset=…" value.
CharsetDeclaration charsetInContent(QStringView text, const Attribute& content)
{
    const QStringView value = content.value;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = value.indexOf(u"charset", from, Qt::CaseInsensitive);
        if (at < 0)
            return {};
        qsizetype p = at + 7;
        while (p < value.size() && isSpace(value[p]))
            ++p;
        if (p < value.size() && value[p] == u'=') {
            ++p;
            qsizetype end = p;
            while (end < value.size() && value[end] != u';')
                ++end;
            return declarationAt(text, content.valueStart + p, end - p);
        }
        from = at + 7;
    }
}

} // namespace

CharsetDeclaration findCharsetDeclaration(QStringView text)
{
    const QStringView head = text.first(std::min(text.size(), kCharsetSearchLength));
    qsizetype pos = 0;
    for (;;) {
        pos = head.indexOf(u'<', pos);
        if (pos < 0)
            return {};
        if (startsWithAt(head, pos, u"<!--")) {
            const qsizetype close = head.indexOf(u"-->", pos + 4);
            if (close < 0)
                return {};
            pos = close + 3;
            continue;
        }
        const auto tagNamed = [&](QStringView name) {
            const qsizetype after = pos + name.size();
            return startsWithAt(head, pos, name) && (after == head.size() || isSpace(head[after]) ||
                                                     head[after] == u'>' || head[after] == u'/');
        };
        if (tagNamed(u"<body"))
            return {};
        if (!tagNamed(u"<meta")) {
            ++pos;
            continue;
        }
        pos += 5;
        Attribute attribute;
        bool contentType = false;
        Attribute content;
        bool hasContent = false;
        while (readAttribute(head, pos, attribute)) {
            if (attribute.name.compare(u"charset", Qt::CaseInsensitive) == 0) {
                if (CharsetDeclaration d =
                        declarationAt(head, attribute.valueStart, attribute.value.size());
                    d.found)
                    return d;
            } else if (attribute.name.compare(u"http-equiv", Qt::CaseInsensitive) == 0) {
                contentType =
                    attribute.value.trimmed().compare(u"content-type", Qt::CaseInsensitive) == 0;
            } else if (attribute.name.compare(u"content", Qt::CaseInsensitive) == 0) {
                content = attribute;
                hasContent = true;
            }
        }
        if (contentType && hasContent) {
            if (CharsetDeclaration d = charsetInContent(head, content); d.found)
                return d;
        }
    }
}

std::optional<TextEncoding> encodingForCharset(QStringView name)
{
    const QString n = name.trimmed().toString().toLower();
    if (n == u"utf-8" || n == u"utf8")
        return TextEncoding::Utf8;
    if (n == u"windows-1250" || n == u"cp1250" || n == u"x-cp1250")
        return TextEncoding::Windows1250;
    return std::nullopt;
}

std::optional<TextEncoding> declaredEncoding(QStringView text)
{
    const CharsetDeclaration d = findCharsetDeclaration(text);
    if (!d.found)
        return std::nullopt;
    return encodingForCharset(d.name);
}

QString charsetName(TextEncoding encoding)
{
    return encoding == TextEncoding::Windows1250 ? QStringLiteral("windows-1250")
                                                 : QStringLiteral("utf-8");
}

std::optional<CharsetUpdate> charsetUpdateFor(QStringView text, TextEncoding encoding)
{
    const CharsetDeclaration d = findCharsetDeclaration(text);
    if (!d.found)
        return std::nullopt;
    // The byte-order mark is no part of the name: both UTF-8 forms are "utf-8".
    const auto named = encodingForCharset(d.name);
    const auto wanted = encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding;
    if (named == wanted)
        return std::nullopt;
    return CharsetUpdate{d.valueStart, d.valueLength, charsetName(encoding)};
}

QString encodingDisplayName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1250:
        break;
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom:
        return QStringLiteral("UTF-8 s BOM");
    }
    return QStringLiteral("Windows-1250");
}

} // namespace qw
