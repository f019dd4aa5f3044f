#include "core/inspector/TagInspection.h"

#include "core/editor/MemoryEditor.h"
#include "core/settings/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class TagInspectionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile f(m_ini.path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[!img]\r\n"
                "src=IMAGE\r\n"
                "ALT=STRING\r\n"
                "width=STRING\r\n"
                "ISMAP=COMBO|ismap\r\n"
                "=STRING\r\n"
                "[!A]\r\n"
                "HREF=FILE\r\n");
    }

    // Puts the caret at the "|" of text (which is removed) and fills the
    // inspection the way the window does after a key release.
    void inspect(const QString& marked, bool upperTag = true, bool html5 = false)
    {
        const qsizetype caret = marked.indexOf(u'|');
        QString text = marked;
        text.remove(caret, 1);
        m_editor.setText(text);
        m_editor.setSelectionStart(caret);
        m_options = TagCaseOptions{upperTag};
        const TagAtCaret found = findTagAtCaret(m_editor, false, m_state, m_options);
        m_inspection.fill(m_tags, found, m_state.attributes, m_options, html5);
    }

    bool write(int row, const QString& value)
    {
        return m_inspection.writeBack(m_editor, m_state.attributes, row, value, m_options);
    }

    QTemporaryDir m_dir;
    IniFile m_ini{m_dir.filePath(u"tag.dat"_s)};
    TagDefinitions m_tags{m_ini};
    MemoryEditor m_editor;
    CaretTagState m_state;
    TagCaseOptions m_options;
    TagInspection m_inspection;
};

TEST_F(TagInspectionTest, RowsFollowTheDefinitionOrderWithTheTagsValues)
{
    inspect(u"<IMG width=\"1\" Src=\"a.gif\" src=\"b.gif\" data-x=\"7\" ismap |>"_s);
    const QList<InspectorRow> expected = {
        {u"SRC"_s, u"a.gif"_s}, {u"ALT"_s, QString()}, {u"WIDTH"_s, u"1"_s}, {u"ISMAP"_s, {}}};
    EXPECT_EQ(m_inspection.rows(), expected);
    // The list is in the configured case already, as the next rewrite writes it.
    EXPECT_EQ(m_state.attributes.tagName(), u"img"_s);
    EXPECT_EQ(m_inspection.editorFor(m_tags, 0).kind(), AttributeEditorKind::Image);
    EXPECT_EQ(m_inspection.editorFor(m_tags, 3).choices, QStringList{u"ismap"_s});
    EXPECT_EQ(m_inspection.editorFor(m_tags, 4).kind(), AttributeEditorKind::String);
}

