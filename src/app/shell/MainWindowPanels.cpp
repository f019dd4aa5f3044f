// The left panel of the main window: its pages "HTMLTag" (the tag inspector)
// and "Special Char", the splitter beside the main pages, and the inspector's
// link to the current document.

#include "app/editor/ScintillaEditor.h"
#include "app/inspector/SpecialCharacterList.h"
#include "app/inspector/TagInspector.h"
#include "app/pages/PageSwitcher.h"
#include "app/panels/LeftPanel.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/elements/PicturePath.h"
#include "core/markup/LinkPath.h"

#include <QSplitter>

namespace qw {

namespace {
const QString kPictureCaption = QStringLiteral("Otevřít obrázek");
} // namespace

void MainWindow::buildLeftPanel()
{
    m_leftPanelWidget = new LeftPanel;
    m_inspector = new TagInspector(m_context.tags);
    m_specialCharacters = new SpecialCharacterList;
    m_leftPanelWidget->addPage(m_inspector, QStringLiteral("HTMLTag"));
    m_leftPanelWidget->addPage(m_specialCharacters, QStringLiteral("Special Char"));
    m_specialCharacters->fill(m_context.tags.specialCharacters());

    TagInspector::Services services;
    services.editor = [this]() -> EditorWidget* {
        return sourceEditor();
    };
    services.pickLink = [this](AttributeEditorKind kind) {
        return pickInspectorLink(kind);
    };
    services.ui = &m_ui;
    m_inspector->setServices(std::move(services));
    connect(m_inspector, &TagInspector::tagRewritten, this, [this] {
        updateMenu();
        updateStatusBar();
    });
    connect(m_specialCharacters, &SpecialCharacterList::insertRequested, this,
            [this](const QString& html) {
                if (ScintillaEditor* e = sourceEditor())
                    e->replaceSelection(html);
            });
    connect(m_leftPanelWidget, &LeftPanel::resized, this,
            [this] { m_specialCharacters->fitColumns(); });

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_leftPanelWidget);
    m_splitter->addWidget(m_pages->widget());
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({LeftPanel::InitialWidth, 1});
    setCentralWidget(m_splitter);
}

void MainWindow::showLeftPanel(bool shown)
{
    m_leftPanel = shown;
    m_leftPanelWidget->setVisible(shown);
}

void MainWindow::fillTagInspector(const TagAtCaret& found)
{
    if (found.parsed && !found.name.isEmpty())
        m_inspector->fillInspector(found, m_tagState.attributes, tagCase());
}

void MainWindow::clearTagInspector()
{
    m_inspector->clearInspector();
}

QString MainWindow::pickInspectorLink(AttributeEditorKind kind)
{
    const QString path =
        kind == AttributeEditorKind::Image
            ? m_ui.openPictureFileName(this, kPictureCaption, qtDialogFilter(pictureFilterText()),
                                       QString())
            : m_ui.openFileName(this, QString(), m_options.dialogFilter, QString());
    if (path.isEmpty())
        return QString();
    const AppSettings& s = m_context.settings;
    const QString link =
        makeLinkPath(path, m_documents->currentPath(),
                     LinkOptions{s.relativePath, s.lowerFileName, s.zpetneLomitko});
    m_documents->noteInsertedLink(link, path);
    return link;
}

} // namespace qw
