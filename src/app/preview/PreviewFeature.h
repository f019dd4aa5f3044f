#pragma once

#include "app/pages/PageSwitcher.h"
#include "app/services/FeatureContext.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <functional>

class QMenu;
class QWidget;

namespace qw {

// How the preview reaches programs outside: the desktop's default program
// for a file, and a listed browser started with the preview file as its one
// argument. Tests replace both.
struct ProgramLauncher
{
    std::function<bool(const QUrl&)> openWithDesktop;
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;

    static ProgramLauncher desktop();
};

// The page "Náhled (F12)" and the external browsers: the current document
// is written to its preview file and shown from there, inside the program
// (a web view made on the first showing) or in a browser outside it.
class PreviewFeature : public QObject, public PageHandler
{
    Q_OBJECT
public:
    // Makes the web view of the preview page; null when it cannot be made.
    // By default the web module's view (a QWebEngineView).
    using ViewFactory = std::function<QWidget*()>;

    PreviewFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~PreviewFeature() override;

    // Writes the current document to its preview file and returns the path;
    // when the file cannot be written, the path written before.
    QString writePreviewFile();
    // writePreviewFile, then the web view (if it exists) shows the file.
    void refreshPreview();
    // Rebuilds the browsers' drop-down from the settings' browser list.
    void buildBrowserMenu();
    // Deletes every preview file written in this run (done when the window
    // closes); failures are ignored.
    void deletePreviewFiles();

    // PageHandler
    bool showPage() override;
    bool leavePage() override;
    void followDocument() override;
    // The web view shows path itself, not a preview file of it.
    void showFile(const QString& path) override;

    QString previewPath() const { return m_previewPath; }
    const QStringList& previewFiles() const { return m_previewFiles; }
    QWidget* view() const;
    QMenu* browserMenu() const { return m_browserMenu; }
    // The private folder of temporary files (made on first use).
    QString tempFolder();

    void setLauncher(ProgramLauncher launcher) { m_launcher = std::move(launcher); }
    void setViewFactory(ViewFactory factory) { m_viewFactory = std::move(factory); }

Q_SIGNALS:
    // The web view was pointed at url.
    void navigated(const QUrl& url);

private:
    bool ensureView();
    QWidget* makeView();
    void navigate(const QString& path);
    void scheduleFollow();
    void openDefaultBrowser();
    void openListedBrowser(const QString& program);

    FeatureContext m_context;
    ProgramLauncher m_launcher;
    ViewFactory m_viewFactory;
    QPointer<QWidget> m_view;
    QMenu* m_browserMenu = nullptr;
    QString m_previewPath;
    // The document whose copy the preview file is (empty: none with a file).
    QUrl m_previewDocument;
    QStringList m_previewFiles;
    QString m_tempFolder;
    bool m_followPending = false;
};

} // namespace qw
