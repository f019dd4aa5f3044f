#pragma once

// What the editor offers to complete at the caret: element names after "<",
// the end tag of the open element after "</", a start tag's attributes, an
// attribute's values and the named characters after "&". Decided from a
// window of text around the caret alone; nothing inside comments, scripts
// or styles.

#include "core/markup/TagAttributeList.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace qw {

class TagDefinitions;

enum class OfferKind { None, TagName, EndTag, AttributeName, AttributeValue, Entity };

struct OfferEntry
{
    QString shown;  // the list's line
    QString insert; // what replaces the typed word
    // An attribute: its values are offered once it is in; a boolean one in
    // an HTML5 document goes in as its bare name.
    bool hasValues = false;
    bool boolean = false;
    // A folder of a file address: choosing it goes on into the folder.
    bool folder = false;

    friend bool operator==(const OfferEntry&, const OfferEntry&) = default;
};

struct Offer
{
    OfferKind kind = OfferKind::None;
    // The typed word the entries replace runs from `from` to the caret
    // (window offsets).
    qsizetype from = 0;
    QString typed;
    QString element;   // lower case: of the tag for attributes and values
    QString attribute; // lower case: of the value
    // Only the entries that start with the typed word (letter case aside),
    // sorted without regard to case.
    QList<OfferEntry> entries;
};

struct OfferOptions
{
    TagCaseOptions tagCase;
    bool html5 = false;
    // The document's folder, for addresses; empty for a document without a
    // file, which then gets no file entries.
    QString documentFolder;
};

// What is offered at `caret` of the window `text`.
Offer offerAt(QStringView text, qsizetype caret, const TagDefinitions& definitions,
              const OfferOptions& options);

// The entries of an attribute's values: the definitions' choices, colour
// names for a colour, the files and folders of the document's folder (and of
// the subfolder the typed value names) for an address.
QList<OfferEntry> attributeValueEntries(QStringView element, QStringView attribute,
                                        QStringView typed, const TagDefinitions& definitions,
                                        const OfferOptions& options);

} // namespace qw
