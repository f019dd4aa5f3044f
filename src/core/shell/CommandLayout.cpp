#include "core/shell/CommandLayout.h"

#include "core/shell/CommandCatalog.h"

#include <array>

namespace qw {

namespace {

constexpr LayoutItem cmd(QStringView id, DropDownMenu dropDown = DropDownMenu::None)
{
    return {.kind = LayoutKind::Command, .id = id, .dropDown = dropDown};
}

constexpr LayoutItem markup(MarkupCommandId id, DropDownMenu dropDown = DropDownMenu::None)
{
    return {.kind = LayoutKind::Markup, .row = static_cast<int>(id), .dropDown = dropDown};
}

constexpr LayoutItem form(FormElementId id, DropDownMenu dropDown = DropDownMenu::None)
{
    return {.kind = LayoutKind::Form, .row = static_cast<int>(id), .dropDown = dropDown};
}

constexpr LayoutItem menu(QStringView id, QStringView caption)
{
    return {.kind = LayoutKind::BeginMenu, .id = id, .caption = caption};
}

constexpr LayoutItem end()
{
    return {.kind = LayoutKind::EndMenu};
}

constexpr LayoutItem separator()
{
    return {.kind = LayoutKind::Separator};
}

using M = MarkupCommandId;
using F = FormElementId;

constexpr std::array MainMenu = {
    menu(u"menu.file", u"&Soubor"),
    cmd(u"file.new"),
    cmd(u"file.open"),
    cmd(u"file.openInternet"),
    LayoutItem{.kind = LayoutKind::RecentFiles, .id = u"menu.recent", .caption = u"Otevřít zn&ovu"},
    separator(),
    cmd(u"file.save"),
    cmd(u"file.saveAs"),
    cmd(u"file.saveAll"),
    separator(),
    cmd(u"file.close"),
    cmd(u"file.closeAll"),
    separator(),
    menu(u"menu.export", u"&Exportovat"),
    cmd(u"file.exportRtf"),
    cmd(u"file.exportHtml"),
    end(),
    menu(u"menu.encoding", u"Kó&dování"),
    cmd(u"file.encodingWindows1250"),
    cmd(u"file.encodingUtf8"),
    cmd(u"file.encodingUtf8Bom"),
    end(),
    separator(),
    cmd(u"file.printSetup"),
    cmd(u"file.print"),
    separator(),
    cmd(u"file.quit"),
    end(),

    menu(u"menu.edit", u"Úpr&avy"),
    cmd(u"edit.undo"),
    cmd(u"edit.redo"),
    separator(),
    cmd(u"edit.cut"),
    cmd(u"edit.copy"),
    cmd(u"edit.paste"),
    cmd(u"edit.pasteAsNew"),
    separator(),
    cmd(u"edit.find"),
    cmd(u"edit.findNext"),
    cmd(u"edit.replace"),
    cmd(u"edit.findInFiles"),
    cmd(u"edit.replaceInFiles"),
    separator(),
    cmd(u"edit.selectAll"),
    cmd(u"edit.wordWrap"),
    cmd(u"edit.gotoLine"),
    cmd(u"edit.gotoPartnerTag"),
    end(),

    menu(u"menu.view", u"&Zobrazit"),
    menu(u"menu.toolBars", u"Panel nástrojů"),
    cmd(u"view.tbTool"),
    cmd(u"view.tbEdit"),
    cmd(u"view.tbFonts"),
    cmd(u"view.tbHead"),
    cmd(u"view.tbTable"),
    cmd(u"view.tbInput"),
    end(),
    cmd(u"view.statusBar"),
    cmd(u"view.tabs"),
    cmd(u"view.leftPanel"),
    separator(),
    cmd(u"view.source"),
    cmd(u"view.preview"),
    cmd(u"view.livePreview"),
    cmd(u"view.livePreviewBelow"),
    separator(),
    cmd(u"view.fullScreen"),
    end(),

    menu(u"menu.tools", u"&Nástroje"),
    cmd(u"tools.settings"),
    separator(),
    cmd(u"tools.dateTime"),
    cmd(u"tools.removeDiacritics"),
    cmd(u"tools.spelling"),
    menu(u"menu.html", u"HTML"),
    cmd(u"tools.textToHtml"),
    cmd(u"tools.removeHtml"),
    cmd(u"tools.removeSurplusLines"),
    cmd(u"tools.tagsUpper"),
    cmd(u"tools.tagsLower"),
    end(),
    menu(u"menu.case", u"Velikost"),
    cmd(u"tools.upper"),
    cmd(u"tools.lower"),
    cmd(u"tools.invert"),
    cmd(u"tools.firstCapital"),
    end(),
    separator(),
    cmd(u"tools.insertFile"),
    separator(),
    cmd(u"tools.checkPage"),
    cmd(u"tools.nextFinding"),
    cmd(u"tools.previousFinding"),
    end(),

    menu(u"menu.tag", u"&Tag"),
    markup(M::StartTag),
    markup(M::EndTag),
    separator(),
    markup(M::Bold),
    markup(M::Italic),
    separator(),
    cmd(u"tag.image"),
    cmd(u"tag.link"),
    cmd(u"tag.rule"),
    markup(M::Comment),
    separator(),
    menu(u"menu.font", u"Písmo"),
    cmd(u"tag.font"),
    separator(),
    markup(M::FontBigger),
    markup(M::FontSmaller),
    markup(M::Strong),
    markup(M::Emphasis),
    markup(M::Preformatted),
    markup(M::Subscript),
    markup(M::Superscript),
    end(),
    menu(u"menu.table", u"Tabulka"),
    cmd(u"tag.insertTable"),
    cmd(u"tag.tableDialog"),
    cmd(u"tag.rowDialog"),
    cmd(u"tag.headerDialog"),
    cmd(u"tag.cellDialog"),
    separator(),
    markup(M::Table),
    markup(M::TableRow),
    markup(M::TableHeaderCell),
    markup(M::TableCell),
    end(),
    menu(u"menu.list", u"Seznam"),
    cmd(u"tag.list"),
    separator(),
    markup(M::UnorderedList),
    markup(M::OrderedList),
    markup(M::ListItem),
    markup(M::DefinitionList),
    markup(M::DefinitionTerm),
    markup(M::DefinitionDescription),
    end(),
    menu(u"menu.frames", u"Rámce"),
    cmd(u"tag.frames"),
    cmd(u"tag.frame"),
    cmd(u"tag.iframe"),
    separator(),
    markup(M::Frameset),
    markup(M::Frame),
    markup(M::InlineFrame),
    markup(M::NoFrames),
    end(),
    menu(u"menu.form", u"Formulářová prvky"),
    cmd(u"tag.form"),
    separator(),
    form(F::Button),
    form(F::ResetButton),
    form(F::SubmitButton),
    form(F::TextBox),
    form(F::PasswordBox),
    form(F::FileBox),
    form(F::HiddenBox),
    form(F::RadioButton),
    form(F::CheckBox),
    cmd(u"tag.textArea"),
    cmd(u"tag.select"),
    form(F::Image),
    end(),
    menu(u"menu.scripts", u"Skripty"),
    cmd(u"tag.script"),
    end(),
    end(),

    menu(u"menu.help", u"Nápo&věda"),
    cmd(u"help.about"),
    end(),
};

constexpr std::array EditorPopup = {
    cmd(u"popup.editTag"),
    separator(),
    cmd(u"file.close"),
    separator(),
    cmd(u"edit.cut"),
    cmd(u"edit.copy"),
    cmd(u"edit.paste"),
    separator(),
    menu(u"menu.selected", u"Označený text"),
    cmd(u"popup.textToTable"),
    cmd(u"popup.addBreaks"),
    separator(),
    cmd(u"tools.upper"),
    cmd(u"tools.lower"),
    cmd(u"tools.invert"),
    cmd(u"tools.firstCapital"),
    end(),
};

constexpr std::array NewDocumentMenu = {
    cmd(u"file.new"),
    cmd(u"file.newHtml5"),
    cmd(u"file.wizard"),
    cmd(u"file.blank"),
};

constexpr std::array HeadingMenu = {
    markup(M::Heading1), markup(M::Heading2), markup(M::Heading3),
    markup(M::Heading4), markup(M::Heading5), markup(M::Heading6),
};

constexpr std::array FormButtonsMenu = {
    form(F::Button),
    form(F::ResetButton),
    form(F::SubmitButton),
};

constexpr std::array FormBoxesMenu = {
    form(F::TextBox),
    form(F::PasswordBox),
    form(F::FileBox),
    form(F::HiddenBox),
};

constexpr std::array ToolButtons = {
    cmd(u"file.new", DropDownMenu::NewDocument),
    cmd(u"file.open"),
    cmd(u"file.save"),
    separator(),
    cmd(u"edit.find"),
    cmd(u"edit.replace"),
    cmd(u"tools.checkPage"),
    separator(),
    cmd(u"file.print"),
    cmd(u"view.fullScreenButton"),
    cmd(u"view.browsers", DropDownMenu::Browsers),
    cmd(u"view.livePreview"),
};

constexpr std::array EditButtons = {
    cmd(u"edit.cut"), cmd(u"edit.copy"), cmd(u"edit.paste"),
    separator(),      cmd(u"edit.undo"), cmd(u"edit.redo"),
};

constexpr std::array HeadButtons = {
    cmd(u"tag.body"), markup(M::Paragraph), markup(M::LineBreak), markup(M::NoBreakSpace),
    cmd(u"tag.link"), markup(M::Email),     cmd(u"tag.image"),    cmd(u"tag.rule"),
    cmd(u"tag.list"), cmd(u"tag.color"),    markup(M::Comment),
};

constexpr std::array TableButtons = {
    cmd(u"tag.insertTable"), cmd(u"tag.tableDialog"),
    cmd(u"tag.rowDialog"),   cmd(u"tag.headerDialog"),
    cmd(u"tag.cellDialog"),  separator(),
    markup(M::Table),        markup(M::TableRow),
    markup(M::TableCell),    separator(),
    cmd(u"tag.frames"),      cmd(u"tag.frame"),
    cmd(u"tag.iframe"),
};

constexpr std::array FontButtons = {
    cmd(u"tag.font"),
    markup(M::FontBigger),
    markup(M::FontSmaller),
    separator(),
    markup(M::AlignLeft),
    markup(M::AlignCenter),
    markup(M::AlignRight),
    separator(),
    markup(M::Bold),
    markup(M::Italic),
    markup(M::Heading, DropDownMenu::Heading),
};

constexpr std::array InputButtons = {
    cmd(u"tag.form"),
    form(F::Button, DropDownMenu::FormButtons),
    form(F::TextBox, DropDownMenu::FormBoxes),
    form(F::RadioButton),
    form(F::CheckBox),
    cmd(u"tag.textArea"),
    cmd(u"tag.select"),
    form(F::Image),
};

constexpr std::array ScriptButtons = {
    cmd(u"tag.script"),       markup(M::NoScript),    markup(M::ScriptWarning),
    markup(M::ScriptConfirm), cmd(u"tag.openWindow"), cmd(u"tag.applet"),
};

// In the order of ToolBarId.
const std::array<ToolBarDef, ToolBarCount> ToolBars = {{
    {ToolBarId::Edit, u"tbEdit", u"Úpravy", 11, 28, EditButtons, u"view.tbEdit"},
    {ToolBarId::Head, u"tbHead", u"Možnosti", 147, 28, HeadButtons, u"view.tbHead"},
    {ToolBarId::Tool, u"tbTool", u"Hlavní", 11, 2, ToolButtons, u"view.tbTool"},
    {ToolBarId::Table, u"tbTable", u"Tabulky a rámy", 258, 54, TableButtons, u"view.tbTable"},
    {ToolBarId::Fonts, u"tbFonts", u"Formát písma", 266, 2, FontButtons, u"view.tbFonts"},
    {ToolBarId::Input, u"tbInput", u"Formulářové prvky", 11, 54, InputButtons, u"view.tbInput"},
    {ToolBarId::Script, u"tbScript", u"Skripty", 453, 28, ScriptButtons, {}},
}};

} // namespace

QString layoutCommandId(const LayoutItem& item)
{
    switch (item.kind) {
    case LayoutKind::Command:
        return item.id.toString();
    case LayoutKind::Markup:
        return markupActionId(static_cast<MarkupCommandId>(item.row));
    case LayoutKind::Form:
        return formActionId(static_cast<FormElementId>(item.row));
    default:
        return {};
    }
}

std::span<const LayoutItem> mainMenuLayout()
{
    return MainMenu;
}

std::span<const LayoutItem> editorPopupLayout()
{
    return EditorPopup;
}

std::span<const LayoutItem> dropDownLayout(DropDownMenu menu)
{
    switch (menu) {
    case DropDownMenu::NewDocument:
        return NewDocumentMenu;
    case DropDownMenu::Heading:
        return HeadingMenu;
    case DropDownMenu::FormButtons:
        return FormButtonsMenu;
    case DropDownMenu::FormBoxes:
        return FormBoxesMenu;
    case DropDownMenu::Browsers: // filled from the browser list by the preview
    case DropDownMenu::None:
        break;
    }
    return {};
}

std::span<const ToolBarDef> toolBarDefs()
{
    return ToolBars;
}

const ToolBarDef& toolBarDef(ToolBarId bar)
{
    return ToolBars[static_cast<std::size_t>(bar)];
}

} // namespace qw
