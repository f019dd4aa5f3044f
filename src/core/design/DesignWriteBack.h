#pragma once

// Taking the design view's document back into the source text while keeping
// every byte the user did not touch. The view reports its document as a
// snapshot (below) once right after loading the text and again when it is
// left; only the parts whose serialisation changed between the two are
// written into the source, each over the source range it came from.

#include "core/markup/TagAttributeList.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace qw {

// One serialised view of the design document. Each node is serialised as
// the browser writes it: an element's outerHTML, a text node's escaped text,
// a comment as "<!--...-->".
struct DesignSnapshot
{
    QStringList headNodes;                         // the child nodes of <head>
    QList<QPair<QString, QString>> bodyAttributes; // <body>'s attributes, in order
    QStringList bodyNodes;                         // the child nodes of <body>

    bool operator==(const DesignSnapshot&) const = default;
};

// One change to the source text: length characters from start are replaced
// by text. Offsets are into the source as it was before any replacement.
struct TextReplacement
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;

    bool operator==(const TextReplacement&) const = default;
};

struct DesignWriteBackOptions
{
    // Tag names of written regions follow the user's tag case.
    TagCaseOptions tagCase;
};

// The replacements that turn source (the text the view was loaded from, as
// loaded) into the text of the edited document. Empty when nothing changed.
// The replacements do not overlap and are sorted by start.
QList<TextReplacement> designWriteBack(const QString& source, const DesignSnapshot& loaded,
                                       const DesignSnapshot& left,
                                       const DesignWriteBackOptions& options = {});

} // namespace qw
