#pragma once

#include "core/editor/EditorWidget.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace qw {

class FindDialog;
class ReplaceDialog;
class UiServices;
struct FindOptions;

// Find, find next, replace and go to line for the window. The searches run on
// whatever editor currentEditor() returns at the moment (nullptr: nothing to
// do); clearInspector() is called whenever a search or a jump moved the caret.
// Every notice and the go-to-line question go through UiServices. The two
// dialogs are made once, as children of the window, and only hidden between
// uses, so each keeps its own text and options.
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

    // "Hledat další": off at first, then the result of the last search from
    // the find dialog or by findNext() (the replace dialog's searches leave it).
    bool findNextEnabled() const;

    FindDialog* findDialog() const;
    ReplaceDialog* replaceDialog() const;

Q_SIGNALS:
    void findNextEnabledChanged(bool enabled);

private:
    bool runFind(EditorWidget& editor, const QString& what, const FindOptions& options,
                 QWidget* noticeParent);
    void findFromFindDialog();
    void findFromReplaceDialog();
    void replaceOne();
    void replaceEvery();
    void focusEditor(EditorWidget& editor) const;
    void setFindNextEnabled(bool enabled);

    UiServices& m_ui;
    QWidget* m_window = nullptr;
    std::function<EditorWidget*()> m_currentEditor;
    std::function<void()> m_clearInspector;
    QPointer<FindDialog> m_find;
    QPointer<ReplaceDialog> m_replace;
    bool m_findNextEnabled = false;
};

} // namespace qw
