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
      htmlDat(dataFolder + QStringLiteral("html.dat")),
      tagDat(dataFolder + QStringLiteral("tag.dat")), tags(tagDat),
      userStore(paths.userStoreFile()), settings(defaultSettings(paths)), ui(services)
{}

void AppContext::loadSettings()
{
    settings = qw::loadSettings(userStore, htmlDat, paths);
}

bool AppContext::saveSettings()
{
    return qw::saveSettings(settings, userStore, htmlDat, paths).ok();
}

} // namespace qw
