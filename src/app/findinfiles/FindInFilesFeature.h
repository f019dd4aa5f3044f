#pragma once

#include "app/findinfiles/FindInFilesDialog.h"
#include "app/findinfiles/SearchResultsPanel.h"
#include "app/services/FeatureContext.h"
#include "core/findinfiles/FolderSearch.h"

#include <QDockWidget>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace qw {

// "Hledat v souborech..." and "Nahradit v souborech...": the dialog, the
// search in a worker thread with its results shown as they come, and the
// replacement of the matches the user left checked.
class FindInFilesFeature : public QObject
{
    Q_OBJECT
public:
    FindInFilesFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~FindInFilesFeature() override;

    // How the dialog is run; by default exec(). Tests fill it and confirm it
    // without a modal loop.
    using DialogRunner = std::function<bool(FindInFilesDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    // Opens the dialog and, when confirmed, starts the search.
    void open(bool replace);
    // Starts a search (stopping one that runs).
    void startSearch(const FolderSearchOptions& options, const SearchQuery& query, bool replace);
    bool isSearching() const { return m_thread != nullptr; }
    void stopSearch();
    // Replaces the checked matches; open documents in their editors.
    void replaceChecked();

    SearchResultsPanel* panel() const { return m_panel; }
    QDockWidget* dock() const { return m_dock; }
    FindInFilesDialog* dialog() const { return m_dialog; }
    const QList<FileResult>& results() const { return m_results; }

Q_SIGNALS:
    // The search ended (finished or stopped).
    void searchFinished();

private:
    void ensureWidgets();
    void openMatch(int file, int match);
    void finished(const FolderSearchSummary& summary);
    QStringList proposedFolders() const;

    FeatureContext m_context;
    QPointer<FindInFilesDialog> m_dialog;
    QPointer<QDockWidget> m_dock;
    QPointer<SearchResultsPanel> m_panel;
    DialogRunner m_runDialog;
    QStringList m_lastFolders;
    QString m_lastMasks;

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    quint64 m_run = 0;
    QList<FileResult> m_results;
    bool m_replaceMode = false;
};

} // namespace qw
