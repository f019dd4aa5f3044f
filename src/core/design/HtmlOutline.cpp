#include "core/design/HtmlOutline.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace qw {

using namespace Qt::StringLiterals;

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c)
{
    return isDigit(c) || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f');
}

bool isAsciiAlnum(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Character references a browser decodes without their ";".
constexpr QStringView kLegacyReferences[] = {
    u"AElig",  u"AMP",    u"Aacute", u"Acirc",  u"Agrave", u"Aring",  u"Atilde", u"Auml",
    u"COPY",   u"Ccedil", u"ETH",    u"Eacute", u"Ecirc",  u"Egrave", u"Euml",   u"GT",
    u"Iacute", u"Icirc",  u"Igrave", u"Iuml",   u"LT",     u"Ntilde", u"Oacute", u"Ocirc",
    u"Ograve", u"Oslash", u"Otilde", u"Ouml",   u"QUOT",   u"REG",    u"THORN",  u"Uacute",
    u"Ucirc",  u"Ugrave", u"Uuml",   u"Yacute", u"aacute", u"acirc",  u"acute",  u"aelig",
    u"agrave", u"amp",    u"aring",  u"atilde", u"auml",   u"brvbar", u"ccedil", u"cedil",
    u"cent",   u"copy",   u"curren", u"deg",    u"divide", u"eacute", u"ecirc",  u"egrave",
    u"eth",    u"euml",   u"frac12", u"frac14", u"frac34", u"gt",     u"iacute", u"icirc",
    u"iexcl",  u"igrave", u"iquest", u"iuml",   u"laquo",  u"lt",     u"macr",   u"micro",
    u"middot", u"nbsp",   u"not",    u"ntilde", u"oacute", u"ocirc",  u"ograve", u"ordf",
    u"ordm",   u"oslash", u"otilde", u"ouml",   u"para",   u"plusmn", u"pound",  u"quot",
    u"raquo",  u"reg",    u"sect",   u"shy",    u"sup1",   u"sup2",   u"sup3",   u"szlig",
    u"thorn",  u"times",  u"uacute", u"ucirc",  u"ugrave", u"uml",    u"uuml",   u"yacute",
    u"yen",    u"yuml",
};

bool isLegacyReference(QStringView name)
{
    for (QStringView legacy : kLegacyReferences) {
        if (legacy == name)
            return true;
    }
    return false;
}

bool isOneOf(QStringView name, std::initializer_list<std::u16string_view> names)
{
    const std::u16string_view view(name.utf16(), size_t(name.size()));
    for (std::u16string_view n : names) {
        if (n == view)
            return true;
    }
    return false;
}

bool voidElement(QStringView name)
{
    return isOneOf(name, {u"area", u"base", u"basefont", u"bgsound", u"br", u"col", u"embed",
                          u"frame", u"hr", u"img", u"input", u"keygen", u"link", u"meta", u"param",
                          u"source", u"track", u"wbr"});
}

bool isHeading(QStringView name)
{
    return name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6';
}

bool closesParagraph(QStringView name)
{
    return isHeading(name) ||
           isOneOf(name,
                   {u"address", u"article", u"aside",   u"blockquote", u"center",    u"details",
                    u"dialog",  u"dir",     u"div",     u"dl",         u"fieldset",  u"figcaption",
                    u"figure",  u"footer",  u"header",  u"hgroup",     u"main",      u"menu",
                    u"nav",     u"ol",      u"p",       u"search",     u"section",   u"summary",
                    u"ul",      u"pre",     u"listing", u"form",       u"plaintext", u"xmp",
                    u"hr",      u"li",      u"dd",      u"dt"});
}

bool isSpecial(QStringView name)
{
    return isHeading(name) ||
           isOneOf(name,
                   {u"address",    u"applet",   u"area",       u"article",  u"aside",   u"base",
                    u"basefont",   u"bgsound",  u"blockquote", u"body",     u"br",      u"button",
                    u"caption",    u"center",   u"col",        u"colgroup", u"dd",      u"details",
                    u"dir",        u"div",      u"dl",         u"dt",       u"embed",   u"fieldset",
                    u"figcaption", u"figure",   u"footer",     u"form",     u"frame",   u"frameset",
                    u"head",       u"header",   u"hgroup",     u"hr",       u"html",    u"iframe",
                    u"img",        u"input",    u"keygen",     u"li",       u"link",    u"listing",
                    u"main",       u"marquee",  u"menu",       u"meta",     u"nav",     u"noembed",
                    u"noframes",   u"noscript", u"object",     u"ol",       u"p",       u"param",
                    u"plaintext",  u"pre",      u"script",     u"search",   u"section", u"select",
                    u"source",     u"style",    u"summary",    u"table",    u"tbody",   u"td",
                    u"template",   u"textarea", u"tfoot",      u"th",       u"thead",   u"title",
                    u"tr",         u"track",    u"ul",         u"wbr",      u"xmp"});
}

// End tags that close their element when it is in scope, whatever lies
// between (block elements, and formatting elements, whose end tags a
// browser handles by moving the misnested ones).
bool closesInScope(QStringView name)
{
    return isOneOf(name,
                   {u"address",    u"article", u"aside",  u"blockquote", u"button", u"center",
                    u"details",    u"dialog",  u"dir",    u"div",        u"dl",     u"fieldset",
                    u"figcaption", u"figure",  u"footer", u"header",     u"hgroup", u"listing",
                    u"main",       u"menu",    u"nav",    u"ol",         u"pre",    u"search",
                    u"section",    u"summary", u"ul",     u"form",       u"applet", u"marquee",
                    u"object",     u"a",       u"b",      u"big",        u"code",   u"em",
                    u"font",       u"i",       u"nobr",   u"s",          u"small",  u"strike",
                    u"strong",     u"tt",      u"u"});
}

bool isScopeBoundary(QStringView name)
{
    return isOneOf(name, {u"applet", u"caption", u"html", u"table", u"td", u"th", u"marquee",
                          u"object", u"template", u"foreignobject", u"desc", u"mi", u"mo", u"mn",
                          u"ms", u"mtext", u"annotation-xml"});
}

bool isTablePart(QStringView name)
{
    return isOneOf(
        name, {u"caption", u"col", u"colgroup", u"tbody", u"td", u"tfoot", u"th", u"thead", u"tr"});
}

bool impliesEnd(QStringView name)
{
    return isOneOf(
        name, {u"dd", u"dt", u"li", u"optgroup", u"option", u"p", u"rb", u"rp", u"rt", u"rtc"});
}

// HTML elements that end open svg or math content.
bool leavesForeignContent(QStringView name)
{
    return isHeading(name) ||
           isOneOf(name,
                   {u"b",      u"big",    u"blockquote", u"body",    u"br",    u"center", u"code",
                    u"dd",     u"div",    u"dl",         u"dt",      u"em",    u"embed",  u"hr",
                    u"i",      u"img",    u"li",         u"listing", u"menu",  u"meta",   u"nobr",
                    u"ol",     u"p",      u"pre",        u"ruby",    u"s",     u"small",  u"span",
                    u"strong", u"strike", u"sub",        u"sup",     u"table", u"tt",     u"u",
                    u"ul",     u"var"});
}

bool startsWithAny(const QString& text, std::initializer_list<std::u16string_view> prefixes)
{
    for (QStringView prefix : prefixes) {
        if (text.startsWith(prefix))
            return true;
    }
    return false;
}

// Whether a doctype puts the page into quirks mode, where a <table> does
// not end an open <p>. Limited quirks mode behaves as no quirks for that.
bool doctypeMeansQuirks(const HtmlToken& doctype)
{
    if (doctype.forceQuirks || doctype.name != "html"_L1)
        return true;
    const QString publicId = doctype.publicId.toLower();
    const QString systemId = doctype.systemId.toLower();
    if (publicId == u"-//w3o//dtd w3 html strict 3.0//en//" ||
        publicId == u"-/w3c/dtd html 4.0 transitional/en" || publicId == "html"_L1 ||
        systemId == u"http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd")
        return true;
    if (startsWithAny(publicId, {u"+//silmaril//",
                                 u"-//as//",
                                 u"-//advasoft ltd//",
                                 u"-//ietf//dtd html",
                                 u"-//metrius//",
                                 u"-//microsoft//",
                                 u"-//netscape comm. corp.//",
                                 u"-//o'reilly and associates//",
                                 u"-//spyglass//",
                                 u"-//sq//",
                                 u"-//sun microsystems corp.//",
                                 u"-//softquad",
                                 u"-//w3c//dtd html 2",
                                 u"-//w3c//dtd html 3",
                                 u"-//w3c//dtd html 4.0 frameset//",
                                 u"-//w3c//dtd html 4.0 transitional//",
                                 u"-//w3c//dtd html experimental",
                                 u"-//w3c//dtd w3 html//",
                                 u"-//w3o//dtd w3 html 3.0//",
                                 u"-//webtechs//dtd mozilla html"}))
        return true;
    return !doctype.hasSystemId &&
           startsWithAny(publicId, {u"-//w3c//dtd html 4.01 frameset//",
                                    u"-//w3c//dtd html 4.01 transitional//"});
}

class OutlineBuilder
{
public:
    explicit OutlineBuilder(QStringView text) : m_text(text), m_tokenizer(text)
    {
        m_out.nodes.reserve(size_t(text.size() / 16 + 16));
        m_out.head = newNode(-1, QStringLiteral("head"), 0);
        m_out.body = newNode(-1, QStringLiteral("body"), 0);
    }

    HtmlOutline run()
    {
        while (true) {
            m_tokenizer.next(m_token);
            if (m_token.kind == HtmlTokenKind::End || m_frameset)
                break;
            m_from = m_token.start;
            while (dispatch()) {
            }
        }
        // A page that ends before its head or body: the browser adds them
        // at the end.
        const qsizetype end = m_text.size();
        if (m_mode <= Mode::BeforeHead)
            node(m_out.head).contentStart = end;
        if (m_mode < Mode::InBody) {
            m_out.bodyTagStart = m_out.bodyTagEnd = end;
            node(m_out.body).contentStart = end;
        }
        if (m_mode == Mode::InBody)
            closeOpenElements(end);
        if (!m_headOpen.isEmpty())
            node(node(m_out.head).lastChild).end = end;
        m_out.frameset = m_frameset;
        return std::move(m_out);
    }

private:
    enum class Mode { Initial, BeforeHtml, BeforeHead, InHead, AfterHead, InBody, AfterBody };

    struct Open
    {
        QString name;
        int node = -1;
        bool foreign = false;
    };

    OutlineNode& node(int index) { return m_out.nodes[size_t(index)]; }

    int newNode(int parent, const QString& name, qsizetype start)
    {
        OutlineNode n;
        n.name = name;
        n.start = n.end = n.contentStart = start;
        const int index = int(m_out.nodes.size());
        m_out.nodes.push_back(std::move(n));
        if (parent >= 0) {
            OutlineNode& p = node(parent);
            if (p.lastChild >= 0)
                node(p.lastChild).nextSibling = index;
            else
                p.firstChild = index;
            p.lastChild = index;
        }
        return index;
    }

    // Handles the token (from m_from for text); true asks to hand the rest
    // of it to the new mode.
    bool dispatch()
    {
        const HtmlToken& t = m_token;
        switch (m_mode) {
        case Mode::Initial:
            if (t.kind == HtmlTokenKind::Text && skipSpace())
                return false;
            if (t.kind == HtmlTokenKind::Comment)
                return false;
            m_quirks = t.kind == HtmlTokenKind::Doctype ? doctypeMeansQuirks(t) : true;
            m_mode = Mode::BeforeHtml;
            return t.kind != HtmlTokenKind::Doctype;
        case Mode::BeforeHtml:
            if (t.kind == HtmlTokenKind::Text && skipSpace())
                return false;
            if (t.kind == HtmlTokenKind::Comment || t.kind == HtmlTokenKind::Doctype)
                return false;
            if (t.kind == HtmlTokenKind::EndTag &&
                !isOneOf(t.name, {u"head", u"body", u"html", u"br"}))
                return false;
            m_mode = Mode::BeforeHead;
            return !(t.kind == HtmlTokenKind::StartTag && t.name == "html"_L1);
        case Mode::BeforeHead:
            if (t.kind == HtmlTokenKind::Text && skipSpace())
                return false;
            if (t.kind == HtmlTokenKind::Comment || t.kind == HtmlTokenKind::Doctype)
                return false;
            if (t.kind == HtmlTokenKind::StartTag && t.name == "html"_L1)
                return false;
            if (t.kind == HtmlTokenKind::EndTag &&
                !isOneOf(t.name, {u"head", u"body", u"html", u"br"}))
                return false;
            m_mode = Mode::InHead;
            if (t.kind == HtmlTokenKind::StartTag && t.name == "head"_L1) {
                node(m_out.head).contentStart = t.end;
                return false;
            }
            node(m_out.head).contentStart = m_from;
            return true;
        case Mode::InHead:
            return inHead();
        case Mode::AfterHead:
            return afterHead();
        case Mode::InBody:
            return inBody();
        case Mode::AfterBody:
            return afterBody();
        }
        return false;
    }

    // Skips white space at m_from; true when nothing of the token is left.
    bool skipSpace()
    {
        while (m_from < m_token.end && isHtmlSpace(m_text[m_from]))
            ++m_from;
        return m_from >= m_token.end;
    }
    qsizetype spaceEnd() const
    {
        qsizetype i = m_from;
        while (i < m_token.end && isHtmlSpace(m_text[i]))
            ++i;
        return i;
    }

    // ---- head -----------------------------------------------------------

    void addHeadNode(const QString& name)
    {
        const int index = newNode(m_out.head, name, m_token.start);
        node(index).end = m_token.end;
    }

    // Content of the head element still open (title, script, noscript...);
    // true when the token ends it and is to be handled on its own.
    bool inOpenHeadElement()
    {
        OutlineNode& open = node(node(m_out.head).lastChild);
        const HtmlToken& t = m_token;
        if (t.kind == HtmlTokenKind::Text) {
            open.end = t.end;
            return false;
        }
        if (t.kind == HtmlTokenKind::EndTag && t.name == m_headOpen) {
            open.end = t.end;
            m_headOpen.clear();
            return false;
        }
        if (m_headOpen == "noscript"_L1) {
            // Without scripts only these belong inside <noscript> in a head.
            if (t.kind == HtmlTokenKind::Comment ||
                (t.kind == HtmlTokenKind::StartTag &&
                 isOneOf(t.name,
                         {u"link", u"meta", u"style", u"noframes", u"basefont", u"bgsound"}))) {
                if (t.kind == HtmlTokenKind::StartTag)
                    enterElementContent(m_tokenizer, t.name);
                open.end = t.end;
                return false;
            }
            open.end = t.start;
            m_headOpen.clear();
            return true;
        }
        open.end = t.end; // inside a template
        return false;
    }

    // A start tag that goes into the head; false when it is not one.
    bool headElement()
    {
        const HtmlToken& t = m_token;
        if (isOneOf(t.name, {u"base", u"basefont", u"bgsound", u"link", u"meta"})) {
            addHeadNode(t.name);
            return true;
        }
        if (isOneOf(t.name,
                    {u"title", u"style", u"noframes", u"script", u"noscript", u"template"})) {
            addHeadNode(t.name);
            enterElementContent(m_tokenizer, t.name);
            m_headOpen = t.name;
            return true;
        }
        return false;
    }

    bool inHead()
    {
        const HtmlToken& t = m_token;
        if (!m_headOpen.isEmpty() && !inOpenHeadElement())
            return false;
        switch (t.kind) {
        case HtmlTokenKind::Text: {
            const qsizetype space = spaceEnd();
            if (space > m_from) {
                const int last = node(m_out.head).lastChild;
                if (last >= 0 && node(last).name == "#text"_L1 && node(last).end == m_from) {
                    node(last).end = space;
                } else {
                    const int index = newNode(m_out.head, QStringLiteral("#text"), m_from);
                    node(index).end = space;
                }
                m_from = space;
            }
            if (m_from >= t.end)
                return false;
            m_mode = Mode::AfterHead;
            return true;
        }
        case HtmlTokenKind::Comment:
            addHeadNode(QStringLiteral("#comment"));
            return false;
        case HtmlTokenKind::Doctype:
        case HtmlTokenKind::End:
            return false;
        case HtmlTokenKind::StartTag:
            if (t.name == "html"_L1 || t.name == "head"_L1)
                return false;
            if (headElement())
                return false;
            m_mode = Mode::AfterHead;
            return true;
        case HtmlTokenKind::EndTag:
            if (t.name == "head"_L1) {
                m_mode = Mode::AfterHead;
                return false;
            }
            if (!isOneOf(t.name, {u"body", u"html", u"br"}))
                return false;
            m_mode = Mode::AfterHead;
            return true;
        }
        return false;
    }

    void impliedBody(qsizetype at)
    {
        m_out.bodyTagStart = m_out.bodyTagEnd = at;
        node(m_out.body).contentStart = at;
        m_mode = Mode::InBody;
    }

    bool afterHead()
    {
        const HtmlToken& t = m_token;
        if (!m_headOpen.isEmpty() && !inOpenHeadElement())
            return false;
        switch (t.kind) {
        case HtmlTokenKind::Text:
            if (skipSpace())
                return false;
            impliedBody(m_from);
            return true;
        case HtmlTokenKind::Comment:
        case HtmlTokenKind::Doctype:
        case HtmlTokenKind::End:
            return false;
        case HtmlTokenKind::StartTag:
            if (t.name == "html"_L1 || t.name == "head"_L1)
                return false;
            if (t.name == "body"_L1) {
                m_out.bodyTagStart = t.start;
                m_out.bodyTagEnd = t.end;
                m_out.bodyTagAttributes = t.attributes;
                node(m_out.body).contentStart = t.end;
                m_mode = Mode::InBody;
                return false;
            }
            if (t.name == "frameset"_L1) {
                m_frameset = true;
                return false;
            }
            if (headElement())
                return false;
            impliedBody(t.start);
            return true;
        case HtmlTokenKind::EndTag:
            if (!isOneOf(t.name, {u"body", u"html", u"br"}))
                return false;
            impliedBody(t.start);
            return true;
        }
        return false;
    }

    // ---- body -----------------------------------------------------------

    int currentParent() const { return m_stack.empty() ? m_out.body : m_stack.back().node; }

    // Pops the open element at index and everything above it, each ending
    // at closedAt.
    void popTo(qsizetype index, qsizetype closedAt)
    {
        while (qsizetype(m_stack.size()) > index) {
            node(m_stack.back().node).end = closedAt;
            m_stack.pop_back();
        }
    }
    void popOne(qsizetype closedAt) { popTo(qsizetype(m_stack.size()) - 1, closedAt); }

    void closeOpenElements(qsizetype at)
    {
        for (const Open& open : m_stack) {
            if (node(open.node).end < at)
                node(open.node).end = at;
        }
    }

    qsizetype findInScope(QStringView name, std::initializer_list<std::u16string_view> extra = {},
                          bool tableScope = false) const
    {
        for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
            const QString& open = m_stack[size_t(i)].name;
            if (open == name)
                return i;
            if (tableScope ? isOneOf(open, {u"html", u"table", u"template"})
                           : (isScopeBoundary(open) || isOneOf(open, extra)))
                return -1;
        }
        return -1;
    }

    bool popIfInScope(QStringView name, qsizetype closedAt,
                      std::initializer_list<std::u16string_view> extra = {},
                      bool tableScope = false)
    {
        const qsizetype at = findInScope(name, extra, tableScope);
        if (at < 0)
            return false;
        popTo(at, closedAt);
        return true;
    }

    void closeParagraph(qsizetype closedAt) { popIfInScope(u"p", closedAt, {u"button"}); }

    void closeCell(qsizetype closedAt)
    {
        for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
            const QString& open = m_stack[size_t(i)].name;
            if (open == "td"_L1 || open == "th"_L1) {
                popTo(i, closedAt);
                return;
            }
            if (isOneOf(open, {u"html", u"table", u"template"}))
                return;
        }
    }

    void popUntilTopIsOneOf(std::initializer_list<std::u16string_view> names, qsizetype closedAt)
    {
        while (!m_stack.empty() && !isOneOf(m_stack.back().name, names))
            popOne(closedAt);
    }

    enum class TableContext { None, Table, Cell };
    TableContext tableContext() const
    {
        for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
            if (isOneOf(it->name, {u"td", u"th", u"caption"}))
                return TableContext::Cell;
            if (isOneOf(it->name, {u"table", u"tbody", u"thead", u"tfoot", u"tr", u"colgroup"}))
                return TableContext::Table;
            if (it->name == "template"_L1)
                return TableContext::None;
        }
        return TableContext::None;
    }

    // An element the browser adds without a tag in the source.
    void addImplied(const QString& name)
    {
        const int index = newNode(currentParent(), name, m_token.start);
        node(index).implied = true;
        node(index).childrenKnown = true;
        m_stack.push_back({name, index, false});
    }

    // An element made by a start tag (or by a lone </p> or </br>).
    void addElement(const QString& name, bool leaf, bool foreign)
    {
        const HtmlToken& t = m_token;
        const int index = newNode(currentParent(), name, t.start);
        OutlineNode& n = node(index);
        n.end = n.contentStart = t.end;
        n.childrenKnown = true;
        if (leaf)
            return;
        m_stack.push_back({name, index, foreign});
        if (!foreign && t.kind == HtmlTokenKind::StartTag)
            enterElementContent(m_tokenizer, name);
    }

    void bodyText(qsizetype from, qsizetype to)
    {
        const int parent = currentParent();
        const int last = node(parent).lastChild;
        if (last >= 0 && node(last).name == "#text"_L1) {
            OutlineNode& text = node(last);
            if (m_mode == Mode::AfterBody || !text.tail.isEmpty()) {
                text.tail += m_text.sliced(from, to - from);
            } else {
                text.end = to;
            }
            return;
        }
        const int index = newNode(parent, QStringLiteral("#text"), from);
        node(index).end = to;
    }

    void bodyStartTag()
    {
        const HtmlToken& t = m_token;
        const QString name = t.name == "image"_L1 ? QStringLiteral("img") : t.name;
        if (isOneOf(name, {u"html", u"body", u"head", u"frameset"}))
            return;
        if (!m_stack.empty() && m_stack.back().foreign) {
            if (!leavesForeignContent(name)) {
                addElement(name, t.selfClosing, true);
                return;
            }
            while (!m_stack.empty() && m_stack.back().foreign)
                popOne(t.start);
        }
        if (isTablePart(name)) {
            if (tableContext() == TableContext::None)
                return; // ignored outside a table
            closeCell(t.start);
            if (name == "td"_L1 || name == "th"_L1) {
                popUntilTopIsOneOf({u"tr", u"tbody", u"thead", u"tfoot", u"table"}, t.start);
                if (!m_stack.empty() && m_stack.back().name == "table"_L1)
                    addImplied(QStringLiteral("tbody"));
                if (!m_stack.empty() && m_stack.back().name != "tr"_L1)
                    addImplied(QStringLiteral("tr"));
            } else if (name == "tr"_L1) {
                popUntilTopIsOneOf({u"tbody", u"thead", u"tfoot", u"table"}, t.start);
                if (!m_stack.empty() && m_stack.back().name == "table"_L1)
                    addImplied(QStringLiteral("tbody"));
            } else if (name == "col"_L1) {
                popUntilTopIsOneOf({u"table", u"colgroup"}, t.start);
                if (!m_stack.empty() && m_stack.back().name == "table"_L1)
                    addImplied(QStringLiteral("colgroup"));
            } else {
                popUntilTopIsOneOf({u"table"}, t.start);
            }
            addElement(name, name == "col"_L1, false);
            return;
        }
        if (name == "table"_L1 && tableContext() == TableContext::Table)
            popIfInScope(u"table", t.start, {}, true); // a table inside a table ends it
        if (closesParagraph(name) || (name == "table"_L1 && !m_quirks))
            closeParagraph(t.start);
        if (isHeading(name) && !m_stack.empty() && isHeading(m_stack.back().name))
            popOne(t.start);
        if (name == "li"_L1)
            closeListItem({u"li"});
        else if (name == "dd"_L1 || name == "dt"_L1)
            closeListItem({u"dd", u"dt"});
        if (name == "a"_L1) {
            // A link inside a link ends the outer one.
            for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
                const QString& open = m_stack[size_t(i)].name;
                if (open == "a"_L1) {
                    popTo(i, t.start);
                    break;
                }
                if (isOneOf(open, {u"td", u"th", u"caption", u"table", u"applet", u"object",
                                   u"marquee", u"template"}))
                    break;
            }
        }
        if (name == "nobr"_L1 || name == "button"_L1)
            popIfInScope(name, t.start);
        if ((name == "option"_L1 || name == "optgroup"_L1) && !m_stack.empty() &&
            m_stack.back().name == "option"_L1)
            popOne(t.start);
        if (isOneOf(name, {u"rb", u"rtc", u"rp", u"rt"})) {
            const bool keepRtc = name == "rp"_L1 || name == "rt"_L1;
            while (!m_stack.empty() && impliesEnd(m_stack.back().name) &&
                   !(keepRtc && m_stack.back().name == "rtc"_L1))
                popOne(t.start);
        }
        const bool foreign = name == "svg"_L1 || name == "math"_L1;
        addElement(name, voidElement(name) || (foreign && t.selfClosing), foreign);
    }

    void closeListItem(std::initializer_list<std::u16string_view> names)
    {
        for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
            const QString& open = m_stack[size_t(i)].name;
            if (isOneOf(open, names)) {
                popTo(i, m_token.start);
                return;
            }
            if (isSpecial(open) && !isOneOf(open, {u"address", u"div", u"p"}))
                return;
        }
    }

    void bodyEndTag()
    {
        const HtmlToken& t = m_token;
        const QString& name = t.name;
        if (name == "body"_L1 || name == "html"_L1) {
            if (m_out.bodyEndTag < 0)
                m_out.bodyEndTag = t.start;
            closeOpenElements(t.start);
            m_mode = Mode::AfterBody;
            return;
        }
        if (name == "br"_L1) {
            addElement(QStringLiteral("br"), true, false);
            return;
        }
        if (!m_stack.empty() && m_stack.back().foreign) {
            for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
                if (m_stack[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0) {
                    popTo(i, t.end);
                    return;
                }
                if (!m_stack[size_t(i)].foreign)
                    break;
            }
        }
        if (name == "p"_L1) {
            if (!popIfInScope(u"p", t.end, {u"button"}))
                addElement(QStringLiteral("p"), true, false); // a lone </p>: an empty paragraph
            return;
        }
        if (name == "li"_L1) {
            popIfInScope(u"li", t.end, {u"ol", u"ul"});
        } else if (name == "dd"_L1 || name == "dt"_L1) {
            popIfInScope(name, t.end);
        } else if (isHeading(name)) {
            for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
                const QString& open = m_stack[size_t(i)].name;
                if (isHeading(open)) {
                    popTo(i, t.end);
                    break;
                }
                if (isScopeBoundary(open))
                    break;
            }
        } else if (name == "table"_L1 || isTablePart(name)) {
            popIfInScope(name, t.end, {}, true);
        } else if (closesInScope(name)) {
            popIfInScope(name, t.end);
        } else {
            // Any other end tag closes the nearest open element of its
            // name unless an element that ends such searches lies between.
            for (qsizetype i = qsizetype(m_stack.size()) - 1; i >= 0; --i) {
                const QString& open = m_stack[size_t(i)].name;
                if (open == name) {
                    popTo(i, t.end);
                    break;
                }
                if (isSpecial(open))
                    break;
            }
        }
    }

    bool inBody()
    {
        const HtmlToken& t = m_token;
        switch (t.kind) {
        case HtmlTokenKind::Text:
            bodyText(m_from, t.end);
            return false;
        case HtmlTokenKind::Comment: {
            const int index = newNode(currentParent(), QStringLiteral("#comment"), t.start);
            node(index).end = t.end;
            return false;
        }
        case HtmlTokenKind::Doctype:
        case HtmlTokenKind::End:
            return false;
        case HtmlTokenKind::StartTag:
            bodyStartTag();
            return false;
        case HtmlTokenKind::EndTag:
            bodyEndTag();
            return false;
        }
        return false;
    }

    bool afterBody()
    {
        const HtmlToken& t = m_token;
        switch (t.kind) {
        case HtmlTokenKind::Text: {
            const qsizetype space = spaceEnd();
            if (space > m_from) {
                bodyText(m_from, space);
                m_from = space;
            }
            if (m_from >= t.end)
                return false;
            break;
        }
        case HtmlTokenKind::Comment: // it goes to the html element or the document
        case HtmlTokenKind::Doctype:
        case HtmlTokenKind::End:
            return false;
        case HtmlTokenKind::StartTag:
            if (t.name == "html"_L1)
                return false;
            break;
        case HtmlTokenKind::EndTag:
            if (t.name == "html"_L1 || t.name == "body"_L1)
                return false;
            break;
        }
        m_mode = Mode::InBody;
        return true;
    }

    QStringView m_text;
    HtmlTokenizer m_tokenizer;
    HtmlToken m_token;
    qsizetype m_from = 0;
    HtmlOutline m_out;
    Mode m_mode = Mode::Initial;
    bool m_quirks = true;
    bool m_frameset = false;
    QString m_headOpen;
    std::vector<Open> m_stack;
};
} // namespace

