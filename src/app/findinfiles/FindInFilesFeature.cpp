#include "app/findinfiles/FindInFilesFeature.h"

#include "app/editor/ScintillaEditor.h"
#include "app/findinfiles/FindInFilesDialog.h"
#include "app/findinfiles/SearchResultsPanel.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "core/filepanel/FilterList.h"
#include "core/findinfiles/FileReplace.h"
#include "core/settings/AppSettings.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QThread>

#include <chrono>

namespace qw {
namespace {

constexpr int kLastFolders = 10;
// How often the worker reports how far it got.
constexpr auto kProgressEvery = std::chrono::milliseconds(100);

} // namespace

FindInFilesFeature::FindInFilesFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context)
{
    setObjectName(QStringLiteral("FindInFilesFeature"));
    m_runDialog = [](FindInFilesDialog& dialog) {
        return dialog.exec() == QDialog::Accepted;
    };
    m_context.commands.registerAction(QStringLiteral("edit.findInFiles"),
                                      [this](ActionPlace) { open(false); });
    m_context.commands.registerAction(QStringLiteral("edit.replaceInFiles"),
                                      [this](ActionPlace) { open(true); });
}

FindInFilesFeature::~FindInFilesFeature()
{
    if (m_thread) {
        m_stop->store(true);
        m_thread->wait();
        delete m_thread;
    }
}

void FindInFilesFeature::ensureWidgets()
{
    if (m_panel)
        return;
    m_panel = new SearchResultsPanel;
    m_dock = new QDockWidget(QStringLiteral("Výsledky hledání"), m_context.window);
    m_dock->setObjectName(QStringLiteral("SearchResultsDock"));
    m_dock->setWidget(m_panel);
    if (auto* window = qobject_cast<QMainWindow*>(m_context.window))
        window->addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    connect(m_panel, &SearchResultsPanel::stopRequested, this, &FindInFilesFeature::stopSearch);
    connect(m_panel, &SearchResultsPanel::replaceRequested, this,
            &FindInFilesFeature::replaceChecked);
    connect(m_panel, &SearchResultsPanel::matchActivated, this, &FindInFilesFeature::openMatch);
}

QStringList FindInFilesFeature::proposedFolders() const
{
    QStringList folders;
    const QString current = m_context.documents.currentFilePath();
    if (!current.isEmpty())
        folders << QFileInfo(current).absolutePath();
    for (const QString& folder : m_lastFolders) {
        if (!folders.contains(folder))
            folders << folder;
    }
    if (folders.isEmpty())
        folders << QDir::homePath();
    return folders;
}

void FindInFilesFeature::open(bool replace)
{
    if (!m_dialog)
        m_dialog = new FindInFilesDialog(m_context.ui, m_context.window);
    QList<FileFilterEntry> filters;
    for (const QString& row : m_context.settings.filters)
        filters << parseFilterText(row);
    m_dialog->prepare(replace, proposedFolders(), filters, m_lastMasks);
    // A selection on one line is what the user most likely looks for.
    if (ScintillaEditor* editor = m_context.documents.current()) {
        const QString selected = editor->selectedText();
        if (!selected.isEmpty() && !selected.contains(u'\r') && !selected.contains(u'\n')) {
            m_dialog->textField()->setText(selected);
            m_dialog->textField()->selectAll();
        }
    }
    if (!m_runDialog(*m_dialog))
        return;
    const FolderSearchOptions options = m_dialog->options();
    m_lastFolders.removeAll(options.folder);
    m_lastFolders.prepend(options.folder);
    while (m_lastFolders.size() > kLastFolders)
        m_lastFolders.removeLast();
    m_lastMasks = options.masks;
    startSearch(options, m_dialog->query(), replace);
}

