#include "app/shell/MainWindow.h"

#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/FileDialogFilter.h"
#include "app/shell/UiServices.h"
#include "core/settings/AppSettings.h"
#include "core/shell/RecentFiles.h"
#include "core/shell/ShellTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace qw {

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_ui(context.ui)
{
    setObjectName(QStringLiteral("frmMain"));
    m_documents = new DocumentManager(m_ui, m_options, this);
    connect(m_documents, &DocumentManager::pathTouched, this, [this](const QString& path) {
        updateRecentFiles(m_context.settings.recentFiles, path);
    });
    buildPages();
    buildStatusBar();
    buildMenus();
    connect(m_documents, &DocumentManager::stateChanged, this, [this] {
        updateMenu();
        updateStatusBar();
    });
    applySettings();
}

void MainWindow::applySettings()
{
    const AppSettings& s = m_context.settings;
    m_options.fontName = s.fontName;
    m_options.fontSize = s.fontSize;
    m_options.fontColor = s.fontColor;
    m_options.backColor = s.backColor;
    m_options.tabWidth = s.tabWidth;
    m_options.docFromTemplate = s.docFromTemplate;
    m_options.templateHead = s.templateHead;
    m_options.templateFoot = s.templateFoot;
    m_options.saveFormat = s.saveFormat;
    m_options.defaultExt = s.defaultExt;
    m_options.dialogFilter = qtDialogFilter(dialogFilterText(s.filters));
    statusBar()->setVisible(s.statusBar);
    m_documents->tabBar()->setVisible(s.tabSet);
    m_documents->applySettings();
}

void MainWindow::saveSettings()
{
    AppSettings& s = m_context.settings;
    s.statusBar = !statusBar()->isHidden();
    s.tabSet = !m_documents->tabBar()->isHidden();
    if (!m_context.saveSettings()) {
        m_ui.notify(this, UiServices::Icon::Error,
                    QStringLiteral("Nastavení se nepodařilo uložit."));
    }
}

void MainWindow::buildPages()
{
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    auto* source = new QWidget;
    auto* layout = new QVBoxLayout(source);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_documents->editorStack(), 1);
    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);
    strip->addWidget(m_documents->navigationBar());
    strip->addWidget(m_documents->tabBar(), 1);
    layout->addLayout(strip);
    m_pages->addTab(source, QStringLiteral("Úpravy (F11)"));
    setCentralWidget(m_pages);
}

void MainWindow::buildStatusBar()
{
    const int widths[] = {100, 90, 80, 90};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel;
        label->setMinimumWidth(widths[i]);
        if (i == 1 || i == 2)
            label->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(label);
        m_panels << label;
    }
    m_panels.at(0)->setText(QStringLiteral("1:1"));
    m_panels.at(0)->setAccessibleName(QStringLiteral("Pozice"));
    m_panels.at(1)->setAccessibleName(QStringLiteral("Změny"));
    m_panels.at(2)->setAccessibleName(QStringLiteral("Režim psaní"));
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Soubor"));
    auto add = [this](QMenu* menu, const QString& caption, const QKeySequence& key, auto slot) {
        QAction* a = menu->addAction(caption);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(file, QStringLiteral("&Nový"), QKeySequence(Qt::CTRL | Qt::Key_N),
        [this] { m_documents->openDocument(); });
    add(file, QStringLiteral("&Otevřít..."), QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
        const QString path = m_ui.openFileName(this, QString(), m_options.dialogFilter, QString());
        if (!path.isEmpty())
            m_documents->openDocument(path);
    });
    add(file, QStringLiteral("&Uložit"), QKeySequence(Qt::CTRL | Qt::Key_S),
        [this] { m_documents->save(); });
    add(file, QStringLiteral("Uložit j&ako..."), QKeySequence(), [this] { m_documents->saveAs(); });
    add(file, QStringLiteral("Uložit vše"), QKeySequence(), [this] { m_documents->saveAll(); });
    add(file, QStringLiteral("&Zavřít"), QKeySequence(), [this] { m_documents->closeDocument(); });
    add(file, QStringLiteral("Za&vřít vše"), QKeySequence(), [this] { m_documents->closeAll(); });
    file->addSeparator();
    add(file, QStringLiteral("&Konec"), QKeySequence(), [this] { close(); });
}

void MainWindow::openStartFile(const QString& path)
{
    m_documents->resetCounter();
    m_documents->openDocument(path);
}

void MainWindow::receiveHandOff(const QString& path)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    m_documents->openDocument(path);
}

QString MainWindow::statusText(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels.at(panel)->text() : QString();
}

void MainWindow::updateStatusBar()
{
    const ScintillaEditor* e = m_documents->current();
    if (e == nullptr)
        return;
    m_panels.at(0)->setText(caretPositionText(e->caretLine(), e->caretColumn()));
    m_panels.at(1)->setText(modifiedText(e->isModified()));
    m_panels.at(2)->setText(typingModeText(e->overwrite()));
}

void MainWindow::updateMenu()
{}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const bool closed = m_documents->closeRequest();
    // The settings are saved at every close request, also a refused one.
    saveSettings();
    if (closed)
        event->accept();
    else
        event->ignore();
}

} // namespace qw
