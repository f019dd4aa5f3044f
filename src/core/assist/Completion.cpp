#include "core/assist/Completion.h"

#include "core/assist/TagPairs.h"
#include "core/design/HtmlTokenizer.h"
#include "core/settings/TagDefinitions.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'-' || u == u':' || u == u'_';
}

bool isPlainName(QStringView name)
{
    if (name.isEmpty() || !isAsciiAlpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](QChar c) { return isAsciiAlpha(c) || (c >= u'0' && c <= u'9'); });
}

bool startsWithTyped(QStringView entry, QStringView typed)
{
    return entry.startsWith(typed, Qt::CaseInsensitive);
}

void sortEntries(QList<OfferEntry>& entries)
{
    std::sort(entries.begin(), entries.end(), [](const OfferEntry& a, const OfferEntry& b) {
        const int byCase = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a.shown < b.shown;
    });
}

// What the text before `pos` leaves open: a comment or declaration still
// running, the raw content of a script or style, or neither.
enum class OpenAt { Markup, Comment, RawText, RcData };

bool commentEnded(QStringView token)
{
    if (token.startsWith(u"<!--"))
        return token == u"<!-->" || token == u"<!--->" ||
               (token.size() >= 7 && token.endsWith(u"-->"));
    return token.endsWith(u'>');
}

OpenAt openAt(QStringView text, qsizetype pos)
{
    const QStringView before = text.first(pos);
    HtmlTokenizer tokenizer(before);
    HtmlToken token;
    HtmlToken last;
    HtmlTextKind inside = HtmlTextKind::Data;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (token.kind == HtmlTokenKind::StartTag && token.end <= before.size() &&
            before[token.end - 1] == u'>') {
            inside =
                enterElementContent(tokenizer, token.name) ? HtmlTextKind::Raw : HtmlTextKind::Data;
            if (inside == HtmlTextKind::Raw &&
                (token.name == u"title"_s || token.name == u"textarea"_s))
                inside = HtmlTextKind::RcData;
        } else if (token.kind == HtmlTokenKind::EndTag) {
            inside = HtmlTextKind::Data;
        }
        last.kind = token.kind;
        last.start = token.start;
        last.end = token.end;
    }
    if ((last.kind == HtmlTokenKind::Comment || last.kind == HtmlTokenKind::Doctype) &&
        last.end == before.size() && !commentEnded(before.sliced(last.start)))
        return OpenAt::Comment;
    if (inside == HtmlTextKind::Raw)
        return OpenAt::RawText;
    if (inside == HtmlTextKind::RcData)
        return OpenAt::RcData;
    return OpenAt::Markup;
}

// The 16 colour names every browser knows.
constexpr QStringView kColorNames[] = {
    u"aqua", u"black", u"blue",   u"fuchsia", u"gray",   u"green", u"lime",  u"maroon",
    u"navy", u"olive", u"purple", u"red",     u"silver", u"teal",  u"white", u"yellow",
};

// Attributes every element takes whether or not its definition lists them.
constexpr QStringView kGlobalAttributes[] = {u"id", u"class", u"style", u"title", u"lang", u"dir"};

bool isAddressAttribute(QStringView attribute)
{
    return attribute.compare(u"href", Qt::CaseInsensitive) == 0 ||
           attribute.compare(u"src", Qt::CaseInsensitive) == 0 ||
           attribute.compare(u"action", Qt::CaseInsensitive) == 0;
}

// A flag attribute: its only choice is its own name (nowrap, defer...).
bool isBooleanAttribute(QStringView attribute, const AttributeEditor& editor)
{
    return editor.kind() == AttributeEditorKind::Combo && editor.choices.size() == 1 &&
           editor.choices.first().compare(attribute, Qt::CaseInsensitive) == 0;
}

bool hasValueList(QStringView attribute, const AttributeEditor& editor)
{
    switch (editor.kind()) {
    case AttributeEditorKind::Combo:
    case AttributeEditorKind::Color:
    case AttributeEditorKind::File:
    case AttributeEditorKind::Image:
        return true;
    default:
        return isAddressAttribute(attribute);
    }
}

QList<OfferEntry> fileEntries(QStringView typed, const QString& documentFolder)
{
    QList<OfferEntry> entries;
    if (documentFolder.isEmpty())
        return entries;
    const qsizetype slash = typed.lastIndexOf(u'/');
    const QString folderPart = typed.first(slash + 1).toString();
    // An address with a scheme or from the root is not a file of this folder.
    if (folderPart.startsWith(u'/') || typed.contains(u':'))
        return entries;
    const QDir folder(QDir(documentFolder).filePath(folderPart));
    const QFileInfoList found =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : found) {
        OfferEntry entry;
        entry.folder = info.isDir();
        entry.insert = folderPart + info.fileName() + (entry.folder ? u"/"_s : QString());
        entry.shown = entry.insert;
        if (startsWithTyped(entry.insert, typed))
            entries.append(entry);
    }
    return entries;
}

