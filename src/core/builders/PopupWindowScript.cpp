#include "core/builders/PopupWindowScript.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace qw {

QString buildPopupWindowLine(const PopupWindowOptions& options)
{
    QString line = u"window.open('"_s + options.address + u"',"_s;
    line += u"'"_s + options.title + u"','"_s;

    const std::pair<bool, QLatin1StringView> features[] = {
        {options.toolbar, "toolbar,"_L1},         {options.menubar, "menubar,"_L1},
        {options.scrollbars, "scrollbars,"_L1},   {options.resizable, "resizable,"_L1},
        {options.directories, "directories,"_L1}, {options.status, "status,"_L1},
        {options.location, "location,"_L1},       {options.fullscreen, "fullscreen,"_L1},
    };
    for (const auto& [checked, word] : features) {
        if (checked)
            line += word;
    }
    if (!options.height.isEmpty())
        line += u"height="_s + options.height + u","_s;
    if (!options.width.isEmpty())
        line += u"width="_s + options.width + u","_s;
    // Each feature brought its own comma; the last one has nothing to separate.
    if (line.endsWith(u','))
        line.chop(1);
    line += u"')"_s;
    line.replace(u'\\', u'/');
    return line;
}

QString buildPopupWindowScript(const PopupWindowOptions& options)
{
    return u"<script language=\"JavaScript\">\r\n"_s + buildPopupWindowLine(options) +
           u"\r\n</script>"_s;
}

} // namespace qw
