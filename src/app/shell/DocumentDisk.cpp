// The documents' files as other programs leave them: changed, replaced or
// removed while the document is open, and not overwritten unasked.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"
#include "core/shell/ShellTexts.h"
#include "core/text/DocumentFile.h"

#include <QEvent>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>

namespace qw {

namespace {
QString changedText(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" změnil jiný program.\nNačíst jeho nový obsah?").arg(path);
}

QString changedModifiedText(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" změnil jiný program, dokument má ale neuložené změny.\n"
                          "Načíst nový obsah souboru a změny v dokumentu zahodit?")
        .arg(path);
}

// Said first when the design page holds edits of the document that are not
// in its text yet: reading the file throws them away as well.
QString designEditsDroppedText()
{
    return QStringLiteral("Neuložené úpravy na stránce Design se při načtení zahodí.\n");
}

QString goneText(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" už na disku není.\n"
                          "Dokument zůstává otevřený; uložením soubor zapíšete znovu.")
        .arg(path);
}

QString overwriteText(const QString& path)
{
    return QStringLiteral("Soubor \"%1\" od načtení změnil jiný program.\nPřesto jej přepsat?")
        .arg(path);
}

const QStringList kReloadButtons = {QStringLiteral("Načíst"), QStringLiteral("Načítat vždy"),
                                    QStringLiteral("Ponechat")};
} // namespace

void DocumentManager::rememberFile(int key, const QString& path)
{
    const QString old = m_known.value(key).path;
    m_known.insert(key, KnownFile{path, fileStamp(path)});
    if (!old.isEmpty() && old != path)
        m_watcher->removePath(old);
    // A file replaced by a rename is no longer the one watched.
    if (!m_watcher->files().contains(path))
        m_watcher->addPath(path);
}

void DocumentManager::forgetFile(int key)
{
    const QString path = m_known.take(key).path;
    if (path.isEmpty())
        return;
    for (const KnownFile& other : std::as_const(m_known)) {
        if (other.path == path)
            return;
    }
    m_watcher->removePath(path);
}

bool DocumentManager::mayOverwrite(int index, const QString& path)
{
    const auto known = m_known.constFind(m_docs.at(index).key);
    if (known == m_known.cend() || known->path != path)
        return true;
    if (diskChange(known->stamp, fileStamp(path)) != DiskChange::Changed)
        return true;
    const QuestionScope open(*this);
    return m_ui.askYesNo(m_window, overwriteText(path));
}

bool DocumentManager::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowActivate)
        scheduleDiskCheck();
    return QObject::eventFilter(watched, event);
}

void DocumentManager::scheduleDiskCheck()
{
    m_diskCheckPending = true;
    // Another program writes in several steps; the check follows the last.
    QTimer::singleShot(50, this, [this] {
        if (m_diskCheckPending && (m_window == nullptr || m_window->isActiveWindow()))
            checkFilesOnDisk();
    });
}

void DocumentManager::checkFilesOnDisk()
{
    // Never under an open question: its answer would act on a changed text.
    if (m_checkingDisk || questionOpen()) {
        m_diskCheckPending = true;
        return;
    }
    m_diskCheckPending = false;
    m_checkingDisk = true;
    for (int i = 0; i < m_docs.count(); ++i) {
        const int key = m_docs.at(i).key;
        const auto known = m_known.find(key);
        if (known == m_known.end())
            continue;
        const QString path = known->path;
        const FileStamp now = fileStamp(path);
        const DiskChange change = diskChange(known->stamp, now);
        if (change == DiskChange::None)
            continue;
        // Asked once per change, whatever the answer.
        known->stamp = now;
        if (now.exists && !m_watcher->files().contains(path))
            m_watcher->addPath(path);
        ScintillaEditor* e = editorAt(i);
        if (change == DiskChange::Gone) {
            e->setModified(true);
            notify(UiServices::Icon::Information, goneText(path));
            continue;
        }
        // Edits on the design page count as the document's own, asked of
        // the page itself: its last report may still be on its way.
        const bool pageEdits = m_pageHoldsEdits && m_pageHoldsEdits(e, true);
        if (e->isModified() || pageEdits) {
            bool reload = false;
            {
                const QuestionScope open(*this);
                reload =
                    m_ui.askYesNo(m_window, (pageEdits ? designEditsDroppedText() : QString()) +
                                                changedModifiedText(path));
            }
            if (reload)
                reloadDocument(i);
            continue;
        }
        if (m_reloadQuietly) {
            reloadDocument(i);
            continue;
        }
        int choice = -1;
        {
            const QuestionScope open(*this);
            choice = m_ui.askChoice(m_window, changedText(path), kReloadButtons);
        }
        if (choice == 1)
            m_reloadQuietly = true;
        if (choice == 0 || choice == 1)
            reloadDocument(i);
        else
            // The text shown is no longer the file's: closing must ask.
            e->setModified(true);
    }
    m_checkingDisk = false;
    updateTabs();
    Q_EMIT stateChanged();
}

void DocumentManager::reloadDocument(int index)
{
    ScintillaEditor* e = editorAt(index);
    const QString path = pathAt(index);
    const DocumentReadResult read = readDocumentFile(path);
    if (e == nullptr || !read.ok) {
        notify(UiServices::Icon::Error, cannotOpenText());
        return;
    }
    const int line = e->caretLine();
    const int key = m_docs.at(index).key;
    // Another program put something that is not text there: no save may
    // write over it now.
    if (!read.looksLikeText && !m_docs.at(index).readOnly) {
        m_docs.setReadOnly(index, true);
        refreshTabText(index);
    }
    m_encodings.insert(key, read.encoding);
    e->setText(read.text);
    e->clearUndo();
    e->setModified(false);
    e->gotoLine(line);
    m_known.insert(key, KnownFile{path, fileStamp(path)});
    if (index == m_docs.activeIndex())
        Q_EMIT currentChanged();
}

} // namespace qw
