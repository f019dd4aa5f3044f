#pragma once

#include <QList>
#include <QString>

namespace qw {

// The open documents in tab order, the running number that names new ones
// and the active tab: the bookkeeping of the tab strip without any widget.
// Each entry carries a key the window uses to find the document's editor.
class DocumentList
{
public:
    struct Entry
    {
        int key = 0;  // the number of "newedit" + N, unique while open
        QString path; // full path, or "dokument" + N before the first save
        // The file is not text: no save may write the editor's text over
        // it, though the text may be edited and saved under another name.
        bool readOnly = false;
    };

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const Entry& at(int index) const { return m_entries.at(index); }
    int activeIndex() const { return m_active; }
    const Entry* active() const;

    // The number the next new document takes; reset to 1 when the window is
    // first shown and after the last document is closed.
    int counter() const { return m_counter; }
    void resetCounter() { m_counter = 1; }

    // Appends a document (a new one when path is empty) and makes it active.
    // A path naming a new document ("dokument7", given back after a crash)
    // keeps that name, and later new documents are numbered past it.
    const Entry& add(const QString& path);
    // The tab of a path, compared exactly (letter case counts); -1 if none.
    int indexOfPath(const QString& path) const;
    void setPath(int index, const QString& path);
    void setReadOnly(int index, bool readOnly);
    void setActiveIndex(int index);

    // Removes the active document; the tab to its right becomes active, or the
    // new last tab when it was the last.
    void removeActive();
    // After closing an unmodified document: one tab further to the right,
    // wrapping from the last to the first, when at least two tabs remain.
    void stepRightAfterClose();
    // The next tab to the right, wrapping; used by "save all".
    int nextIndex(int index) const;

    // Enabled state of the navigation buttons for the active tab.
    struct Navigation
    {
        bool first = false;
        bool previous = false;
        bool next = false;
        bool last = false;
    };
    Navigation navigation() const;

    // A path that was never saved: it begins with "dokument" (case-sensitive).
    static bool isUntitled(const QString& path);
    // The tab caption: the file-name part of the path.
    static QString tabCaption(const QString& path);
    // The tab's text: its caption, marked when the file is read-only.
    static QString tabText(const Entry& entry);
    // The window caption of a document, likewise marked.
    static QString windowText(const Entry& entry);

    // Where Save puts a document: into its own file, under a name asked for
    // (never saved, or read-only with an edit), or nowhere (read-only and
    // unchanged: nothing of it differs from its file).
    enum class SaveTarget { OwnFile, NewName, Nothing };
    static SaveTarget saveTarget(const Entry& entry, bool modified);
    // Whether Save All takes the document in: a read-only one stays out.
    static bool savedByAll(const Entry& entry) { return !entry.readOnly; }
    // Whether Save As may write the document to path: never over a
    // read-only document's own file.
    static bool mayWriteTo(const Entry& entry, const QString& path);

private:
    QList<Entry> m_entries;
    int m_active = -1;
    int m_counter = 1;
};

} // namespace qw