void FindInFilesFeature::startSearch(const FolderSearchOptions& options, const SearchQuery& query,
                                     bool replace)
{
    ensureWidgets();
    if (m_thread) {
        // The old run's reports are dropped by their run number.
        m_stop->store(true);
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    ++m_run;
    m_results.clear();
    m_replaceMode = replace;
    m_panel->start(replace, options.folder);
    m_dock->show();
    m_dock->raise();

    m_stop = std::make_shared<std::atomic<bool>>(false);
    const auto stop = m_stop;
    const quint64 run = m_run;
    QPointer<FindInFilesFeature> self(this);
    m_thread = QThread::create([self, options, query, stop, run] {
        FolderSearchCallbacks callbacks;
        callbacks.found = [self, run](FileResult&& result) {
            QMetaObject::invokeMethod(
                self.data(),
                [self, run, r = std::move(result)]() mutable {
                    if (!self || self->m_run != run)
                        return;
                    self->m_panel->addFile(r);
                    self->m_results.append(std::move(r));
                },
                Qt::QueuedConnection);
        };
        auto last = std::chrono::steady_clock::now();
        callbacks.progress = [self, run, &last](qsizetype looked) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last < kProgressEvery)
                return;
            last = now;
            QMetaObject::invokeMethod(
                self.data(),
                [self, run, looked] {
                    if (self && self->m_run == run)
                        self->m_panel->setProgress(looked);
                },
                Qt::QueuedConnection);
        };
        const FolderSearchSummary summary = searchFolder(options, query, *stop, callbacks);
        QMetaObject::invokeMethod(
            self.data(),
            [self, run, summary] {
                if (self && self->m_run == run)
                    self->finished(summary);
            },
            Qt::QueuedConnection);
    });
    m_thread->start();
}

void FindInFilesFeature::finished(const FolderSearchSummary& summary)
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_panel->finish(summary);
    Q_EMIT searchFinished();
}

void FindInFilesFeature::stopSearch()
{
    if (m_stop)
        m_stop->store(true);
}

void FindInFilesFeature::replaceChecked()
{
    if (!m_replaceMode || m_thread)
        return;
    qsizetype replaced = 0;
    qsizetype files = 0;
    QStringList failures;
    for (int i = 0; i < m_results.size(); ++i) {
        const FileResult& result = m_results[i];
        const QList<TextMatch> chosen = m_panel->chosenMatches(i, result);
        if (chosen.isEmpty())
            continue;
        ReplaceOutcome outcome;
        // An open document is changed where the user sees it, and saved by
        // the user; its file is left as it is.
        if (ScintillaEditor* editor = m_context.documents.editorOfFile(result.path))
            outcome = replaceInEditor(*editor, chosen);
        else
            outcome = replaceInFile(result, chosen);
        if (outcome.ok) {
            replaced += outcome.replaced;
            ++files;
        } else {
            failures << QStringLiteral("%1: %2").arg(result.relativePath, outcome.errorText);
        }
    }
    QString text =
        QStringLiteral("Nahrazeno výskytů: %1 v souborech: %2.").arg(replaced).arg(files);
    m_panel->replacementDone(text);
    if (!failures.isEmpty()) {
        text += QStringLiteral("\n\nTyto soubory nebyly změněny:\n") +
                failures.join(QStringLiteral("\n"));
    }
    m_context.ui.notify(
        m_context.window,
        failures.isEmpty() ? UiServices::Icon::Information : UiServices::Icon::Warning, text);
}

void FindInFilesFeature::openMatch(int file, int match)
{
    if (file < 0 || file >= m_results.size())
        return;
    const FileResult& result = m_results[file];
    if (match < 0 || match >= result.matches.size())
        return;
    if (!m_context.pages.syncIntoEditor())
        return;
    ScintillaEditor* editor = m_context.documents.showDocumentOf(result.path);
    if (!editor)
        return;
    m_context.pages.showFile(result.path);
    const TextMatch& m = result.matches[match];
    if (m.line >= editor->lineCount())
        return;
    const qsizetype from = editor->lineStart(m.line) + m.column;
    editor->setSelectionStart(from);
    editor->setSelectionLength(m.length);
    editor->scrollCaretIntoView();
    editor->setFocus();
}

} // namespace qw