struct TagState
{
    OfferKind kind = OfferKind::None;
    qsizetype from = 0;
    QString element;
    QString attribute;
    QSet<QString> present; // lower case, without the one at the caret
};

// Reads the start tag that opens at `tagStart` up to its ">" (or the next
// "<", or the window's end) and says what the caret stands on.
TagState readStartTag(QStringView text, qsizetype tagStart, qsizetype caret)
{
    TagState state;
    const qsizetype n = text.size();
    qsizetype i = tagStart + 1;
    while (i < n && !isHtmlSpace(text[i]) && text[i] != u'>' && text[i] != u'/' && text[i] != u'<')
        ++i;
    if (caret <= i) {
        state.kind = OfferKind::TagName;
        state.from = tagStart + 1;
        return state;
    }
    state.element = asciiLower(text.sliced(tagStart + 1, i - tagStart - 1));
    bool caretPlaced = false;
    while (i < n && text[i] != u'>' && text[i] != u'<') {
        if (isHtmlSpace(text[i]) || text[i] == u'/') {
            ++i;
            continue;
        }
        const qsizetype nameStart = i;
        if (!caretPlaced && caret < nameStart) {
            // In the blanks before this attribute.
            caretPlaced = true;
            state.kind = OfferKind::AttributeName;
            state.from = caret;
        }
        while (i < n && !isHtmlSpace(text[i]) && text[i] != u'>' && text[i] != u'/' &&
               text[i] != u'=' && text[i] != u'<')
            ++i;
        const QString name = asciiLower(text.sliced(nameStart, i - nameStart));
        bool atCaret = false;
        if (!caretPlaced && caret <= i) {
            caretPlaced = true;
            if (caret >= nameStart) {
                state.kind = OfferKind::AttributeName;
                state.from = nameStart;
                atCaret = true;
            }
        }
        qsizetype j = i;
        while (j < n && isHtmlSpace(text[j]))
            ++j;
        if (j < n && text[j] == u'=') {
            ++j;
            while (j < n && isHtmlSpace(text[j]))
                ++j;
            qsizetype valueStart = j;
            qsizetype valueEnd = j;
            if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
                const QChar quote = text[j];
                valueStart = j + 1;
                valueEnd = valueStart;
                while (valueEnd < n && text[valueEnd] != quote)
                    ++valueEnd;
                j = std::min(valueEnd + 1, n);
            } else {
                while (valueEnd < n && !isHtmlSpace(text[valueEnd]) && text[valueEnd] != u'>' &&
                       text[valueEnd] != u'<')
                    ++valueEnd;
                j = valueEnd;
            }
            if (!caretPlaced && caret <= j && caret >= valueStart && caret <= valueEnd) {
                caretPlaced = true;
                state.kind = OfferKind::AttributeValue;
                state.from = valueStart;
                state.attribute = name;
                atCaret = true;
            } else if (!caretPlaced && caret < valueStart) {
                // Between the name and its value: nothing fits there.
                caretPlaced = true;
            }
            i = j;
        }
        if (!atCaret && !name.isEmpty())
            state.present.insert(name);
    }
    if (!caretPlaced) {
        state.kind = caret <= i ? OfferKind::AttributeName : OfferKind::None;
        state.from = caret;
    }
    // A caret past the tag's ">" is outside it.
    if (caret > i)
        state.kind = OfferKind::None;
    return state;
}

QList<OfferEntry> tagNameEntries(QStringView typed, const TagDefinitions& definitions,
                                 const OfferOptions& options)
{
    QList<OfferEntry> entries;
    QSet<QString> seen;
    for (const QString& name : definitions.tagNames()) {
        // The definitions' own sections (comments) are no elements.
        if (!isPlainName(name) || name.compare(u"COMMENT"_s, Qt::CaseInsensitive) == 0)
            continue;
        const QString written = tagNameCase(name, options.tagCase);
        if (!startsWithTyped(written, typed) || seen.contains(written))
            continue;
        seen.insert(written);
        entries.append({written, written});
    }
    return entries;
}

QList<OfferEntry> attributeNameEntries(const TagState& state, QStringView typed,
                                       const TagDefinitions& definitions,
                                       const OfferOptions& options)
{
    const QString tag = asciiUpper(state.element);
    QStringList names = definitions.attributeNames(tag);
    for (QStringView global : kGlobalAttributes)
        names.append(global.toString());
    QList<OfferEntry> entries;
    QSet<QString> seen = state.present;
    for (const QString& name : names) {
        const QString lower = asciiLower(name);
        if (seen.contains(lower) || !startsWithTyped(lower, typed))
            continue;
        seen.insert(lower);
        const AttributeEditor editor = definitions.attributeEditor(tag, name);
        OfferEntry entry;
        entry.insert = tagNameCase(name, options.tagCase);
        entry.shown = entry.insert;
        entry.boolean = options.html5 && isBooleanAttribute(name, editor);
        entry.hasValues = !entry.boolean && hasValueList(name, editor);
        entries.append(entry);
    }
    return entries;
}

