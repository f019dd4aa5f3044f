#pragma once

#include "core/findinfiles/FolderSearch.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qw {

// The panel "Výsledky hledání": each file found (its path relative to the
// searched folder and its count) with its matching lines (number and text,
// the match emphasised). In replace mode every file and match has a check
// box, all checked. It only shows: the search and the replacement are the
// feature's.
class SearchResultsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SearchResultsPanel(QWidget* parent = nullptr);

    // Empties the list for a new search.
    void start(bool replaceMode, const QString& folder);
    void addFile(const FileResult& result);
    void setProgress(qsizetype filesLooked);
    void finish(const FolderSearchSummary& summary);
    // After a replacement: nothing can be replaced again from these results.
    void replacementDone(const QString& text);

    // The matches of file whose boxes are checked, in file order.
    QList<TextMatch> chosenMatches(int file, const FileResult& result) const;
    int fileCount() const;

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* stopButton() const { return m_stop; }
    QPushButton* replaceButton() const { return m_replace; }
    QProgressBar* progressBar() const { return m_progress; }
    QString summaryText() const;

    // The file index and match index an item shows (match -1 for a file row).
    static std::pair<int, int> positionOf(const QTreeWidgetItem* item);

Q_SIGNALS:
    void stopRequested();
    void replaceRequested();
    void matchActivated(int file, int match);

private:
    bool m_replaceMode = false;
    QLabel* m_summary = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_replace = nullptr;
    QTreeWidget* m_tree = nullptr;
    qsizetype m_matches = 0;
};

} // namespace qw
