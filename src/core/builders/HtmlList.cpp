#include "core/builders/HtmlList.h"

using namespace Qt::StringLiterals;

namespace qw {

QStringList listTypeItems(ListStyle style)
{
    if (style == ListStyle::Ordered)
        return {u"1"_s, u"a"_s, u"A"_s, u"i"_s, u"I"_s};
    return {u"disc"_s, u"square"_s, u"circle"_s};
}

QString buildHtmlList(const HtmlListOptions& options)
{
    const bool lower = options.lowerCaseTags;
    const bool ordered = options.style == ListStyle::Ordered;
    const QString list = ordered ? (lower ? u"ol"_s : u"OL"_s) : (lower ? u"ul"_s : u"UL"_s);
    const QString item = lower ? u"\t<li>"_s : u"\t<LI>"_s;
    const QString type = lower ? u"type"_s : u"TYPE"_s;

    qsizetype size = 40;
    for (const QString& line : options.items)
        size += item.size() + line.size() + 2;
    QString text;
    text.reserve(size);
    text += u"<"_s + list + u" "_s + type + u"=\""_s + options.type + u"\">\r\n"_s;
    for (const QString& line : options.items)
        text += item + line + u"\r\n"_s;
    text += u"</"_s + list + u">\r\n"_s;
    return text;
}

} // namespace qw