HtmlOutline outlineHtml(QStringView source)
{
    return OutlineBuilder(source).run();
}

bool isVoidElement(QStringView name)
{
    return voidElement(name);
}

void TextSignature::addMarkup(QStringView markup)
{
    HtmlTokenizer tokenizer(markup);
    HtmlToken token;
    int foreignDepth = 0;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (token.kind == HtmlTokenKind::Text) {
            addText(markup.sliced(token.start, token.end - token.start), token.textKind);
        } else if (token.kind == HtmlTokenKind::StartTag) {
            if (token.name == "svg"_L1 || token.name == "math"_L1) {
                if (!token.selfClosing)
                    ++foreignDepth;
            } else if (foreignDepth == 0) {
                enterElementContent(tokenizer, token.name);
            }
        } else if (token.kind == HtmlTokenKind::EndTag && foreignDepth > 0 &&
                   (token.name == "svg"_L1 || token.name == "math"_L1)) {
            --foreignDepth;
        }
    }
}

void TextSignature::endWord()
{
    if (!m_inWord)
        return;
    // Mixed before summing, so that words do not cancel each other out.
    quint64 z = m_word + 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    m_sum += z ^ (z >> 31);
    m_word = 14695981039346656037ull;
    m_inWord = false;
}

void TextSignature::addText(QStringView text, HtmlTextKind kind)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'&' || kind == HtmlTextKind::Raw) {
            if (isAsciiAlnum(c))
                add(c);
            else
                endWord();
            continue;
        }
        endWord();
        i = addReference(text, i);
        endWord();
    }
    endWord();
}

