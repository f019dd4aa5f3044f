#include "app/design/DesignFeature.h"

#include "app/design/DesignShortcuts.h"
#include "app/design/TextReplacements.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "app/web/WebModule.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

namespace qw {

namespace {

const QString kCannotCreate = QStringLiteral("Chyba při vytvoření DHTML.ocx!");
const QString kCannotTakeBack =
    QStringLiteral("Úpravy ze stránky Design se nepodařilo převzít do dokumentu.\n"
                   "Stránka Design zůstává otevřená a úpravy v ní zůstávají; "
                   "zkuste to prosím znovu.");

struct PropertyEntry
{
    DesignProperty property;
    const char* tag; // the selected element's tag that shows the entry
    const char* text;
    const char* name;
};

// The six entries shown by the selected element's tag, in menu order.
constexpr PropertyEntry kElementEntries[] = {
    {DesignProperty::InlineFrame, "IFRAME", "Vlastnosti interaktivního rámu...", "miIFrame"},
    {DesignProperty::Cell, "TD", "Vlastnosti buňky...", "miCell"},
    {DesignProperty::Table, "TABLE", "Vlastnosti tabulky...", "miTable"},
    {DesignProperty::Rule, "HR", "Horizontální čára...", "miRule"},
    {DesignProperty::Image, "IMG", "Vlastnosti obrázku...", "miImage"},
    {DesignProperty::Link, "A", "Vlastnosti odkazu...", "miLink"},
};

} // namespace

DesignFeature::DesignFeature(const FeatureContext& context, WriteBack writeBack, QObject* parent)
    : QObject(parent), m_context(context), m_writeBack(std::move(writeBack)),
      m_factory([this](QVBoxLayout* page) { return makeWebDocument(page); })
{
    m_context.pages.setHandler(PageMode::Design, this);
}

DesignDocument* DesignFeature::makeWebDocument(QVBoxLayout* page)
{
    // Large pages reach the view through a private folder among the
    // program's temporary files.
    const WebModule* web = webModule();
    if (web == nullptr)
        return nullptr;
    QWidget* view = nullptr;
    DesignDocument* document = web->makeDesignDocument(m_context.paths.tempFolder(), this, &view);
    if (document == nullptr)
        return nullptr;
    view->setObjectName(QStringLiteral("DHTMLEdit1"));
    // Read by a screen reader as the page's name, with the engine's document inside.
    view->setAccessibleName(QStringLiteral("Design"));
    new DesignShortcuts(view, [&registry = m_context.commands](const QKeySequence& keys) {
        return registry.hasShortcut(keys);
    });
    page->addWidget(view);
    return document;
}

bool DesignFeature::showPage()
{
    if (m_context.clearTagInspector)
        m_context.clearTagInspector();
    if (m_document == nullptr) {
        m_document =
            m_factory ? m_factory(m_context.pages.contentLayout(PageMode::Design)) : nullptr;
        if (m_document == nullptr) {
            if (m_context.clearTagInspector)
                m_context.clearTagInspector();
            m_context.ui.notify(m_context.window, UiServices::Icon::Error, kCannotCreate);
            return false;
        }
        connect(m_document, &DesignDocument::stateChanged, this, &DesignFeature::stateChanged);
        connect(m_document, &DesignDocument::contentChanged, this, [this] {
            m_handedOver = false;
            if (m_loadedEditor != nullptr)
                setPendingEdits(true);
        });
        connect(m_document, &DesignDocument::ready, this, &DesignFeature::stateChanged);
        connect(m_document, &DesignDocument::contextMenuRequested, this,
                &DesignFeature::popUpContextMenu);
        connect(m_document, &QObject::destroyed, this, [this] {
            m_document = nullptr;
            m_context.pages.setDesignDocument(nullptr);
        });
        m_context.pages.setDesignDocument(m_document);
    }
    load();
    m_document->takeFocus();
    return true;
}

bool DesignFeature::leavePage()
{
    if (!writeBack())
        return false;
    m_loadPending = false;
    // The source editor is the master again until the next showing.
    m_loadedEditor = nullptr;
    m_loadedText.clear();
    m_base.reset();
    setPendingEdits(false);
    return true;
}

void DesignFeature::followDocument()
{
    if (m_loadedEditor != nullptr && m_loadedEditor != m_context.documents.current()) {
        // Into the editor the view was loaded from, which is no longer
        // current. The window hands it back before it changes tabs, so this
        // finds nothing new then; a view that cannot answer keeps its
        // document rather than losing the edits in it.
        if (!writeBack())
            return;
    } else {
        // The same editor's text was replaced under the view (read again
        // from its file, transformed after a hand-over): the view's
        // document is no longer its text, and nothing of it is written.
        m_loadedEditor = nullptr;
        m_base.reset();
        setPendingEdits(false);
    }
    // A new or opened document becomes current before its text is in it:
    // the view loads it once those steps are done.
    if (m_loadPending)
        return;
    m_loadPending = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_loadPending)
            return;
        m_loadPending = false;
        if (m_context.pages.pageMode() == PageMode::Design)
            load();
    });
}

