#pragma once

// A tokenizer that reads HTML the way a browser's parser splits it: text,
// start and end tags with their attributes, comments (bogus ones included)
// and a doctype. Its one caller decides, as a browser's tree builder does,
// when the content of an element is raw text, and tells it so.

#include <QList>
#include <QString>
#include <QStringView>

namespace qw {

enum class HtmlTokenKind { Text, StartTag, EndTag, Comment, Doctype, End };

// How the characters of a Text token are to be read.
enum class HtmlTextKind {
    Data,   // ordinary text: character references are decoded
    RcData, // title, textarea: references decoded, no tags
    Raw,    // script, style and the like: taken as written
};

struct HtmlAttributeSpan
{
    qsizetype start = 0; // the name's first character
    qsizetype end = 0;   // after the value (its closing quote) or the name
    qsizetype nameEnd = 0;
    qsizetype valueStart = -1; // the value without quotes; -1 for a bare name
    qsizetype valueEnd = -1;
};

struct HtmlToken
{
    HtmlTokenKind kind = HtmlTokenKind::End;
    qsizetype start = 0;
    qsizetype end = 0;
    // Tags: the name in ASCII lower case. Doctype: its name, likewise.
    QString name;
    HtmlTextKind textKind = HtmlTextKind::Data;
    bool selfClosing = false;
    QList<HtmlAttributeSpan> attributes; // start tags
    // Doctype.
    bool hasPublicId = false;
    bool hasSystemId = false;
    bool forceQuirks = false;
    QString publicId;
    QString systemId;
};

class HtmlTokenizer
{
public:
    explicit HtmlTokenizer(QStringView text) : m_text(text) {}

    // The next token; a kind of End once the text is used up. The token is
    // filled in place so a scan of a large page reuses its buffers.
    void next(HtmlToken& token);

    // The content after the start tag just read is raw text or RCDATA up to
    // the end tag named endName (lower case).
    void enterRawText(QStringView endName, HtmlTextKind kind);
    // Everything after the start tag just read is raw text.
    void enterPlainText();

    qsizetype position() const { return m_pos; }

private:
    void readText(HtmlToken& token);
    void readRawText(HtmlToken& token);
    void readTag(HtmlToken& token, bool endTag);
    void readComment(HtmlToken& token);
    void readBogusComment(HtmlToken& token, qsizetype from);
    void readDoctype(HtmlToken& token);

    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_rawEnd; // non-empty while inside raw text
    HtmlTextKind m_rawKind = HtmlTextKind::Raw;
    bool m_plainText = false;
};

// Tells the tokenizer when the content of the element whose start tag was
// just read is raw text (script, style...), RCDATA (title, textarea) or the
// rest of the text (plaintext); true when it is. Not for svg or math.
bool enterElementContent(HtmlTokenizer& tokenizer, QStringView name);

// True for the characters HTML counts as whitespace.
inline bool isHtmlSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f';
}

inline bool isAsciiAlpha(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

} // namespace qw
