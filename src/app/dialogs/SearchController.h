#pragma once

#include "core/editor/EditorWidget.h"

#include <QObject>

#include <functional>

class QWidget;

namespace qw {

class UiServices;

// Find, find next, replace and go to line for the window. The searches run on
// whatever editor currentEditor() returns at the moment (nullptr: nothing to
// do); clearInspector() is called whenever a search or a jump moved the caret.
class SearchController : public QObject
{
    Q_OBJECT
public:
    SearchController(UiServices& ui, QWidget* window, std::function<EditorWidget*()> currentEditor,
                     std::function<void()> clearInspector, QObject* parent = nullptr);
    ~SearchController() override;

    void showFind();
    void findNext();
    void showReplace();
    void gotoLine();

    bool findNextEnabled() const;

Q_SIGNALS:
    void findNextEnabledChanged(bool enabled);
};

} // namespace qw
