// The left panel's file page "Soubory" (first, shown at start) and the user
// tag page (last, its tab only an icon), and what their requests do to the
// documents: open a file in a tab, insert a link to it, wrap the selection
// in a user tag.

#include "app/editor/ScintillaEditor.h"
#include "app/filepanel/FilePanel.h"
#include "app/panels/LeftPanel.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "app/usertags/UserTagPanel.h"
#include "core/commands/MarkupInsertion.h"
#include "core/filepanel/FileLinkTexts.h"
#include "core/settings/AppSettings.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>

namespace qw {

void MainWindow::buildFileAndUserTagPages()
{
    m_filePanel = new FilePanel;
    m_leftPanelWidget->insertPage(0, m_filePanel, QStringLiteral("Soubory"));
    m_leftPanelWidget->showPage(m_filePanel);
    connect(m_filePanel, &FilePanel::editRequested, this,
            [this](const QString& path) { m_documents->openDocument(path); });
    connect(m_filePanel, &FilePanel::insertLinkRequested, this, &MainWindow::insertFileLink);

    m_userTagPanel = new UserTagPanel(m_context.settings.userTagPath, m_ui);
    m_leftPanelWidget->addIconPage(
        m_userTagPanel,
        QIcon::fromTheme(QStringLiteral("insert-text"),
                         QFileIconProvider().icon(QFileIconProvider::Folder)),
        UserTagPanel::pageName());
    connect(m_userTagPanel, &UserTagPanel::insertRequested, this, &MainWindow::insertUserTag);
}

void MainWindow::applyFileAndUserTagSettings()
{
    const AppSettings& s = m_context.settings;
    m_filePanel->setFilterText(dialogFilterText(s.filters));
    m_userTagPanel->setRootPath(s.userTagPath);
}

void MainWindow::insertFileLink(const QString& path)
{
    clearTagInspector();
    ScintillaEditor* e = sourceEditor();
    if (e == nullptr)
        return;
    e->setFocus();
    if (!QFileInfo(path).isFile())
        return;
    const AppSettings& s = m_context.settings;
    const LinkOptions links{s.relativePath, s.lowerFileName, s.zpetneLomitko};
    const FileLinkTexts texts = fileLinkTexts(path, m_documents->currentPath(), links, tagCase());
    wrapSelection(*e, texts.start, texts.end);
    m_documents->noteInsertedLink(makeLinkPath(path, m_documents->currentPath(), links), path);
}

void MainWindow::insertUserTag(const QString& start, const QString& end)
{
    clearTagInspector();
    ScintillaEditor* e = sourceEditor();
    if (e == nullptr)
        return;
    // A user tag goes in exactly as the user wrote it: no tag case.
    wrapSelection(*e, start, end);
    e->setFocus();
}

} // namespace qw
