#include "core/markup/EditTagDialogs.h"

#include <array>

namespace qw {

namespace {

using D = ElementDialogId;
using S = EditTagSetup;

// The link dialog's buttons and height once its link-text group is hidden.
constexpr int linkEditButtonsTop = 118;
constexpr int linkEditHeight = 170;

const std::array<EditTagDialogRow, 19> rows{{
    {u"A", D::Link, true, u"Upravit odkaz", S::HideLinkText, linkEditButtonsTop, linkEditHeight},
    {u"APPLET", D::Applet, true, {}, S::None, 0, 0},
    {u"BODY", D::Body, true, {}, S::None, 0, 0},
    {u"IMG", D::Image, false, u"Upravit obrázek", S::None, 0, 0},
    {u"INPUT", D::FormControl, false, {}, S::InputPageFromType, 0, 0},
    {u"FONT", D::Font, true, u"Upravit font", S::ScreenFontFaces, 0, 0},
    {u"FORM", D::Form, true, u"Upravit formulář", S::None, 0, 0},
    {u"BASEFONT", D::Font, true, u"Upravit základní font", S::ScreenFontFaces, 0, 0},
    {u"FRAMESET", D::Frameset, true, u"Upravit rámce", S::None, 0, 0},
    {u"FRAME", D::Frame, true, u"Upravit rám", S::None, 0, 0},
    {u"IFRAME", D::InlineFrame, true, u"Upravit i. rám", S::None, 0, 0},
    {u"HR", D::HorizontalRule, true, u"Upravit vodorovnou čáru", S::None, 0, 0},
    {u"TEXTAREA", D::TextArea, true, u"Upravit TextArea", S::TextAreaOnly, 0, 0},
    {u"SELECT", D::TextArea, true, u"Upravit Select", S::SelectOnly, 0, 0},
    {u"TD", D::Cell, true, u"Upravit buňku", S::None, 0, 0},
    {u"TH", D::Cell, true, u"Upravit hlavičku tabulky", S::None, 0, 0},
    {u"TR", D::Row, true, u"Upravit řádek tabulky", S::None, 0, 0},
    {u"TABLE", D::Table, true, u"Upravit tabulku", S::None, 0, 0},
    {u"SCRIPT", D::Script, true, u"Upravit skript", S::None, 0, 0},
}};

// Page numbers shared with the form element commands.
constexpr std::array<QStringView, 10> inputPages{
    u"CHECKBOX", u"RADIO",    u"BUTTON", u"SUBMIT", u"RESET",
    u"TEXT",     u"PASSWORD", u"FILE",   u"HIDDEN", u"IMAGE",
};

} // namespace

std::span<const EditTagDialogRow> editTagDialogRows()
{
    return rows;
}

const EditTagDialogRow* editTagDialogFor(QStringView currentTagName)
{
    for (const EditTagDialogRow& row : rows) {
        if (row.tagName == currentTagName)
            return &row;
    }
    return nullptr;
}

int inputDialogPage(const TagAttributeList& attributes)
{
    const TagAttribute* type = attributes.findTagAttribute(u"TYPE");
    if (!type || !type->value)
        return 0;
    for (size_t page = 0; page < inputPages.size(); ++page) {
        if (type->value->compare(inputPages[page], Qt::CaseInsensitive) == 0)
            return static_cast<int>(page);
    }
    return 0;
}

EditTagTarget runEditTagSearch(EditorWidget& editor, CaretTagState& state, TagCaseOptions options)
{
    EditTagTarget target;
    const TagAtCaret found = findTagAtCaret(editor, true, state, options);
    if (!found.parsed)
        return target;
    target.row = editTagDialogFor(state.currentTagName);
    if (target.row && target.row->setup == EditTagSetup::InputPageFromType)
        target.inputPage = inputDialogPage(state.attributes);
    return target;
}

EditorPopupState editorPopupState(bool clipboardHasText, const QString& selectedText,
                                  const TagAttributeList& attributes)
{
    EditorPopupState state;
    state.paste = clipboardHasText;
    state.cut = !selectedText.isEmpty();
    state.copy = state.cut;
    state.editTag = attributes.holdsTag();
    return state;
}

} // namespace qw
