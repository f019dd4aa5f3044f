#include "core/shell/CommandCatalog.h"

#include <array>
#include <cstddef>

namespace qw {

namespace {

// Commands whose feature arrives with a later piece of work stand here too:
// their entries exist, and stay disabled while no handler is registered.
constexpr std::array Rows = {
    // "&Soubor"
    CommandRow{.id = u"file.new",
               .caption = u"&Nový",
               .shortcut = u"Ctrl+N",
               .hint = u"Nový",
               .icon = u"document-new",
               .otherCaption = u"Nový dokument"},
    CommandRow{.id = u"file.newHtml5", .otherCaption = u"Nový dokument HTML5"},
    CommandRow{.id = u"file.wizard", .otherCaption = u"Nový dokument s průvodcem..."},
    CommandRow{.id = u"file.blank", .otherCaption = u"Prázdný dokument"},
    CommandRow{.id = u"file.open",
               .caption = u"&Otevřít...",
               .shortcut = u"Ctrl+O",
               .hint = u"Otevřít",
               .icon = u"document-open"},
    CommandRow{.id = u"file.openInternet", .caption = u"Otevřít z internetu..."},
    CommandRow{.id = u"file.clearRecent", .caption = u"Smazat"},
    CommandRow{.id = u"file.save",
               .caption = u"&Uložit",
               .shortcut = u"Ctrl+S",
               .hint = u"Uložit",
               .icon = u"document-save"},
    CommandRow{.id = u"file.saveAs", .caption = u"Uložit j&ako..."},
    CommandRow{.id = u"file.saveAll", .caption = u"Uložit vše"},
    CommandRow{.id = u"file.close", .caption = u"&Zavřít", .otherCaption = u"Zavřít"},
    CommandRow{.id = u"file.closeAll", .caption = u"Za&vřít vše"},
    CommandRow{.id = u"file.encodingWindows1250", .caption = u"Windows-1250"},
    CommandRow{.id = u"file.encodingUtf8", .caption = u"UTF-8"},
    CommandRow{.id = u"file.encodingUtf8Bom", .caption = u"UTF-8 s BOM"},
    CommandRow{.id = u"file.exportRtf", .caption = u"Text -->> rtf"},
    CommandRow{.id = u"file.exportHtml", .caption = u"Text -->> HTML"},
    CommandRow{.id = u"file.printSetup", .caption = u"Na&stavení tisku..."},
    CommandRow{.id = u"file.print",
               .caption = u"&Tisk",
               .shortcut = u"Ctrl+P",
               .hint = u"Tisk",
               .icon = u"document-print"},
    CommandRow{.id = u"file.quit", .caption = u"&Konec"},
    // "Úpr&avy"
    CommandRow{.id = u"edit.undo", .caption = u"Zpět", .hint = u"Zpět", .icon = u"edit-undo"},
    CommandRow{
        .id = u"edit.redo", .caption = u"Opakovat", .hint = u"Opakovat", .icon = u"edit-redo"},
    CommandRow{.id = u"edit.cut",
               .caption = u"Vyjmout",
               .shortcut = u"Ctrl+X",
               .hint = u"Vyjmout",
               .icon = u"edit-cut"},
    CommandRow{.id = u"edit.copy",
               .caption = u"Kopírovat",
               .shortcut = u"Ctrl+C",
               .hint = u"Kopírovat",
               .icon = u"edit-copy"},
    CommandRow{.id = u"edit.paste",
               .caption = u"Vložit",
               .shortcut = u"Ctrl+V",
               .hint = u"Vložit",
               .icon = u"edit-paste"},
    CommandRow{.id = u"edit.pasteAsNew",
               .caption = u"Vložit jako nový dokument",
               .shortcut = u"Ctrl+Shift+V"},
    CommandRow{.id = u"edit.find",
               .caption = u"Hledat...",
               .shortcut = u"Ctrl+F",
               .hint = u"Hledat",
               .icon = u"edit-find"},
    CommandRow{.id = u"edit.findNext", .caption = u"Hledat další", .shortcut = u"F3"},
    CommandRow{.id = u"edit.replace",
               .caption = u"Nahradit...",
               .shortcut = u"Ctrl+R",
               .hint = u"Nahradit",
               .icon = u"edit-find-replace"},
    CommandRow{.id = u"edit.findInFiles",
               .caption = u"Hledat v souborech...",
               .shortcut = u"Ctrl+Shift+F"},
    CommandRow{.id = u"edit.replaceInFiles",
               .caption = u"Nahradit v souborech...",
               .shortcut = u"Ctrl+Shift+H"},
    CommandRow{.id = u"edit.selectAll", .caption = u"Vybrat vše", .shortcut = u"Ctrl+A"},
    CommandRow{.id = u"edit.wordWrap", .caption = u"Zalamování řádků", .checkable = true},
    CommandRow{.id = u"edit.gotoLine", .caption = u"Jdi na..."},
    CommandRow{
        .id = u"edit.gotoPartnerTag", .caption = u"Přejít na párový tag", .shortcut = u"Ctrl+M"},
    // "&Zobrazit"
    CommandRow{.id = u"view.tbTool", .caption = u"Hlavní", .checkable = true},
    CommandRow{.id = u"view.tbEdit", .caption = u"Editace", .checkable = true},
    CommandRow{.id = u"view.tbFonts", .caption = u"Formát písma", .checkable = true},
    CommandRow{.id = u"view.tbHead", .caption = u"Možnosti", .checkable = true},
    CommandRow{.id = u"view.tbTable", .caption = u"Tabulky a rámy", .checkable = true},
    CommandRow{.id = u"view.tbInput", .caption = u"Ovládací prvky", .checkable = true},
    CommandRow{.id = u"view.statusBar", .caption = u"Stavový řádek", .checkable = true},
    CommandRow{.id = u"view.tabs", .caption = u"Záložky", .checkable = true},
    CommandRow{.id = u"view.leftPanel", .caption = u"HTML Panel", .checkable = true},
    CommandRow{.id = u"view.source", .caption = u"Úpravy", .shortcut = u"F11"},
    CommandRow{.id = u"view.preview", .caption = u"Náhled", .shortcut = u"F12"},
    CommandRow{.id = u"view.livePreview",
               .caption = u"Náhled vedle kódu",
               .shortcut = u"Ctrl+F12",
               .hint = u"Náhled vedle kódu",
               .icon = u"qw-live-preview",
               .checkable = true},
    CommandRow{.id = u"view.livePreviewBelow", .caption = u"Náhled pod kódem", .checkable = true},
    CommandRow{.id = u"view.fullScreen", .caption = u"Celá obrazovka", .checkable = true},
    // The button of the same name acts differently from the menu entry.
    CommandRow{
        .id = u"view.fullScreenButton", .hint = u"Celá obrazovka", .icon = u"view-fullscreen"},
    CommandRow{.id = u"view.browsers", .hint = u"Prohlížeče", .icon = u"qw-browsers"},
    // "Nástroje"
    CommandRow{.id = u"tools.settings", .caption = u"Nastavení..."},
    CommandRow{.id = u"tools.dateTime", .caption = u"Datum a čas", .shortcut = u"F5"},
    CommandRow{.id = u"tools.removeDiacritics", .caption = u"Odstranit diakritiku"},
    CommandRow{.id = u"tools.spelling", .caption = u"Kontrola pravopisu...", .shortcut = u"F7"},
    CommandRow{.id = u"tools.textToHtml", .caption = u"Převést text na HTML"},
    CommandRow{.id = u"tools.removeHtml", .caption = u"Odstranit HTML"},
    CommandRow{.id = u"tools.removeSurplusLines", .caption = u"Odstranit přebytečné řádky"},
    CommandRow{.id = u"tools.tagsUpper", .caption = u"Konvertovat tagy na VELKÁ PÍSMENA"},
    CommandRow{.id = u"tools.tagsLower", .caption = u"Konvertovat tagy na malá písmena"},
    CommandRow{.id = u"tools.upper", .caption = u"VELKÁ PÍSMENA"},
    CommandRow{.id = u"tools.lower", .caption = u"malá písmena"},
    CommandRow{.id = u"tools.invert", .caption = u"oTOČIT"},
    CommandRow{.id = u"tools.firstCapital", .caption = u"První Velká"},
    CommandRow{.id = u"tools.insertFile", .caption = u"Vložit soubor..."},
    CommandRow{.id = u"tools.checkPage",
               .caption = u"Zkontrolovat stránku",
               .shortcut = u"Ctrl+F7",
               .hint = u"Zkontrolovat stránku",
               .icon = u"qw-check-page"},
    CommandRow{.id = u"tools.nextFinding", .caption = u"Další nález", .shortcut = u"F8"},
    CommandRow{
        .id = u"tools.previousFinding", .caption = u"Předchozí nález", .shortcut = u"Shift+F8"},
    // "Tag": the element dialogs
    CommandRow{.id = u"tag.body", .hint = u"Body", .icon = u"qw-body"},
    CommandRow{.id = u"tag.image",
               .caption = u"Obrázek...",
               .shortcut = u"Ctrl+Shift+I",
               .hint = u"Vložit obrázek",
               .icon = u"qw-image"},
    CommandRow{.id = u"tag.link",
               .caption = u"Odkaz...",
               .shortcut = u"Ctrl+Shift+A",
               .hint = u"Vložit odkaz",
               .icon = u"qw-link"},
    CommandRow{.id = u"tag.rule",
               .caption = u"Vodorovná čára...",
               .hint = u"Vložit horizontální čáru",
               .icon = u"qw-rule"},
    CommandRow{.id = u"tag.color", .hint = u"Vložit barvu", .icon = u"qw-color"},
    CommandRow{.id = u"tag.font", .caption = u"Nastavení...", .hint = u"Písmo", .icon = u"qw-font"},
    CommandRow{.id = u"tag.insertTable",
               .caption = u"Vložit tabulku...",
               .hint = u"Vložit tabulku",
               .icon = u"qw-insert-table"},
    CommandRow{.id = u"tag.tableDialog",
               .caption = u"Tabulka...",
               .hint = u"Tabulka",
               .icon = u"qw-table-dialog"},
    CommandRow{
        .id = u"tag.rowDialog", .caption = u"Řádek...", .hint = u"Řádek", .icon = u"qw-row-dialog"},
    CommandRow{.id = u"tag.headerDialog",
               .caption = u"Hlavička...",
               .hint = u"Hlavička tabulky",
               .icon = u"qw-header-dialog"},
    CommandRow{.id = u"tag.cellDialog",
               .caption = u"Buňka...",
               .hint = u"Buňka",
               .icon = u"qw-cell-dialog"},
    CommandRow{.id = u"tag.list",
               .caption = u"Vložit seznam...",
               .hint = u"Vložit seznam",
               .icon = u"qw-list"},
    CommandRow{
        .id = u"tag.frames", .caption = u"Vložit rámce...", .hint = u"Rámy", .icon = u"qw-frames"},
    CommandRow{.id = u"tag.frame", .caption = u"Frame...", .hint = u"Rámec", .icon = u"qw-frame"},
    CommandRow{
        .id = u"tag.iframe", .caption = u"IFrame...", .hint = u"I. rámec", .icon = u"qw-iframe"},
    CommandRow{.id = u"tag.form",
               .caption = u"Vložit formulář...",
               .hint = u"Vložit formulář",
               .icon = u"qw-form"},
    CommandRow{
        .id = u"tag.textArea", .caption = u"TextArea", .hint = u"TextArea", .icon = u"qw-textarea"},
    CommandRow{.id = u"tag.select", .caption = u"Select", .hint = u"Select", .icon = u"qw-select"},
    CommandRow{
        .id = u"tag.script", .caption = u"Vložit skript", .hint = u"Skript", .icon = u"qw-script"},
    CommandRow{.id = u"tag.openWindow", .hint = u"Otevřít okno", .icon = u"qw-open-window"},
    CommandRow{.id = u"tag.applet", .hint = u"Vložit aplet", .icon = u"qw-applet"},
    // "Nápověda"
    CommandRow{.id = u"help.about", .caption = u"O aplikaci"},
    // The editor pop-up menu
    CommandRow{
        .id = u"popup.editTag", .shortcut = u"F4", .otherCaption = u"Upravit HTML značku..."},
    CommandRow{.id = u"popup.textToTable", .otherCaption = u"Převést text na tabulku"},
    CommandRow{.id = u"popup.addBreaks", .otherCaption = u"Přidat zalomení řádku <BR>"},
};

struct MarkupIcon
{
    MarkupCommandId id;
    QStringView icon;
};

// Icons of the fixed-markup buttons; the rows themselves live in core/commands.
constexpr std::array MarkupIcons = {
    MarkupIcon{MarkupCommandId::Bold, u"format-text-bold"},
    MarkupIcon{MarkupCommandId::Italic, u"format-text-italic"},
    MarkupIcon{MarkupCommandId::LineBreak, u"qw-br"},
    MarkupIcon{MarkupCommandId::NoBreakSpace, u"qw-nbsp"},
    MarkupIcon{MarkupCommandId::AlignCenter, u"format-justify-center"},
    MarkupIcon{MarkupCommandId::AlignRight, u"format-justify-right"},
    MarkupIcon{MarkupCommandId::AlignLeft, u"format-justify-left"},
    MarkupIcon{MarkupCommandId::Paragraph, u"qw-paragraph"},
    MarkupIcon{MarkupCommandId::Comment, u"qw-comment"},
    MarkupIcon{MarkupCommandId::FontBigger, u"qw-font-bigger"},
    MarkupIcon{MarkupCommandId::FontSmaller, u"qw-font-smaller"},
    MarkupIcon{MarkupCommandId::Table, u"qw-table"},
    MarkupIcon{MarkupCommandId::TableRow, u"qw-row"},
    MarkupIcon{MarkupCommandId::TableCell, u"qw-cell"},
    MarkupIcon{MarkupCommandId::Heading, u"qw-heading"},
    MarkupIcon{MarkupCommandId::NoScript, u"qw-noscript"},
    MarkupIcon{MarkupCommandId::Email, u"qw-email"},
    MarkupIcon{MarkupCommandId::ScriptWarning, u"qw-script-alert"},
    MarkupIcon{MarkupCommandId::ScriptConfirm, u"qw-script-confirm"},
};

struct FormIcon
{
    FormElementId id;
    QStringView icon;
};

constexpr std::array FormIcons = {
    FormIcon{FormElementId::CheckBox, u"qw-checkbox"},
    FormIcon{FormElementId::RadioButton, u"qw-radio"},
    FormIcon{FormElementId::Button, u"qw-button"},
    FormIcon{FormElementId::TextBox, u"qw-textbox"},
    FormIcon{FormElementId::Image, u"qw-input-image"},
};

constexpr QStringView MarkupPrefix = u"markup.";
constexpr QStringView FormPrefix = u"form.";

std::optional<int> indexAfter(QStringView id, QStringView prefix, std::size_t count)
{
    if (!id.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int n = id.mid(prefix.size()).toInt(&ok);
    if (!ok || n < 0 || static_cast<std::size_t>(n) >= count)
        return std::nullopt;
    return n;
}

CommandInfo fromRow(const CommandRow& row, ActionPlace place)
{
    CommandInfo info;
    info.id = row.id.toString();
    info.hint = row.hint.toString();
    info.icon = row.icon.toString();
    info.checkable = row.checkable;
    switch (place) {
    case ActionPlace::MainMenu:
        info.caption = row.caption.toString();
        info.shortcut = row.shortcut.toString();
        break;
    case ActionPlace::DropDown:
    case ActionPlace::PopUp:
        info.caption = (row.otherCaption.isEmpty() ? row.caption : row.otherCaption).toString();
        // Only the pop-up's own entry carries a key (F4); the others keep
        // theirs on the main menu, where the same key would be ambiguous.
        if (place == ActionPlace::PopUp && row.caption.isEmpty())
            info.shortcut = row.shortcut.toString();
        break;
    case ActionPlace::ToolBar:
        info.caption = row.hint.toString();
        break;
    }
    return info;
}

CommandInfo fromMarkup(const MarkupCommand& row, ActionPlace place)
{
    CommandInfo info;
    info.id = markupActionId(row.id);
    info.hint = row.toolBarHint.toString();
    info.objectName = row.buttonName.toString();
    for (const MarkupIcon& icon : MarkupIcons) {
        if (icon.id == row.id)
            info.icon = icon.icon.toString();
    }
    if (place == ActionPlace::ToolBar) {
        info.caption = info.hint.isEmpty() ? info.objectName : info.hint;
    } else {
        info.caption = row.menuEntry.toString();
        if (place == ActionPlace::MainMenu)
            info.shortcut = row.shortcut.toString();
    }
    return info;
}

CommandInfo fromForm(const FormElementCommand& row, ActionPlace place)
{
    CommandInfo info;
    info.id = formActionId(row.id);
    info.hint = row.toolBarHint.toString();
    for (const FormIcon& icon : FormIcons) {
        if (icon.id == row.id)
            info.icon = icon.icon.toString();
    }
    switch (place) {
    case ActionPlace::MainMenu:
    case ActionPlace::PopUp:
        info.caption = row.menuEntry.toString();
        break;
    case ActionPlace::DropDown:
        info.caption = row.dropDownEntry.toString();
        break;
    case ActionPlace::ToolBar:
        info.caption = info.hint;
        break;
    }
    return info;
}

} // namespace

std::span<const CommandRow> commandRows()
{
    return Rows;
}

QString markupActionId(MarkupCommandId id)
{
    return MarkupPrefix.toString() + QString::number(static_cast<int>(id));
}

QString formActionId(FormElementId id)
{
    return FormPrefix.toString() + QString::number(static_cast<int>(id));
}

std::optional<MarkupCommandId> markupIdOf(QStringView actionId)
{
    const auto n = indexAfter(actionId, MarkupPrefix, markupCommands().size());
    return n ? std::optional(static_cast<MarkupCommandId>(*n)) : std::nullopt;
}

std::optional<FormElementId> formIdOf(QStringView actionId)
{
    const auto n = indexAfter(actionId, FormPrefix, formElementCommands().size());
    return n ? std::optional(static_cast<FormElementId>(*n)) : std::nullopt;
}

std::optional<CommandInfo> commandInfo(QStringView id, ActionPlace place)
{
    if (const auto markup = markupIdOf(id))
        return fromMarkup(markupCommand(*markup), place);
    if (const auto form = formIdOf(id))
        return fromForm(formElementCommand(*form), place);
    for (const CommandRow& row : Rows) {
        if (row.id == id)
            return fromRow(row, place);
    }
    return std::nullopt;
}

} // namespace qw
