#include "core/settings/AppSettings.h"

using namespace Qt::StringLiterals;

namespace qw {

BrowserEntry BrowserEntry::fromText(QStringView text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0)
        return {text.toString(), QString()};
    return {text.first(bar).toString(), text.sliced(bar + 1).toString()};
}

QString BrowserEntry::toText() const
{
    return caption + u'|' + path;
}

QString dialogFilterText(const QStringList& filters)
{
    return filters.join(QString());
}

QString toolBarSection(ToolBarId bar)
{
    static constexpr QStringView names[ToolBarCount] = {
        u"TBEDIT", u"TBHEAD", u"TBTOOL", u"TBTABLE", u"TBFONTS", u"TBINPUT", u"TBSCRIPT",
    };
    return names[static_cast<std::size_t>(bar)].toString();
}

} // namespace qw
