// The addresses the program's dialogs put into a document before its first
// save: absolute while there is no folder, made relative to the new file
// when it is first saved.

#include "app/design/TextReplacements.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"

namespace qw {

void DocumentManager::noteInsertedLink(const QString& link, const QString& filePath)
{
    const DocumentList::Entry* e = m_docs.active();
    if (e == nullptr || !DocumentList::isUntitled(e->path))
        return;
    rememberInsertedLink(m_insertedLinks[e->key], InsertedLink{link, filePath});
}

bool DocumentManager::relinkForFirstSave(int index, const QString& path)
{
    const auto links = m_insertedLinks.constFind(m_docs.at(index).key);
    ScintillaEditor* e = editorAt(index);
    if (links == m_insertedLinks.cend() || e == nullptr)
        return false;
    const QString text = e->text();
    const QList<TextReplacement> replacements =
        firstSaveLinkReplacements(text, *links, path, m_options.links);
    if (replacements.isEmpty())
        return false;
    applyReplacements(*e, text, replacements);
    return true;
}

} // namespace qw
