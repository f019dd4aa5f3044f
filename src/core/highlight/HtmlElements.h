#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <span>

namespace qw {

// One element the colouring knows. Inside the start tag of an element that
// takes attributes, attribute names and values get their own colours; an end
// tag "/NAME" counts as known only for an element that has an end tag.
struct HtmlElement
{
    QLatin1StringView name; // upper case
    bool takesAttributes = true;
    bool hasEndTag = true;
};

// The known elements in their fixed order (SCRIPT first, !DOCTYPE last): the
// HTML 4 era's 105, then those of today's HTML.
std::span<const HtmlElement> htmlElements();

// The element of that name, compared without regard to ASCII letter case, or
// nullptr. Allocates nothing: the colouring calls it for every tag it meets.
const HtmlElement* findHtmlElement(QStringView name);

// A name with a hyphen that starts with a letter: a page's own (custom)
// element, which the colouring treats as a known one with attributes and an
// end tag (customHtmlElement, a name-less entry outside the table).
bool isCustomElementName(QStringView name);
const HtmlElement* customHtmlElement();

} // namespace qw
