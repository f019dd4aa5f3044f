#pragma once

// The edits the editor makes on its own around tags: the end tag that
// follows a start tag's ">", and the partner's name that follows a renamed
// tag. Decided on a window of text around the caret, like TagPairs.

#include "core/assist/TagPairs.h"
#include "core/markup/TagAttributeList.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace qw {

// The end tag to put after the caret once the ">" before it closed a start
// tag: "</name>" in the configured case. Empty for an end tag, a void or
// self-closed element, a ">" in a comment, a script or an attribute's value,
// and when that same end tag follows the caret already.
QString endTagAfterGreaterThan(QStringView text, qsizetype caret, TagCaseOptions tagCase);

struct NameReplacement
{
    qsizetype from = 0;
    qsizetype to = 0;
    QString name;

    friend bool operator==(const NameReplacement&, const NameReplacement&) = default;
};

// After an edit inside the name of a paired tag: the replacement that gives
// its partner the same name. `before` is the pair as it was (offsets in the
// window `after` uses), `delta` how much the edit lengthened the text, and
// `caret` where the caret is now. Nothing when the caret left the tag, the
// name is no longer a plain name, or the partner already has it.
std::optional<NameReplacement> partnerRename(QStringView after, qsizetype caret,
                                             const TagPair& before, qsizetype delta);

} // namespace qw
