// The element dialogs' commands: the tool bar buttons and menu entries that
// open a dialog in insert mode, and the edit-tag command (F4) opening the
// dialog of the tag under the caret in edit mode.
#include "app/design/DesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/BodyDialog.h"
#include "app/elements/DesignOpeners.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/NewPageDialog.h"
#include "app/elements/QuickTableDialog.h"
#include "app/elements/TableDialogs.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/FileDialogFilter.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"

namespace qw {

void MainWindow::registerElementCommands()
{
    ElementDialogContext c;
    c.ui = &m_ui;
    c.attributes = &m_tagState.attributes;
    c.sourceEditor = [this]() -> EditorWidget* {
        return sourceEditor();
    };
    c.designTarget = [this] {
        return m_pages->designTarget();
    };
    c.tagCase = [this] {
        return tagCase();
    };
    c.linkOptions = [this] {
        const AppSettings& s = m_context.settings;
        return LinkOptions{s.relativePath, s.lowerFileName, s.zpetneLomitko};
    };
    c.documentPath = [this] {
        return m_documents->currentPath();
    };
    c.linkMade = [this](const QString& link, const QString& filePath) {
        m_documents->noteInsertedLink(link, filePath);
    };
    c.fileFilter = [this](bool reset) {
        if (reset || m_options.dialogFilter.isEmpty())
            m_options.dialogFilter = qtDialogFilter(dialogFilterText(m_context.settings.filters));
        return m_options.dialogFilter;
    };
    c.setFileFilter = [this](const QString& filter) {
        m_options.dialogFilter = filter;
    };
    c.newDocument = [this]() -> EditorWidget* {
        return m_documents->openDocument() ? m_documents->current() : nullptr;
    };
    m_elements = new ElementDialogs(std::move(c), this);

    using Opening = ElementDialogs::Opening;
    // Every opener ends the inspector's in-place edit first and acts on the
    // source page only unless it is one of the design openers below.
    const auto opener = [this](const char* id, auto open) {
        registerEditorAction(QString::fromLatin1(id),
                             [this, open](ScintillaEditor& e, ActionPlace) {
                                 clearTagInspector();
                                 open(e);
                             });
    };
    // The commands that also open on the design page, where the document
    // says whether they can act.
    const auto designOpener = [this](const char* id, auto open, auto openDesign) {
        m_registry->registerAction(QString::fromLatin1(id), [this, open, openDesign](ActionPlace) {
            if (ScintillaEditor* e = sourceEditor()) {
                clearTagInspector();
                open(*e);
            } else if (DesignDocument* d = m_pages->designTarget()) {
                clearTagInspector();
                openDesign(*d);
            }
        });
    };
    designOpener(
        "tag.link",
        [this](ScintillaEditor& e) {
            LinkDialog& d = m_elements->get<LinkDialog>();
            d.prepareInsert(e.selectedText());
            m_elements->open(d, Opening{.caption = QStringLiteral("Vložit odkaz")});
        },
        [this](DesignDocument& d) { openDesignLinkDialog(*m_elements, d); });
    designOpener(
        "tag.image",
        [this](ScintillaEditor&) {
            m_elements->open(m_elements->get<ImageDialog>(),
                             Opening{.caption = QStringLiteral("Vložit obrázek")});
        },
        [this](DesignDocument& d) { openDesignImageDialog(*m_elements, d); });
    designOpener(
        "tag.body",
        [this](ScintillaEditor&) {
            m_elements->open(m_elements->get<BodyDialog>(), Opening{.reset = true});
        },
        [this](DesignDocument& d) {
            openDesignProperties(*m_elements, d, DesignProperty::Document);
        });
    designOpener(
        "tag.insertTable",
        [this](ScintillaEditor&) {
            m_elements->open(m_elements->get<QuickTableDialog>(),
                             Opening{.caption = QStringLiteral("Vložit tabulku")});
        },
        [this](DesignDocument& d) {
            if (d.commandStatus(DesignCommand::InsertTable) == DesignStatus::Enabled)
                m_elements->open(m_elements->get<QuickTableDialog>(),
                                 Opening{.caption = QStringLiteral("Vložit tabulku")});
        });
    opener("tag.tableDialog", [this](ScintillaEditor&) {
        m_elements->open(m_elements->get<TableDialog>(),
                         Opening{.caption = QStringLiteral("Vložit tabulku")});
    });
    opener("tag.rowDialog", [this](ScintillaEditor&) {
        m_elements->open(m_elements->get<RowDialog>(),
                         Opening{.reset = true, .caption = QStringLiteral("Vložit řádek")});
    });
    opener("tag.cellDialog", [this](ScintillaEditor&) {
        m_elements->open(m_elements->get<CellDialog>(),
                         Opening{.reset = true, .caption = CellDialog::insertCellCaption()});
    });
    opener("tag.headerDialog", [this](ScintillaEditor&) {
        m_elements->open(m_elements->get<CellDialog>(),
                         Opening{.reset = true, .caption = CellDialog::insertHeaderCaption()});
    });
    opener("file.wizard", [this](ScintillaEditor&) {
        m_elements->open(m_elements->get<NewPageDialog>(), Opening{});
    });
    registerInsertDialogCommands();
}

void MainWindow::openEditTagDialog(const EditTagTarget& target)
{
    m_elements->openForEditTag(target);
}

} // namespace qw