// A reference at text[amp]; returns the index of its last character. Named
// references stand for letters outside ASCII or for punctuation, so they add
// nothing.
qsizetype TextSignature::addReference(QStringView text, qsizetype amp)
{
    const qsizetype n = text.size();
    qsizetype j = amp + 1;
    if (j < n && text[j] == u'#') {
        ++j;
        const bool hex = j < n && (text[j] == u'x' || text[j] == u'X');
        if (hex)
            ++j;
        const qsizetype digits = j;
        char32_t code = 0;
        while (j < n && (hex ? isHexDigit(text[j].unicode()) : isDigit(text[j].unicode()))) {
            const char16_t d = text[j].unicode();
            const int digit = isDigit(d) ? d - u'0' : (d | 0x20) - u'a' + 10;
            if (code < 0x110000)
                code = code * (hex ? 16 : 10) + char32_t(digit);
            ++j;
        }
        if (j == digits)
            return amp; // not a reference: "&#" stays text
        if (code < 0x80 && isAsciiAlnum(char16_t(code)))
            add(char16_t(code));
        return j < n && text[j] == u';' ? j : j - 1;
    }
    while (j < n && isAsciiAlnum(text[j].unicode()))
        ++j;
    if (j == amp + 1)
        return amp;
    if (j < n && text[j] == u';')
        return j;
    if (isLegacyReference(text.sliced(amp + 1, j - amp - 1)))
        return j - 1;
    return amp; // plain text: its letters count
}

} // namespace qw
