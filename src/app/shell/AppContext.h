#pragma once

#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"
#include "core/settings/IniFile.h"
#include "core/settings/TagDefinitions.h"
#include "core/settings/UserStore.h"

namespace qw {

class UiServices;

// What the whole window shares for the run: the places on disk, the two data
// files, the per-user store, the settings and the modal services.
struct AppContext
{
    AppContext(AppPaths paths, UiServices& ui);

    AppPaths paths;
    QString dataFolder; // of html.dat, with a trailing "/"
    IniFile htmlDat;
    IniFile tagDat;
    TagDefinitions tags;
    UserStore userStore;
    AppSettings settings;
    UiServices& ui;

    // Reads the settings from both stores.
    void loadSettings();
    // Writes them back; false when a store could not be written.
    bool saveSettings();
};

} // namespace qw
