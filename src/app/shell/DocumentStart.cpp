// The empty document a start makes gives way to the first real one.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"

#include <QTabBar>

namespace qw {

void DocumentManager::markStartDocument()
{
    const DocumentList::Entry* entry = m_docs.active();
    ScintillaEditor* editor = current();
    if (entry == nullptr || editor == nullptr)
        return;
    m_startKey = entry->key;
    // A single typed (or pasted, or undone) character makes it the user's.
    connect(editor, &QsciScintilla::textChanged, this, [this, key = entry->key] {
        if (m_startKey == key)
            m_startKey = -1;
    });
}

void DocumentManager::dropUntouchedStartDocument()
{
    const int startKey = std::exchange(m_startKey, -1);
    if (startKey < 0)
        return;
    int startIndex = -1;
    for (int i = 0; i < m_docs.count(); ++i) {
        if (m_docs.at(i).key == startKey)
            startIndex = i;
    }
    const DocumentList::Entry* opened = m_docs.active();
    if (startIndex < 0 || opened == nullptr || opened->key == startKey)
        return;
    const ScintillaEditor* editor = m_editors.value(startKey);
    // Saved under a name, or holding edits of the design page, it is work.
    if (editor == nullptr || !DocumentList::isUntitled(m_docs.at(startIndex).path) ||
        showsModified(editor))
        return;
    const int openedKey = opened->key;
    m_docs.setActiveIndex(startIndex);
    removeActive();
    int openedIndex = -1;
    for (int i = 0; i < m_docs.count(); ++i) {
        if (m_docs.at(i).key == openedKey)
            openedIndex = i;
    }
    activate(openedIndex);
    updateTabs();
}

} // namespace qw
