#include "core/assist/TagPairs.h"

#include "core/design/HtmlOutline.h"
#include "core/design/HtmlTokenizer.h"
#include "core/markup/TagAttributeList.h"

#include <QList>

#include <algorithm>

namespace qw {

namespace {

bool isTag(const HtmlToken& token)
{
    return (token.kind == HtmlTokenKind::StartTag || token.kind == HtmlTokenKind::EndTag) &&
           !token.name.isEmpty();
}

TagSpan spanOf(const HtmlToken& token)
{
    TagSpan span;
    span.start = token.start;
    span.end = token.end;
    span.endTag = token.kind == HtmlTokenKind::EndTag;
    span.nameStart = token.start + (span.endTag ? 2 : 1);
    span.nameEnd = span.nameStart + token.name.size();
    span.name = token.name;
    return span;
}

// A tag the tokenizer ended at the window's end without its ">" still
// holds a caret standing at that end.
bool holdsCaret(QStringView text, const HtmlToken& token, qsizetype caret)
{
    if (caret <= token.start)
        return false;
    if (caret < token.end)
        return true;
    return caret == token.end && token.end == text.size() && text[token.end - 1] != u'>';
}

// Where a tag that may hold the caret starts: the nearest "<" before the
// caret with no ">" between. Only a few kilobytes are looked at, so a caret
// in plain text costs next to nothing.
qsizetype nearbyTagStart(QStringView text, qsizetype caret)
{
    constexpr qsizetype kReach = 4096;
    const qsizetype stop = std::max<qsizetype>(0, caret - kReach);
    for (qsizetype i = std::min(caret, text.size()) - 1; i >= stop; --i) {
        if (text[i] == u'<')
            return i;
        if (text[i] == u'>')
            return -1;
    }
    return -1;
}

} // namespace

bool isVoidTagName(QStringView name)
{
    return isVoidElement(name);
}

QString openElementBefore(QStringView text, qsizetype pos)
{
    HtmlTokenizer tokenizer(text.first(std::clamp<qsizetype>(pos, 0, text.size())));
    HtmlToken token;
    QList<QString> open;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (!isTag(token))
            continue;
        if (token.kind == HtmlTokenKind::StartTag) {
            enterElementContent(tokenizer, token.name);
            if (!token.selfClosing && !isVoidElement(token.name))
                open.append(token.name);
            continue;
        }
        for (qsizetype i = open.size() - 1; i >= 0; --i) {
            if (open[i] == token.name) {
                open.resize(i);
                break;
            }
        }
    }
    return open.isEmpty() ? QString() : open.last();
}

std::optional<TagSpan> tagAtCaret(QStringView text, qsizetype caret)
{
    const qsizetype from = nearbyTagStart(text, caret);
    if (from < 0)
        return std::nullopt;
    HtmlTokenizer tokenizer(text);
    HtmlToken token;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End && token.start <= from;
         tokenizer.next(token)) {
        if (token.kind == HtmlTokenKind::StartTag)
            enterElementContent(tokenizer, token.name);
        if (token.start == from && isTag(token) && holdsCaret(text, token, caret))
            return spanOf(token);
    }
    return std::nullopt;
}

std::optional<TagPair> partnerTagAt(QStringView text, qsizetype caret)
{
    const qsizetype from = nearbyTagStart(text, caret);
    if (from < 0)
        return std::nullopt;
    // The name as the tokenizer will read it, so that a single pass can
    // keep just the tags of that name.
    QString name;
    qsizetype i = from + 1;
    if (i < text.size() && text[i] == u'/')
        ++i;
    for (; i < text.size() && !isHtmlSpace(text[i]) && text[i] != u'/' && text[i] != u'>'; ++i)
        name.append(asciiLower(text.sliced(i, 1)));
    if (name.isEmpty())
        return std::nullopt;
    QList<TagSpan> named;
    qsizetype atIndex = -1;
    int depth = 1;
    HtmlTokenizer tokenizer(text);
    HtmlToken token;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (!isTag(token))
            continue;
        if (token.kind == HtmlTokenKind::StartTag)
            enterElementContent(tokenizer, token.name);
        if (atIndex < 0 && token.start >= from) {
            // The caret's tag must be a tag of its own, not text inside a
            // comment or a script that merely looks like one.
            if (token.start > from || !holdsCaret(text, token, caret) ||
                (token.kind == HtmlTokenKind::StartTag &&
                 (token.selfClosing || isVoidElement(token.name))))
                return std::nullopt;
            atIndex = named.size();
            named.append(spanOf(token));
            if (token.kind == HtmlTokenKind::EndTag)
                break;
            continue;
        }
        if (token.name != name || token.selfClosing)
            continue;
        if (atIndex < 0) {
            named.append(spanOf(token));
            continue;
        }
        // After a start tag: stop at its end tag, not at the window's end.
        depth += token.kind == HtmlTokenKind::EndTag ? -1 : 1;
        if (depth == 0)
            return TagPair{named[atIndex], spanOf(token)};
    }
    if (atIndex < 0 || !named[atIndex].endTag)
        return std::nullopt;
    depth = 0;
    for (qsizetype k = atIndex; k >= 0; --k) {
        depth += named[k].endTag ? 1 : -1;
        if (depth == 0)
            return TagPair{named[atIndex], named[k]};
    }
    return std::nullopt;
}

} // namespace qw
