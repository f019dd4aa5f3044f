#include "core/markup/EditTagDialogs.h"

#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

using D = ElementDialogId;
using S = EditTagSetup;

TEST(EditTagDialogs, EveryTagNameOpensItsDialog)
{
    struct Row
    {
        QString name;
        D dialog;
        bool reset;
        QString caption;
        S setup;
    };
    const Row expected[] = {
        {u"A"_s, D::Link, true, u"Upravit odkaz"_s, S::HideLinkText},
        {u"APPLET"_s, D::Applet, true, {}, S::None},
        {u"BODY"_s, D::Body, true, {}, S::None},
        {u"IMG"_s, D::Image, false, u"Upravit obrázek"_s, S::None},
        {u"INPUT"_s, D::FormControl, false, {}, S::InputPageFromType},
        {u"FONT"_s, D::Font, true, u"Upravit font"_s, S::ScreenFontFaces},
        {u"FORM"_s, D::Form, true, u"Upravit formulář"_s, S::None},
        {u"BASEFONT"_s, D::Font, true, u"Upravit základní font"_s, S::ScreenFontFaces},
        {u"FRAMESET"_s, D::Frameset, true, u"Upravit rámce"_s, S::None},
        {u"FRAME"_s, D::Frame, true, u"Upravit rám"_s, S::None},
        {u"IFRAME"_s, D::InlineFrame, true, u"Upravit i. rám"_s, S::None},
        {u"HR"_s, D::HorizontalRule, true, u"Upravit vodorovnou čáru"_s, S::None},
        {u"TEXTAREA"_s, D::TextArea, true, u"Upravit TextArea"_s, S::TextAreaOnly},
        {u"SELECT"_s, D::TextArea, true, u"Upravit Select"_s, S::SelectOnly},
        {u"TD"_s, D::Cell, true, u"Upravit buňku"_s, S::None},
        {u"TH"_s, D::Cell, true, u"Upravit hlavičku tabulky"_s, S::None},
        {u"TR"_s, D::Row, true, u"Upravit řádek tabulky"_s, S::None},
        {u"TABLE"_s, D::Table, true, u"Upravit tabulku"_s, S::None},
        {u"SCRIPT"_s, D::Script, true, u"Upravit skript"_s, S::None},
    };
    ASSERT_EQ(editTagDialogRows().size(), std::size(expected));
    for (const Row& e : expected) {
        const EditTagDialogRow* row = editTagDialogFor(e.name);
        ASSERT_NE(row, nullptr) << e.name.toStdString();
        EXPECT_EQ(row->dialog, e.dialog) << e.name.toStdString();
        EXPECT_EQ(row->resetFirst, e.reset) << e.name.toStdString();
        EXPECT_EQ(row->caption.toString(), e.caption) << e.name.toStdString();
        EXPECT_EQ(row->setup, e.setup) << e.name.toStdString();
    }
    const EditTagDialogRow* link = editTagDialogFor(u"A");
    EXPECT_EQ(link->buttonsTop, 118);
    EXPECT_EQ(link->dialogHeight, 170);

    for (const QString& none : {u"B"_s, u"/A"_s, u"!--"_s, u"a"_s, u"IMGSRC=X.GIF"_s, u""_s})
        EXPECT_EQ(editTagDialogFor(none), nullptr) << none.toStdString();
}

TEST(EditTagDialogs, InputPageFollowsType)
{
    struct Case
    {
        QString tag;
        int page;
    };
    const Case cases[] = {
        {u"<input type=checkbox>"_s, 0}, {u"<input type=Radio>"_s, 1},
        {u"<input type=BUTTON>"_s, 2},   {u"<input type=submit>"_s, 3},
        {u"<input type=reset>"_s, 4},    {u"<input type=\"text\">"_s, 5},
        {u"<input TYPE=Password>"_s, 6}, {u"<input type=file>"_s, 7},
        {u"<input type=hidden>"_s, 8},   {u"<input Type=image>"_s, 9},
        {u"<input type=range>"_s, 0},    {u"<input type>"_s, 0},
        {u"<input type=>"_s, 0},         {u"<input name=x>"_s, 0},
        {u"<input type=texts>"_s, 0},
    };
    for (const Case& c : cases) {
        TagAttributeList list;
        list.parseTagText(c.tag, TagCaseOptions{});
        EXPECT_EQ(inputDialogPage(list), c.page) << c.tag.toStdString();
    }
}

TEST(EditTagDialogs, EditTagSearchSelectsAndPicksTheDialog)
{
    const QString text = u"<p><INPUT type=Password name=x> <b>x</b> <a href=\"y\">z</a> t</p>"_s;
    struct Case
    {
        QString before; // the caret stands after the first occurrence of this
        const EditTagDialogRow* row;
        int page;
        QString selected;
    };
    const Case cases[] = {
        {u"<INP"_s, editTagDialogFor(u"INPUT"), 6, u"<INPUT type=Password name=x>"_s},
        {u"<a h"_s, editTagDialogFor(u"A"), 0, u"<a href=\"y\">"_s},
        {u"<b"_s, nullptr, 0, u"<b>"_s},     // no dialog, but the tag is selected
        {u"</a"_s, nullptr, 0, u"</a>"_s},   // end tag
        {u"</a> "_s, nullptr, 0, QString()}, // outside: nothing selected
    };
    for (const Case& c : cases) {
        MemoryEditor editor(text);
        editor.setSelectionStart(text.indexOf(c.before) + c.before.size());
        CaretTagState state;
        const EditTagTarget target = runEditTagSearch(editor, state, TagCaseOptions{});
        EXPECT_EQ(target.row, c.row) << c.before.toStdString();
        EXPECT_EQ(target.inputPage, c.page) << c.before.toStdString();
        EXPECT_EQ(editor.selectedText(), c.selected) << c.before.toStdString();
    }

    // The link dialog is then filled from the list the search left behind.
    MemoryEditor editor(text);
    editor.setSelectionStart(text.indexOf(u"href"));
    CaretTagState state;
    runEditTagSearch(editor, state, TagCaseOptions{});
    ASSERT_NE(state.attributes.findTagAttribute(u"HREF"), nullptr);
    EXPECT_EQ(state.attributes.findTagAttribute(u"HREF")->value, u"y"_s);
}

TEST(EditTagDialogs, PopupEnabling)
{
    TagAttributeList empty;
    TagAttributeList loaded;
    loaded.parseTagText(u"<b>"_s, TagCaseOptions{});
    TagAttributeList named;
    named.parseTagText(u"<ROOT>"_s, TagCaseOptions{false});

    const EditorPopupState none = editorPopupState(false, QString(), empty);
    EXPECT_FALSE(none.paste || none.cut || none.copy || none.editTag);

    const EditorPopupState all = editorPopupState(true, u"x"_s, loaded);
    EXPECT_TRUE(all.paste && all.cut && all.copy && all.editTag);

    EXPECT_FALSE(editorPopupState(true, QString(), named).editTag)
        << "a tag named root looks like the empty list";
}

} // namespace
} // namespace qw
