#pragma once

#include "core/recovery/RecoveryStore.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>

#include <memory>

class QTimer;
class QWidget;

namespace qw {

class DocumentManager;
class ScintillaEditor;
class UiServices;

// Keeps a copy of every modified document in the private recovery folder,
// so a crash or a power cut loses at most a few seconds of typing, and
// offers the copies a killed instance left behind at the next start.
//
// An edit only (re)starts the document's timers; the text is copied when one
// fires: a few seconds after the last edit, and at the latest every half
// minute while edits go on, as the editor's own UTF-8 bytes (nothing is
// decoded on the window's thread). One worker thread writes the copies
// atomically and does the removals in the same order, so a late write never
// brings back a file removed after it. A saved (unmodified) or closed
// document's copy is removed, and a clean end removes the rest.
class DocumentRecovery : public QObject
{
    Q_OBJECT
public:
    DocumentRecovery(DocumentManager& documents, UiServices& ui, QWidget* window);
    // A clean end: waits for the writes, then removes this instance's files.
    ~DocumentRecovery() override;

    // Takes this instance's place in folder, asks whether to give back what
    // killed instances left there, and starts keeping copies. Nothing is
    // kept before (a window made by a test that never starts this keeps
    // nothing).
    void start(const QString& folder);
    bool started() const { return m_store != nullptr; }
    // After the last edit, and at the latest while edits go on.
    void setDelays(int afterLastEditMs, int longestMs);
    // Blocks until the copies handed to the worker are on disk.
    void waitForWrites();
    // The end of a session: every modified document's copy is brought up to
    // date and stays when the window goes, so the next start offers it.
    void keepForNextStart();

    static QString questionText(const QStringList& names);

private:
    struct Tracked
    {
        int slot = 0;
        QTimer* idle = nullptr;
        QTimer* longest = nullptr;
        bool onDisk = false;
    };
    void track(ScintillaEditor* editor);
    void edited(ScintillaEditor* editor);
    void snapshot(ScintillaEditor* editor);
    void discard(ScintillaEditor* editor);
    void untrack(QObject* editor);
    void offerOrphans();
    // What a copy holds besides the text; index is the editor's document.
    RecoverySnapshot headerOf(ScintillaEditor* editor, int index) const;

    DocumentManager& m_documents;
    UiServices& m_ui;
    QWidget* m_window;
    int m_afterLastEditMs = 3000;
    int m_longestMs = 30000;
    int m_nextSlot = 1;
    // Set at the end of a session: closing documents keeps their copies.
    bool m_keepAll = false;
    QHash<QObject*, Tracked> m_tracked;
    std::unique_ptr<RecoveryStore> m_store;
    // Declared after the store, so it is gone (all writes done) before it.
    QThreadPool m_writer;
};

} // namespace qw
