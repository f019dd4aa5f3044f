#include "core/settings/TagDefinitions.h"

#include "FileBytes.h"
#include "core/settings/IniFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class TagDefinitionsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(test::writeBytes(m_ini.path(), "[!img]\r\n"
                                                   "src=IMAGE\r\n"
                                                   "Align=COMBO|top|middle|bottom\r\n"
                                                   "ALT=STRING\r\n"
                                                   "[!A]\r\n"
                                                   "TARGET=COMBO|_blank|\r\n"
                                                   "REL=COMBO\r\n"
                                                   "REV=COMBO|\r\n"
                                                   "HREF=FILE|x|y\r\n"
                                                   "NAME=combo|a\r\n"
                                                   "TITLE=\r\n"
                                                   "COLOR=COLOR\r\n"
                                                   "FACE=FONT\r\n"
                                                   "CHARSET=ENCODING|utf-8\r\n"
                                                   "EMPTYCHOICES=COMBO|||\r\n"
                                                   "[SPECIAL]\r\n"
                                                   "value0=\xA9 &copy;\r\n"
                                                   "value1=~   &nbsp;  \r\n"
                                                   "value3=\xAE &reg;\r\n"));
    }

    QTemporaryDir m_dir;
    IniFile m_ini{m_dir.filePath(u"tag.dat"_s)};
    TagDefinitions m_tags{m_ini};
};

TEST_F(TagDefinitionsTest, FindsTagsAndAttributesInAnyCase)
{
    EXPECT_TRUE(m_tags.hasTag(u"IMG"));
    EXPECT_TRUE(m_tags.hasTag(u"a"));
    EXPECT_FALSE(m_tags.hasTag(u"SPECIAL")); // only "!" sections are tags
    EXPECT_FALSE(m_tags.hasTag(u"b"));
    EXPECT_EQ(m_tags.attributeNames(u"IMG"), (QStringList{u"src"_s, u"Align"_s, u"ALT"_s}));
    EXPECT_TRUE(m_tags.attributeNames(u"b").isEmpty());
    EXPECT_EQ(m_tags.attributeEditor(u"IMG", u"SRC").kindText, u"IMAGE"_s);
}

TEST_F(TagDefinitionsTest, ListsTheTagsOfItsSectionsOnly)
{
    EXPECT_EQ(m_tags.tagNames(), (QStringList{u"img"_s, u"A"_s}));
}

TEST_F(TagDefinitionsTest, ReadsTheEditorOfEachAttribute)
{
    using K = AttributeEditorKind;
    struct Case
    {
        QString tag;
        QString attribute;
        QString kindText;
        QStringList choices;
        K kind;
    };
    const Case cases[] = {
        {u"img"_s, u"align"_s, u"COMBO"_s, {u"top"_s, u"middle"_s, u"bottom"_s}, K::Combo},
        {u"A"_s, u"TARGET"_s, u"COMBO"_s, {u"_blank"_s, u""_s}, K::Combo},
        {u"A"_s, u"REL"_s, u"COMBO"_s, {}, K::Combo},
        {u"A"_s, u"REV"_s, u"COMBO"_s, {u""_s}, K::Combo},
        {u"A"_s, u"EMPTYCHOICES"_s, u"COMBO"_s, {u""_s, u""_s, u""_s}, K::Combo},
        {u"A"_s, u"HREF"_s, u"FILE"_s, {}, K::File},
        {u"A"_s, u"NAME"_s, u"combo"_s, {}, K::String}, // kinds count only in capitals
        {u"A"_s, u"TITLE"_s, u""_s, {}, K::String},
        {u"A"_s, u"COLOR"_s, u"COLOR"_s, {}, K::Color},
        {u"A"_s, u"FACE"_s, u"FONT"_s, {}, K::Font},
        {u"A"_s, u"CHARSET"_s, u"ENCODING"_s, {}, K::String},
        {u"A"_s, u"NOSUCH"_s, u""_s, {}, K::String},
        {u"NOTAG"_s, u"HREF"_s, u""_s, {}, K::String},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.tag + u' ' + c.attribute).toStdString());
        const AttributeEditor editor = m_tags.attributeEditor(c.tag, c.attribute);
        EXPECT_EQ(editor.kindText, c.kindText);
        EXPECT_EQ(editor.choices, c.choices);
        EXPECT_EQ(editor.kind(), c.kind);
    }
}

TEST_F(TagDefinitionsTest, SpecialCharactersEndAtTheFirstGap)
{
    EXPECT_EQ(m_tags.specialCharacters(),
              (QList<SpecialCharacter>{{u"©"_s, u"&copy;"_s}, {u"~"_s, u"&nbsp;"_s}}));
}

TEST(SpecialCharacter, SplitsAtTheFirstBlank)
{
    struct Case
    {
        QString entry;
        SpecialCharacter expected;
    };
    const Case cases[] = {
        {u"é &eacute;"_s, {u"é"_s, u"&eacute;"_s}},
        {u"<\t &lt;"_s, {u"<"_s, u"&lt;"_s}},
        {u"x a b"_s, {u"x"_s, u"a b"_s}},
        {u"&amp;"_s, {u""_s, u"&amp;"_s}},
        {u"  &nbsp;"_s, {u""_s, u"&nbsp;"_s}},
        {u""_s, {u""_s, u""_s}},
        // A no-break space is a character, not a blank.
        {u"\u00A0 &nbsp;"_s, {u"\u00A0"_s, u"&nbsp;"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        EXPECT_EQ(splitSpecialCharacter(c.entry), c.expected);
    }
}

// The shipped definitions are data another hand edits: every kind must be one
// the inspector knows, or the attribute silently becomes a text box.
TEST(ShippedTagDefinitions, UseOnlyKnownKindsAndListSpecialCharacters)
{
    const QString path = QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat");
    if (!QFileInfo::exists(path))
        GTEST_SKIP() << "no shipped tag.dat";
    const IniFile ini(path);
    const TagDefinitions tags(ini);
    ASSERT_TRUE(tags.hasTag(u"img"));
    const QStringList known = {u"STRING"_s, u"COMBO"_s, u"FILE"_s,
                               u"IMAGE"_s,  u"COLOR"_s, u"FONT"_s};
    for (const QString& section : ini.sectionNames()) {
        if (!section.startsWith(u'!'))
            continue;
        const QString tag = section.sliced(1);
        for (const QString& attribute : tags.attributeNames(tag)) {
            SCOPED_TRACE((tag + u' ' + attribute).toStdString());
            EXPECT_TRUE(known.contains(tags.attributeEditor(tag, attribute).kindText));
        }
    }
    const QList<SpecialCharacter> special = tags.specialCharacters();
    ASSERT_FALSE(special.isEmpty());
    for (const SpecialCharacter& c : special)
        EXPECT_FALSE(c.character.isEmpty() || c.html.isEmpty()) << c.html.toStdString();
}

} // namespace
} // namespace qw