bool DesignFeature::syncIntoEditor()
{
    return writeBack();
}

bool DesignFeature::holdsEditsOf(const ScintillaEditor* editor) const
{
    return m_pendingEdits && editor != nullptr && editor == m_loadedEditor;
}

bool DesignFeature::holdsEditsNow(const ScintillaEditor* editor)
{
    if (editor == nullptr || editor != m_loadedEditor || m_document == nullptr ||
        !m_document->isReady())
        return false;
    const std::optional<DesignSnapshot> now = m_document->snapshot();
    return !now || *now != (m_base ? *m_base : m_document->loadedSnapshot());
}

void DesignFeature::setPendingEdits(bool pending)
{
    if (m_pendingEdits == pending)
        return;
    m_pendingEdits = pending;
    Q_EMIT pendingEditsChanged();
}

void DesignFeature::load()
{
    m_loadPending = false;
    if (m_document == nullptr)
        return;
    ScintillaEditor* editor = m_context.documents.current();
    m_loadedEditor = editor;
    m_loadedText = editor != nullptr ? editor->text() : QString();
    m_base.reset();
    m_handedOver = false;
    setPendingEdits(false);
    const QString path = m_context.documents.currentFilePath();
    const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    m_document->setHtml(m_loadedText, folder);
}

bool DesignFeature::writeBack()
{
    // A document not yet made editable holds nothing the user did.
    if (m_handedOver || m_document == nullptr || m_loadedEditor == nullptr ||
        !m_document->isReady())
        return true;
    // Asked of the view whether or not it has reported an edit: the report
    // of the last key may still be on its way.
    std::optional<DesignSnapshot> left = m_document->snapshot();
    if (!left) {
        m_context.ui.notify(m_context.window, UiServices::Icon::Error, kCannotTakeBack);
        return false;
    }
    m_handedOver = true;
    QTimer::singleShot(0, this, [this] { m_handedOver = false; });
    setPendingEdits(false);
    const DesignSnapshot base = m_base ? *m_base : m_document->loadedSnapshot();
    if (*left == base)
        return true;
    DesignWriteBackOptions options;
    options.tagCase = TagCaseOptions{m_context.settings.upperTag};
    const QList<TextReplacement> replacements = m_writeBack(m_loadedText, base, *left, options);
    applyReplacements(*m_loadedEditor, m_loadedText, replacements);
    // What was written is the base of the next write-back.
    m_loadedText = m_loadedEditor->text();
    m_base = std::move(left);
    return true;
}

void DesignFeature::runIf(DesignCommand command, DesignStatus wanted, int option)
{
    if (m_document != nullptr && m_document->commandStatus(command) == wanted)
        m_document->runCommand(command, option);
}

void DesignFeature::insertTable()
{
    if (m_document == nullptr ||
        m_document->commandStatus(DesignCommand::InsertTable) != DesignStatus::Enabled)
        return;
    DesignTableParams params;
    params.rows = 1;
    params.columns = 2;
    params.tableAttributes = QStringLiteral("border=1 width=100");
    m_document->insertTable(params);
}