// Row 3 is ISMAP, a flag (its only choice is its own name); row 1 is ALT.
TEST_F(TagInspectionTest, FlagsAreWrittenBareOnlyInHtml5AndKeptAsFoundOtherwise)
{
    struct Case
    {
        const char* name;
        bool html5;
        QString marked;
        QString shown; // the ISMAP row's value
        int row;
        QString value;
        QString result;
    } cases[] = {
        {"html5: chosen flag is bare", true, u"<img |>"_s, u""_s, 3, u"ismap"_s, u"<img ismap>"_s},
        {"html5: chosen in capitals", true, u"<img |>"_s, u""_s, 3, u"ISMAP"_s, u"<img ismap>"_s},
        {"html4: chosen flag keeps its value", false, u"<img |>"_s, u""_s, 3, u"ismap"_s,
         u"<img ismap=\"ismap\">"_s},
        {"html5: a bare flag shows its name", true, u"<img ismap |>"_s, u"ismap"_s, 1, u"x"_s,
         u"<img ismap alt=\"x\">"_s},
        {"html5: flag with a value stays", true, u"<img ismap=\"ismap\" |>"_s, u"ismap"_s, 1,
         u"x"_s, u"<img ismap=\"ismap\" alt=\"x\">"_s},
        {"html5: emptied flag is removed", true, u"<img ismap |>"_s, u"ismap"_s, 3, u""_s,
         u"<img>"_s},
        {"html5: other value is written as typed", true, u"<img |>"_s, u""_s, 3, u"no"_s,
         u"<img ismap=\"no\">"_s},
        {"html4: a bare flag shows nothing and stays bare", false, u"<img ismap |>"_s, u""_s, 1,
         u"x"_s, u"<img ismap alt=\"x\">"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        inspect(c.marked, true, c.html5);
        ASSERT_EQ(m_inspection.rows().size(), 4);
        EXPECT_EQ(m_inspection.rows().at(3).value, c.shown);
        ASSERT_TRUE(write(c.row, c.value));
        EXPECT_EQ(m_editor.text(), c.result);
    }
}

TEST_F(TagInspectionTest, NoRowsWithoutASectionOrOutsideATag)
{
    const QString cases[] = {u"<b|>x</b>"_s, u"<a>x</|a>"_s, u"te|xt <img>"_s, u"<!-- |img -->"_s};
    for (const QString& marked : cases) {
        inspect(marked);
        EXPECT_TRUE(m_inspection.rows().isEmpty()) << marked.toStdString();
        EXPECT_FALSE(write(0, u"x"_s));
    }
    EXPECT_EQ(m_editor.text(), u"<!-- img -->"_s);
}

TEST_F(TagInspectionTest, TypingRewritesOnlyTheTagAndKeepsTheCaretInside)
{
    const QString before = u"<p>a<b>\r\n"_s;
    const QString after = u"\r\nb</p>"_s;
    inspect(before + u"<img s|rc=\"a.gif\">"_s + after);
    const struct
    {
        int row;
        QString value;
        QString tag;
    } steps[] = {
        {2, u"1"_s, u"<img src=\"a.gif\" width=\"1\">"_s},
        {2, u"10"_s, u"<img src=\"a.gif\" width=\"10\">"_s},
        {1, u"x>y<z"_s, u"<img src=\"a.gif\" width=\"10\" alt=\"x>y<z\">"_s},
        {2, u"100"_s, u"<img src=\"a.gif\" width=\"100\" alt=\"x>y<z\">"_s},
        {0, QString(), u"<img width=\"100\" alt=\"x>y<z\">"_s},
        {1, QString(), u"<img width=\"100\">"_s},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(write(step.row, step.value));
        EXPECT_EQ(m_editor.text(), before + step.tag + after);
        EXPECT_EQ(m_editor.selectionStart(), before.size() + step.tag.size() - 1);
        EXPECT_EQ(m_inspection.rows().at(step.row).value, step.value);
    }
}

TEST_F(TagInspectionTest, UndefinedAttributesAndUntouchedFlagsSurvive)
{
    inspect(u"<IMG |SRC=\"a\" onload=\"go()\" ismap alt=\"\">"_s, false);
    // A key that changes nothing still puts the tag in the configured case.
    ASSERT_TRUE(write(3, QString()));
    EXPECT_EQ(m_editor.text(), u"<IMG SRC=\"a\" ONLOAD=\"go()\" ISMAP ALT=\"\">"_s);
    ASSERT_TRUE(write(2, u"5"_s));
    EXPECT_EQ(m_editor.text(), u"<IMG SRC=\"a\" ONLOAD=\"go()\" ISMAP ALT=\"\" WIDTH=\"5\">"_s);
    // Emptying a value the user had typed removes the attribute.
    ASSERT_TRUE(write(1, u"t"_s));
    ASSERT_TRUE(write(1, QString()));
    EXPECT_EQ(m_editor.text(), u"<IMG SRC=\"a\" ONLOAD=\"go()\" ISMAP WIDTH=\"5\">"_s);
}

TEST_F(TagInspectionTest, RefusesWhenTheTagIsNoLongerWhereItWasWritten)
{
    inspect(u"x <img src=\"a\"|>"_s);
    m_editor.setSelectionStart(0);
    m_editor.replaceSelection(u"y"_s);
    EXPECT_FALSE(write(1, u"t"_s));
    EXPECT_EQ(m_editor.text(), u"yx <img src=\"a\">"_s);

    // A tag the text never closes is shown but not rewritten: where it ends
    // would be a guess.
    inspect(u"<a><img src=\"a\" al|t"_s);
    EXPECT_EQ(m_inspection.rows().size(), 4);
    EXPECT_FALSE(write(1, u"t"_s));
    EXPECT_EQ(m_editor.text(), u"<a><img src=\"a\" alt"_s);
}

TEST_F(TagInspectionTest, ARewriteIsOneUndoStepAndANoOpIsNone)
{
    inspect(u"x <img |src=\"a\">"_s);
    m_editor.setModified(false);
    m_editor.clearUndo();
    // A key that changes nothing in a tag already in its written form.
    ASSERT_TRUE(write(0, u"a"_s));
    EXPECT_FALSE(m_editor.isModified());
    EXPECT_FALSE(m_editor.canUndo());
    EXPECT_EQ(m_editor.selectionStart(), 14);
    ASSERT_TRUE(write(2, u"1"_s));
    ASSERT_TRUE(write(2, u"1"_s));
    ASSERT_TRUE(write(2, u"12"_s));
    EXPECT_TRUE(m_editor.isModified());
    m_editor.undo();
    EXPECT_EQ(m_editor.text(), u"x <img src=\"a\" width=\"1\">"_s);
    m_editor.undo();
    EXPECT_EQ(m_editor.text(), u"x <img src=\"a\">"_s);
}

} // namespace
} // namespace qw
