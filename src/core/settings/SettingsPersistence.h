#pragma once

#include "core/settings/AppSettings.h"

namespace qw {

class AppPaths;
class IniFile;
class UserStore;

// The settings of a first start on this installation.
AppSettings defaultSettings(const AppPaths& paths);

// Fills the settings from the per-user store (the sixteen simple values and
// the recent files) and from html.dat (templates, filters, browsers, tool bar
// layouts and highlight styles). Nothing missing is an error: an absent
// value, one of the wrong type and a colour text naming no colour all give
// the default. A FontName that is not a text leaves the font name empty, and
// the next save stores the default. A stored UserTagPath naming either
// default user tag folder gives the one this installation uses now.
AppSettings loadSettings(const UserStore& store, const IniFile& htmlDat, const AppPaths& paths);

struct SettingsSaveResult
{
    bool userStoreWritten = false;
    bool dataFileWritten = false;
    bool ok() const { return userStoreWritten && dataFileWritten; }
};

// Writes the settings back to both stores. Empty texts and zero sizes are
// replaced by their defaults, UserTagPath is always the default user tag
// folder (AppPaths::userTagFolder()), an empty recent-files list removes its object from the store,
// and each list section is rewritten whole so that a shortened list stays short. html.dat is
// replaced once, with all its changes.
SettingsSaveResult saveSettings(const AppSettings& settings, const UserStore& store,
                                IniFile& htmlDat, const AppPaths& paths);

} // namespace qw