QMenu* DesignFeature::buildContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("pmDHTMLMenu"));
    DesignDocument* doc = m_document;
    const auto status = [doc](DesignCommand command) {
        return doc != nullptr ? doc->commandStatus(command) : DesignStatus::NotSupported;
    };
    const auto add = [](QMenu* into, const QString& text, const char* name, bool enabled,
                        auto run) {
        QAction* a = into->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, into, run);
        return a;
    };
    // A command of the menu: enabled by its status, run with that status.
    const auto command = [&](QMenu* into, const char* text, const char* name, DesignCommand id,
                             DesignStatus wanted, int option) {
        add(into, QString::fromUtf8(text), name, status(id) == wanted,
            [this, id, wanted, option] { runIf(id, wanted, option); });
    };
    using S = DesignStatus;
    using C = DesignCommand;
    command(menu, "Vyjmout", "miCut", C::Cut, S::Enabled, kDesignPromptUser);
    command(menu, "Kopírovat", "miCopy", C::Copy, S::Enabled, kDesignPromptUser);
    command(menu, "Vložit", "miPaste", C::Paste, S::Enabled, kDesignPromptUser);
    menu->addSeparator();

    QMenu* table = menu->addMenu(QStringLiteral("Tabulka"));
    table->setObjectName(QStringLiteral("miTableMenu"));
    add(table, QStringLiteral("Vložit tabulku"), "miInsertTable",
        status(C::InsertTable) == S::Enabled, [this] { insertTable(); });
    command(table, "Vložit řádek", "miInsertRow", C::InsertRow, S::Enabled, kDesignDefault);
    command(table, "Vložit sloupec", "miInsertCol", C::InsertCol, S::Enabled, kDesignDefault);
    command(table, "Vložit buňku", "miInsertCell", C::InsertCell, S::Enabled, kDesignDefault);
    table->addSeparator();
    command(table, "Rozdělit buňku", "miSplitCell", C::SplitCell, S::Enabled, kDesignDefault);
    command(table, "Sloučit buňky", "miMergeCells", C::MergeCells, S::Enabled, kDesignDefault);
    command(table, "Odstranit buňku", "miDeleteCells", C::DeleteCells, S::Enabled, kDesignDefault);

    QMenu* list = menu->addMenu(QStringLiteral("Seznam"));
    list->setObjectName(QStringLiteral("miListMenu"));
    command(list, "Vložit číslovaný seznam", "miInsertOrdered", C::OrderList, S::Enabled,
            kDesignPromptUser);
    command(list, "Vložit nečíslovaný seznam", "miInsertUnordered", C::UnorderList, S::Enabled,
            kDesignPromptUser);
    list->addSeparator();
    command(list, "Odstranit číslovaný seznam", "miRemoveOrdered", C::OrderList, S::Latched,
            kDesignPromptUser);
    command(list, "Odstranit nečíslovaný seznam", "miRemoveUnordered", C::UnorderList, S::Latched,
            kDesignPromptUser);
    menu->addSeparator();

    command(menu, "Zrušit odkaz", "miUnlink", C::Unlink, S::Enabled, kDesignPromptUser);
    const std::optional<DesignElement> element =
        doc != nullptr ? doc->selectedElement() : std::nullopt;
    const QString tag = element ? element->tagName : QString();
    bool anyElementEntry = false;
    const auto open = [this](DesignProperty property) {
        return [this, property] {
            if (m_propertyOpener)
                m_propertyOpener(property);
        };
    };
    for (const PropertyEntry& entry : kElementEntries) {
        const bool shown = tag.compare(QLatin1String(entry.tag), Qt::CaseInsensitive) == 0;
        QAction* a =
            add(menu, QString::fromUtf8(entry.text), entry.name, true, open(entry.property));
        a->setVisible(shown);
        anyElementEntry = anyElementEntry || shown;
    }
    menu->addSeparator()->setVisible(anyElementEntry);
    add(menu, QStringLiteral("Vlastnosti dokumentu..."), "miDocument", true,
        open(DesignProperty::Document));
    add(menu, QStringLiteral("Vlastnosti písma..."), "miFont", true, open(DesignProperty::Font))
        ->setVisible(status(C::SetFontName) == S::Enabled);
    return menu;
}

void DesignFeature::popUpContextMenu(const QPoint& globalPos)
{
    if (m_menu != nullptr)
        m_menu->deleteLater();
    m_menu = buildContextMenu(m_context.window);
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    m_menu->popup(globalPos);
}

} // namespace qw
