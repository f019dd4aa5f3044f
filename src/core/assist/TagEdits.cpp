#include "core/assist/TagEdits.h"

#include "core/design/HtmlTokenizer.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

bool isTagNameChar(QChar c)
{
    return isAsciiAlpha(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':';
}

} // namespace

QString endTagAfterGreaterThan(QStringView text, qsizetype caret, TagCaseOptions tagCase)
{
    if (caret < 2 || caret > text.size() || text[caret - 1] != u'>')
        return QString();
    // The tag the ">" closed is the one a caret just before it stands in.
    const std::optional<TagSpan> tag = tagAtCaret(text, caret - 1);
    if (!tag || tag->endTag || tag->end != caret || text[caret - 2] == u'/' ||
        isVoidTagName(tag->name))
        return QString();
    const QStringView written = text.sliced(tag->nameStart, tag->nameEnd - tag->nameStart);
    if (!std::all_of(written.begin(), written.end(), isTagNameChar))
        return QString();
    const QString endTag = u"</"_s + tagNameCase(written, tagCase) + u'>';
    if (text.sliced(caret).startsWith(endTag, Qt::CaseInsensitive))
        return QString();
    return endTag;
}

std::optional<NameReplacement> partnerRename(QStringView after, qsizetype caret,
                                             const TagPair& before, qsizetype delta)
{
    const std::optional<TagSpan> at = tagAtCaret(after, caret);
    if (!at || at->start != before.at.start || at->endTag != before.at.endTag ||
        caret < at->nameStart || caret > at->nameEnd)
        return std::nullopt;
    const QStringView name = after.sliced(at->nameStart, at->nameEnd - at->nameStart);
    if (name.isEmpty() || !isAsciiAlpha(name[0]) ||
        !std::all_of(name.begin(), name.end(), isTagNameChar))
        return std::nullopt;
    const qsizetype shift = before.partner.start > before.at.start ? delta : 0;
    NameReplacement replacement{before.partner.nameStart + shift, before.partner.nameEnd + shift,
                                name.toString()};
    if (replacement.from < 0 || replacement.to > after.size())
        return std::nullopt;
    const QStringView old = after.sliced(replacement.from, replacement.to - replacement.from);
    // The partner must still read as it did; anything else was edited too.
    if (old.compare(before.partner.name, Qt::CaseInsensitive) != 0 || old == name)
        return std::nullopt;
    return replacement;
}

} // namespace qw
