#pragma once

#include <QString>
#include <QStringList>

namespace qw {

enum class ListStyle { Unordered, Ordered };

// The items of the list dialog's type group for a style; a change of style
// selects the first of them.
QStringList listTypeItems(ListStyle style);

struct HtmlListOptions
{
    ListStyle style = ListStyle::Unordered;
    QString type = QStringLiteral("disc");
    QStringList items; // one per line of the field, empty lines included
    bool lowerCaseTags = true;
};

// The list text: the UL or OL start tag with its TYPE, one line per item made
// of a tab and an LI start tag (items get no end tag), the list's end tag;
// every line ended by CR LF. It replaces the selection; the caret ends after it.
QString buildHtmlList(const HtmlListOptions& options);

} // namespace qw
