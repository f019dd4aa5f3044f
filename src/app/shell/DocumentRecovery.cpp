// Copies of modified documents for the case the program does not end
// cleanly, and giving them back at the next start.

#include "app/shell/DocumentRecovery.h"

#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "app/shell/DocumentManager.h"
#include "core/text/TextCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLoggingCategory>
#include <QTabBar>
#include <QTimer>

namespace qw {

Q_LOGGING_CATEGORY(lcRecovery, "quenwick.recovery")

ScintillaEditor* DocumentManager::openRecovered(const QString& path, const QString& text,
                                                TextEncoding encoding, LineBreak lineBreak,
                                                const std::optional<FileStamp>& known)
{
    QString name = path;
    int index = m_docs.indexOfPath(name);
    if (index >= 0 && editorAt(index)->isModified()) {
        name.clear(); // a new name of its own
        index = -1;
    }
    if (index < 0) {
        const DocumentList::Entry& entry = m_docs.add(name);
        const int key = entry.key;
        name = entry.path;
        ScintillaEditor* editor = createEditor(key);
        m_editors.insert(key, editor);
        editor->setAccessibleName(name);
        m_switching = true;
        m_tabs->addTab(DocumentList::tabCaption(name));
        m_switching = false;
        index = m_docs.count() - 1;
    }
    const int key = m_docs.at(index).key;
    // A file that is not text stays protected after a crash as before it.
    if (!DocumentList::isUntitled(name) && !fileLooksLikeText(name)) {
        m_docs.setReadOnly(index, true);
        refreshTabText(index);
    }
    if (!DocumentList::isUntitled(name)) {
        // Compared with the file as the crashed run knew it, a change made
        // by another program since is asked about before a save.
        if (known.has_value()) {
            m_known.insert(key, KnownFile{name, *known});
            if (QFileInfo(name).isFile() && !m_watcher->files().contains(name))
                m_watcher->addPath(name);
        } else if (QFileInfo(name).isFile()) {
            rememberFile(key, name);
        }
    }
    ScintillaEditor* editor = m_editors.value(key);
    m_encodings.insert(key, encoding);
    editor->setLineBreak(lineBreak);
    editor->setText(text);
    editor->clearUndo();
    editor->setModified(true);
    activate(index);
    updateTabs();
    Q_EMIT stateChanged();
    dropUntouchedStartDocument();
    return editor;
}

std::optional<FileStamp> DocumentManager::knownStampAt(int index) const
{
    if (index < 0 || index >= m_docs.count())
        return std::nullopt;
    const auto known = m_known.constFind(m_docs.at(index).key);
    if (known == m_known.cend() || known->path != m_docs.at(index).path)
        return std::nullopt;
    return known->stamp;
}

DocumentRecovery::DocumentRecovery(DocumentManager& documents, UiServices& ui, QWidget* window)
    : QObject(window), m_documents(documents), m_ui(ui), m_window(window)
{
    m_writer.setMaxThreadCount(1);
    // Unused threads would end after a while and start again for the next
    // copy; one waiting thread costs nothing.
    m_writer.setExpiryTimeout(-1);
}

DocumentRecovery::~DocumentRecovery()
{
    m_writer.waitForDone();
    if (m_store && !m_keepAll) {
        for (const QString& file : m_store->ownFiles())
            QFile::remove(file);
    }
}

void DocumentRecovery::setDelays(int afterLastEditMs, int longestMs)
{
    m_afterLastEditMs = afterLastEditMs;
    m_longestMs = longestMs;
    for (const Tracked& t : std::as_const(m_tracked)) {
        t.idle->setInterval(afterLastEditMs);
        t.longest->setInterval(longestMs);
    }
}

void DocumentRecovery::waitForWrites()
{
    m_writer.waitForDone();
}

void DocumentRecovery::keepForNextStart()
{
    if (!m_store)
        return;
    // Edits since the last copy are in no file yet.
    for (int i = 0; i < m_documents.count(); ++i) {
        ScintillaEditor* editor = m_documents.editorAt(i);
        if (editor != nullptr && editor->isModified())
            snapshot(editor);
    }
    m_keepAll = true;
    m_writer.waitForDone();
}

QString DocumentRecovery::questionText(const QStringList& names)
{
    return QStringLiteral("Program nebyl řádně ukončen. Obnovit neuložené dokumenty?\n\n") +
           names.join(u'\n');
}

void DocumentRecovery::start(const QString& folder)
{
    if (m_store)
        return;
    auto store = std::make_unique<RecoveryStore>(folder);
    if (!store->open()) {
        qCWarning(lcRecovery) << "no recovery folder at" << folder;
        return;
    }
    m_store = std::move(store);
    connect(&m_documents, &DocumentManager::editorAdded, this, &DocumentRecovery::track);
    for (int i = 0; i < m_documents.count(); ++i)
        track(m_documents.editorAt(i));
    offerOrphans();
}

void DocumentRecovery::offerOrphans()
{
    const QList<RecoveryStore::Orphan> orphans = m_store->claimOrphans();
    if (orphans.isEmpty()) {
        // Whatever a gone instance left that cannot be read is no use.
        m_store->discardClaimed();
        return;
    }
    QStringList names;
    for (const RecoveryStore::Orphan& o : orphans)
        names << o.snapshot.path;
    if (!m_ui.askYesNo(m_window, questionText(names))) {
        m_store->discardClaimed();
        return;
    }
    bool allKept = true;
    for (const RecoveryStore::Orphan& o : orphans) {
        const RecoverySnapshot& s = o.snapshot;
        ScintillaEditor* editor =
            m_documents.openRecovered(s.path, s.text, s.encoding, s.lineBreak, s.stamp);
        // Taken over at once: should this run end badly too, the text is
        // still there under this instance's name.
        auto it = m_tracked.find(editor);
        if (it == m_tracked.end())
            continue;
        it->idle->stop();
        it->longest->stop();
        const FileWriteResult written = m_store->write(
            it->slot, headerOf(editor, m_documents.indexOfEditor(editor)), editor->utf8Text());
        it->onDisk = written.ok;
        allKept = allKept && written.ok;
    }
    // Without a copy of our own the old ones stay for the next start.
    if (allKept)
        m_store->discardClaimed();
    else
        m_store->releaseClaimed();
}

void DocumentRecovery::track(ScintillaEditor* editor)
{
    if (editor == nullptr || m_tracked.contains(editor))
        return;
    Tracked t;
    t.slot = m_nextSlot++;
    t.idle = new QTimer(this);
    t.idle->setSingleShot(true);
    t.idle->setInterval(m_afterLastEditMs);
    t.longest = new QTimer(this);
    t.longest->setSingleShot(true);
    t.longest->setInterval(m_longestMs);
    connect(t.idle, &QTimer::timeout, this, [this, editor] { snapshot(editor); });
    connect(t.longest, &QTimer::timeout, this, [this, editor] { snapshot(editor); });
    m_tracked.insert(editor, t);
    connect(editor, &QsciScintilla::textChanged, this, [this, editor] { edited(editor); });
    connect(editor, &QsciScintilla::modificationChanged, this, [this, editor](bool modified) {
        if (!modified)
            discard(editor);
    });
    connect(editor, &QObject::destroyed, this, &DocumentRecovery::untrack);
    if (editor->isModified())
        edited(editor);
}

void DocumentRecovery::edited(ScintillaEditor* editor)
{
    // Two timer starts a key: nothing here grows with the document.
    if (!editor->isModified())
        return;
    const auto it = m_tracked.constFind(editor);
    if (it == m_tracked.cend())
        return;
    it->idle->start();
    if (!it->longest->isActive())
        it->longest->start();
}

RecoverySnapshot DocumentRecovery::headerOf(ScintillaEditor* editor, int index) const
{
    RecoverySnapshot header;
    header.path = m_documents.pathAt(index);
    header.encoding = m_documents.encodingAt(index);
    header.lineBreak = editor->lineBreak();
    header.stamp = m_documents.knownStampAt(index);
    return header;
}

void DocumentRecovery::snapshot(ScintillaEditor* editor)
{
    const auto it = m_tracked.find(editor);
    if (it == m_tracked.end())
        return;
    it->idle->stop();
    it->longest->stop();
    const int index = m_documents.indexOfEditor(editor);
    if (!editor->isModified() || index < 0)
        return;
    RecoverySnapshot header = headerOf(editor, index);
    // The one copy of the text this interval, its bytes as the editor holds
    // them; putting it into the file is the worker's.
    QByteArray text = editor->utf8Text();
    it->onDisk = true;
    const RecoveryStore* store = m_store.get();
    m_writer.start([store, slot = it->slot, header = std::move(header), text = std::move(text)] {
        const FileWriteResult r = store->write(slot, header, text);
        if (!r.ok)
            qCWarning(lcRecovery) << "cannot write" << store->fileOf(slot) << r.errorText;
    });
}

void DocumentRecovery::discard(ScintillaEditor* editor)
{
    const auto it = m_tracked.find(editor);
    if (it == m_tracked.end())
        return;
    it->idle->stop();
    it->longest->stop();
    if (!it->onDisk)
        return;
    it->onDisk = false;
    const RecoveryStore* store = m_store.get();
    m_writer.start([store, slot = it->slot] { store->remove(slot); });
}

void DocumentRecovery::untrack(QObject* editor)
{
    const auto it = m_tracked.find(editor);
    if (it == m_tracked.end())
        return;
    delete it->idle;
    delete it->longest;
    if (it->onDisk && !m_keepAll) {
        const RecoveryStore* store = m_store.get();
        m_writer.start([store, slot = it->slot] { store->remove(slot); });
    }
    m_tracked.erase(it);
}

} // namespace qw
