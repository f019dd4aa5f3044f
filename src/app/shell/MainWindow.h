#pragma once

#include "app/shell/DocumentManager.h"

#include <QMainWindow>

class QLabel;
class QTabWidget;

namespace qw {

struct AppContext;
class UiServices;

// The main window hosts; it owns the documents, the pages and the commands
// and routes between them. What a command does lives with the command.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

    DocumentManager& documents() { return *m_documents; }

    // The first document: the start file, or a new one.
    void openStartFile(const QString& path);
    // A later start handed this path over (empty: a new document).
    void receiveHandOff(const QString& path);

    // Status bar panel texts, for the window tests.
    QString statusText(int panel) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildStatusBar();
    void buildMenus();
    void updateStatusBar();
    void updateMenu();
    // Takes the settings into the document options and the visible parts.
    void applySettings();
    // Puts what the window shows back into the settings and writes them.
    void saveSettings();

    AppContext& m_context;
    UiServices& m_ui;
    DocumentOptions m_options;
    DocumentManager* m_documents = nullptr;
    QTabWidget* m_pages = nullptr;
    QList<QLabel*> m_panels;
};

} // namespace qw