QList<OfferEntry> entityEntries(QStringView typed, const TagDefinitions& definitions)
{
    QList<OfferEntry> entries;
    for (const SpecialCharacter& special : definitions.specialCharacters()) {
        const QStringView html = special.html;
        if (html.size() < 3 || !html.startsWith(u'&') || !html.endsWith(u';'))
            continue;
        const QStringView name = html.sliced(1, html.size() - 2);
        if (!isPlainName(name) || !name.startsWith(typed))
            continue;
        entries.append({name.toString() + u' ' + special.character, name.toString() + u';'});
    }
    return entries;
}

} // namespace

QList<OfferEntry> attributeValueEntries(QStringView element, QStringView attribute,
                                        QStringView typed, const TagDefinitions& definitions,
                                        const OfferOptions& options)
{
    const AttributeEditor editor =
        definitions.attributeEditor(asciiUpper(element), asciiUpper(attribute));
    QList<OfferEntry> entries;
    if (editor.kind() == AttributeEditorKind::Combo) {
        for (const QString& choice : editor.choices) {
            if (!choice.isEmpty() && startsWithTyped(choice, typed))
                entries.append({choice, choice});
        }
    } else if (editor.kind() == AttributeEditorKind::Color) {
        for (QStringView color : kColorNames) {
            if (startsWithTyped(color, typed))
                entries.append({color.toString(), color.toString()});
        }
    } else if (editor.kind() == AttributeEditorKind::File ||
               editor.kind() == AttributeEditorKind::Image || isAddressAttribute(attribute)) {
        entries = fileEntries(typed, options.documentFolder);
    }
    sortEntries(entries);
    return entries;
}

Offer offerAt(QStringView text, qsizetype caret, const TagDefinitions& definitions,
              const OfferOptions& options)
{
    Offer offer;
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    qsizetype word = caret;
    while (word > 0 && isNameChar(text[word - 1]))
        --word;
    const QStringView typed = text.sliced(word, caret - word);

    // After "&": a named character, anywhere but in comments and scripts.
    if (word > 0 && text[word - 1] == u'&') {
        const OpenAt open = openAt(text, word - 1);
        if (open == OpenAt::Comment || open == OpenAt::RawText)
            return offer;
        offer.kind = OfferKind::Entity;
        offer.from = word;
        offer.typed = typed.toString();
        offer.entries = entityEntries(typed, definitions);
        sortEntries(offer.entries);
        return offer;
    }
    // After "</": the end tag of the element open there.
    if (word > 1 && text[word - 1] == u'/' && text[word - 2] == u'<') {
        if (openAt(text, word - 2) != OpenAt::Markup)
            return offer;
        const QString open = openElementBefore(text, word - 2);
        if (open.isEmpty() || !startsWithTyped(open, typed))
            return offer;
        offer.kind = OfferKind::EndTag;
        offer.from = word;
        offer.typed = typed.toString();
        offer.element = open;
        const QString written = tagNameCase(open, options.tagCase);
        offer.entries.append({written, written + u'>'});
        return offer;
    }
    // Within a start tag: its name, an attribute's name or value.
    qsizetype tagStart = -1;
    for (qsizetype i = caret - 1, stop = std::max<qsizetype>(0, caret - 4096); i >= stop; --i) {
        if (text[i] == u'<') {
            tagStart = i;
            break;
        }
        if (text[i] == u'>')
            break;
    }
    if (tagStart < 0 || (tagStart + 1 < caret && !isAsciiAlpha(text[tagStart + 1])))
        return offer;
    if (openAt(text, tagStart) != OpenAt::Markup)
        return offer;
    const TagState state = readStartTag(text, tagStart, caret);
    offer.kind = state.kind;
    offer.from = state.from;
    offer.typed = text.sliced(state.from, caret - state.from).toString();
    offer.element = state.element;
    offer.attribute = state.attribute;
    switch (state.kind) {
    case OfferKind::TagName:
        offer.entries = tagNameEntries(offer.typed, definitions, options);
        break;
    case OfferKind::AttributeName:
        offer.entries = attributeNameEntries(state, offer.typed, definitions, options);
        break;
    case OfferKind::AttributeValue:
        offer.entries = attributeValueEntries(state.element, state.attribute, offer.typed,
                                              definitions, options);
        break;
    default:
        return Offer();
    }
    sortEntries(offer.entries);
    return offer;
}

} // namespace qw
