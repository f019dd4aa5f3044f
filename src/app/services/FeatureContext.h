#pragma once

#include <functional>

class QWidget;

namespace qw {

class ActionRegistry;
class AppPaths;
class DocumentAccess;
class PageSwitcher;
class UiServices;
struct AppSettings;

// What the window hands each feature it creates: the feature builds its own
// widgets and registers its own commands from these, so the window only
// hosts it.
struct FeatureContext
{
    QWidget* window = nullptr;
    UiServices& ui;
    AppSettings& settings;
    const AppPaths& paths;
    ActionRegistry& commands;
    PageSwitcher& pages;
    DocumentAccess& documents;
    // Ends the tag inspector's in-place edit without storing it.
    std::function<void()> clearTagInspector;
};

} // namespace qw
