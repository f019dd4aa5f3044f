#include "core/design/HtmlTokenizer.h"

#include <initializer_list>
#include <string_view>

namespace qw {

using namespace Qt::StringLiterals;

namespace {

QChar asciiLowerChar(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? QChar(char16_t(u + (u'a' - u'A'))) : c;
}

bool startsWithNoCase(QStringView text, qsizetype at, QStringView word)
{
    if (at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (asciiLowerChar(text[at + i]) != word[i])
            return false;
    }
    return true;
}

} // namespace

bool enterElementContent(HtmlTokenizer& tokenizer, QStringView name)
{
    const std::u16string_view view(name.utf16(), size_t(name.size()));
    for (std::u16string_view raw :
         {u"script", u"style", u"xmp", u"iframe", u"noembed", u"noframes"}) {
        if (view == raw) {
            tokenizer.enterRawText(name, HtmlTextKind::Raw);
            return true;
        }
    }
    if (name == "title"_L1 || name == "textarea"_L1) {
        tokenizer.enterRawText(name, HtmlTextKind::RcData);
        return true;
    }
    if (name == "plaintext"_L1) {
        tokenizer.enterPlainText();
        return true;
    }
    return false;
}

void HtmlTokenizer::enterRawText(QStringView endName, HtmlTextKind kind)
{
    m_rawEnd = endName.toString();
    m_rawKind = kind;
}

void HtmlTokenizer::enterPlainText()
{
    m_plainText = true;
}

void HtmlTokenizer::next(HtmlToken& token)
{
    token.start = m_pos;
    token.selfClosing = false;
    token.attributes.clear();
    token.name.clear();
    token.textKind = HtmlTextKind::Data;
    if (m_pos >= m_text.size()) {
        token.kind = HtmlTokenKind::End;
        token.end = m_pos;
        return;
    }
    if (m_plainText) {
        token.kind = HtmlTokenKind::Text;
        token.textKind = HtmlTextKind::Raw;
        m_pos = m_text.size();
        token.end = m_pos;
        return;
    }
    if (!m_rawEnd.isEmpty()) {
        readRawText(token);
        if (token.end > token.start)
            return;
        // Nothing before the end tag: read the end tag itself.
        token.start = m_pos;
    }
    const QChar c = m_text[m_pos];
    if (c != u'<' || m_pos + 1 >= m_text.size()) {
        readText(token);
        return;
    }
    const QChar d = m_text[m_pos + 1];
    if (isAsciiAlpha(d)) {
        readTag(token, false);
    } else if (d == u'/') {
        if (m_pos + 2 < m_text.size() && isAsciiAlpha(m_text[m_pos + 2])) {
            readTag(token, true);
        } else if (m_pos + 2 < m_text.size() && m_text[m_pos + 2] == u'>') {
            // "</>" makes nothing at all.
            token.kind = HtmlTokenKind::EndTag;
            m_pos += 3;
            token.end = m_pos;
        } else if (m_pos + 2 >= m_text.size()) {
            readText(token);
        } else {
            readBogusComment(token, m_pos + 2);
        }
    } else if (d == u'!') {
        if (m_text.sliced(m_pos).startsWith(u"<!--"))
            readComment(token);
        else if (startsWithNoCase(m_text, m_pos + 2, u"doctype"))
            readDoctype(token);
        else
            readBogusComment(token, m_pos + 2);
    } else if (d == u'?') {
        readBogusComment(token, m_pos + 1);
    } else {
        readText(token);
    }
}

void HtmlTokenizer::readText(HtmlToken& token)
{
    token.kind = HtmlTokenKind::Text;
    // The first character is text even when it is a "<" that opens nothing.
    qsizetype i = m_pos + 1;
    const qsizetype n = m_text.size();
    while (i < n) {
        if (m_text[i] == u'<' && i + 1 < n) {
            const QChar d = m_text[i + 1];
            if (isAsciiAlpha(d) || d == u'!' || d == u'?' || (d == u'/' && i + 2 < n))
                break;
        }
        ++i;
    }
    m_pos = i;
    token.end = i;
}

void HtmlTokenizer::readRawText(HtmlToken& token)
{
    token.kind = HtmlTokenKind::Text;
    token.textKind = m_rawKind;
    const qsizetype n = m_text.size();
    qsizetype i = m_pos;
    while (true) {
        i = m_text.indexOf(u"</", i);
        if (i < 0) {
            i = n;
            break;
        }
        const qsizetype after = i + 2 + m_rawEnd.size();
        if (startsWithNoCase(m_text, i + 2, m_rawEnd) &&
            (after >= n || isHtmlSpace(m_text[after]) || m_text[after] == u'/' ||
             m_text[after] == u'>'))
            break;
        i += 2;
    }
    m_pos = i;
    token.end = i;
    if (i < n)
        m_rawEnd.clear();
}

void HtmlTokenizer::readTag(HtmlToken& token, bool endTag)
{
    token.kind = endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag;
    const qsizetype n = m_text.size();
    qsizetype i = m_pos + (endTag ? 2 : 1);
    while (i < n && !isHtmlSpace(m_text[i]) && m_text[i] != u'/' && m_text[i] != u'>') {
        token.name.append(asciiLowerChar(m_text[i]));
        ++i;
    }
    while (true) {
        while (i < n && (isHtmlSpace(m_text[i]) || m_text[i] == u'/')) {
            if (m_text[i] == u'/' && i + 1 < n && m_text[i + 1] == u'>')
                token.selfClosing = true;
            ++i;
        }
        if (i >= n)
            break;
        if (m_text[i] == u'>') {
            m_pos = i + 1;
            token.end = m_pos;
            return;
        }
        HtmlAttributeSpan attribute;
        attribute.start = i;
        ++i; // a name may start with "="
        while (i < n && !isHtmlSpace(m_text[i]) && m_text[i] != u'/' && m_text[i] != u'>' &&
               m_text[i] != u'=')
            ++i;
        attribute.nameEnd = i;
        attribute.end = i;
        qsizetype j = i;
        while (j < n && isHtmlSpace(m_text[j]))
            ++j;
        if (j < n && m_text[j] == u'=') {
            ++j;
            while (j < n && isHtmlSpace(m_text[j]))
                ++j;
            if (j >= n) {
                i = j;
                break;
            }
            const QChar quote = m_text[j];
            if (quote == u'"' || quote == u'\'') {
                const qsizetype close = m_text.indexOf(quote, j + 1);
                if (close < 0) {
                    i = n;
                    break;
                }
                attribute.valueStart = j + 1;
                attribute.valueEnd = close;
                i = close + 1;
            } else if (quote == u'>') {
                attribute.valueStart = attribute.valueEnd = j;
                i = j;
            } else {
                attribute.valueStart = j;
                while (j < n && !isHtmlSpace(m_text[j]) && m_text[j] != u'>')
                    ++j;
                attribute.valueEnd = j;
                i = j;
            }
            attribute.end = i;
        }
        if (!endTag)
            token.attributes.append(attribute);
    }
    // The text ended inside the tag: a browser drops such a tag.
    token.kind = HtmlTokenKind::End;
    m_pos = n;
    token.end = n;
}

void HtmlTokenizer::readComment(HtmlToken& token)
{
    token.kind = HtmlTokenKind::Comment;
    const qsizetype n = m_text.size();
    const qsizetype body = m_pos + 4;
    // "<!-->" and "<!--->" are whole comments.
    if (body < n && m_text[body] == u'>') {
        m_pos = body + 1;
    } else if (body + 1 < n && m_text[body] == u'-' && m_text[body + 1] == u'>') {
        m_pos = body + 2;
    } else {
        qsizetype i = body;
        m_pos = n;
        while ((i = m_text.indexOf(u"--", i)) >= 0) {
            if (i + 2 < n && m_text[i + 2] == u'>') {
                m_pos = i + 3;
                break;
            }
            if (i + 3 < n && m_text[i + 2] == u'!' && m_text[i + 3] == u'>') {
                m_pos = i + 4;
                break;
            }
            ++i;
        }
    }
    token.end = m_pos;
}

void HtmlTokenizer::readBogusComment(HtmlToken& token, qsizetype from)
{
    token.kind = HtmlTokenKind::Comment;
    const qsizetype close = m_text.indexOf(u'>', from);
    m_pos = close < 0 ? m_text.size() : close + 1;
    token.end = m_pos;
}

void HtmlTokenizer::readDoctype(HtmlToken& token)
{
    token.kind = HtmlTokenKind::Doctype;
    token.hasPublicId = token.hasSystemId = token.forceQuirks = false;
    token.publicId.clear();
    token.systemId.clear();
    const qsizetype n = m_text.size();
    qsizetype i = m_pos + 9;
    const qsizetype close = m_text.indexOf(u'>', i);
    const qsizetype stop = close < 0 ? n : close;
    m_pos = close < 0 ? n : close + 1;
    token.end = m_pos;
    if (close < 0)
        token.forceQuirks = true;

    auto skipSpace = [&] {
        while (i < stop && isHtmlSpace(m_text[i]))
            ++i;
    };
    skipSpace();
    while (i < stop && !isHtmlSpace(m_text[i]))
        token.name.append(asciiLowerChar(m_text[i++]));
    if (token.name.isEmpty()) {
        token.forceQuirks = true;
        return;
    }
    auto readQuoted = [&](QString& into) {
        skipSpace();
        if (i >= stop || (m_text[i] != u'"' && m_text[i] != u'\'')) {
            token.forceQuirks = true;
            return false;
        }
        const QChar quote = m_text[i++];
        const qsizetype end = m_text.indexOf(quote, i);
        if (end < 0 || end > stop) {
            // A ">" inside the identifier ends the doctype there.
            into = m_text.sliced(i, stop - i).toString();
            token.forceQuirks = true;
            i = stop;
            return false;
        }
        into = m_text.sliced(i, end - i).toString();
        i = end + 1;
        return true;
    };
    skipSpace();
    if (startsWithNoCase(m_text, i, u"public")) {
        i += 6;
        token.hasPublicId = true;
        if (!readQuoted(token.publicId))
            return;
        skipSpace();
        if (i < stop && (m_text[i] == u'"' || m_text[i] == u'\'')) {
            token.hasSystemId = true;
            readQuoted(token.systemId);
        }
    } else if (startsWithNoCase(m_text, i, u"system")) {
        i += 6;
        token.hasSystemId = true;
        readQuoted(token.systemId);
    } else if (i < stop) {
        token.forceQuirks = true;
    }
}

} // namespace qw
