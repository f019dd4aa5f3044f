#include "app/shell/AppContext.h"

#include "core/settings/SettingsPersistence.h"

namespace qw {

namespace {
QString resolved(const AppPaths& paths)
{
    QString folder = paths.resolveDataFolder();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
} // namespace

AppContext::AppContext(AppPaths p, UiServices& services)
    : paths(std::move(p)), dataFolder(resolved(paths)),
      htmlDat(dataFolder + QStringLiteral("html.dat")), tagDat(paths.tagDefinitionsFile()),
      tags(tagDat), userStore(paths.userStoreFile()), settings(defaultSettings(paths)), ui(services)
{
    // Before any page reads the user tags: the per-user copy, when it is the
    // one used, is made from the shipped tags here on a first start.
    paths.resolveUserTagFolder();
}

void AppContext::loadSettings()
{
    settings = qw::loadSettings(userStore, htmlDat, paths);
}

bool AppContext::saveSettings()
{
    return qw::saveSettings(settings, userStore, htmlDat, paths).ok();
}

} // namespace qw
