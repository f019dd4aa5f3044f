// The shipped tag.dat, read through the same reader the tag inspector uses.

#include "core/highlight/HtmlElements.h"
#include "core/settings/IniFile.h"
#include "core/settings/TagDefinitions.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class ShippedTagDefinitions : public ::testing::Test
{
protected:
    IniFile file{QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat")};
    TagDefinitions tags{file};
};

TEST_F(ShippedTagDefinitions, EveryKnownElementHasASectionWithUsableEditors)
{
    static const QSet<QString> kinds = {u"STRING"_s, u"COMBO"_s, u"FILE"_s,
                                        u"IMAGE"_s,  u"COLOR"_s, u"FONT"_s};
    ASSERT_EQ(htmlElements().size(), 143u);
    for (const HtmlElement& element : htmlElements()) {
        const QString name = element.name;
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(tags.hasTag(name));

        const QStringList attributes = tags.attributeNames(name);
        // The document type declaration has no attributes to edit.
        if (name != u"!DOCTYPE") {
            EXPECT_FALSE(attributes.isEmpty());
        }

        QSet<QString> seen;
        for (const QString& attribute : attributes) {
            SCOPED_TRACE(attribute.toStdString());
            // A repeated key would hide its second definition behind the first.
            EXPECT_FALSE(seen.contains(attribute.toUpper()));
            seen.insert(attribute.toUpper());
            EXPECT_EQ(attribute, attribute.toUpper());

            const AttributeEditor editor = tags.attributeEditor(name, attribute);
            EXPECT_TRUE(kinds.contains(editor.kindText)) << editor.kindText.toStdString();
            if (editor.kindText == u"COMBO") {
                EXPECT_FALSE(editor.choices.isEmpty());
                EXPECT_FALSE(editor.choices.contains(QString()));
                EXPECT_EQ(QSet<QString>(editor.choices.cbegin(), editor.choices.cend()).size(),
                          editor.choices.size());
            } else {
                // Anything after a non-COMBO kind would be silently ignored.
                EXPECT_EQ(file.readString(u'!' + name, attribute), editor.kindText);
            }
        }
    }
}

// The attributes whose editor makes the inspector useful: a wrong kind here
// means a colour typed as text or a picture picked through the page dialog.
TEST_F(ShippedTagDefinitions, KeyAttributesGetTheirEditors)
{
    struct Case
    {
        QString tag;
        QString attribute;
        AttributeEditorKind kind;
        QStringList choices;
    };
    const Case cases[] = {
        {u"IMG"_s, u"SRC"_s, AttributeEditorKind::Image, {}},
        {u"INPUT"_s, u"SRC"_s, AttributeEditorKind::Image, {}},
        {u"BODY"_s, u"BACKGROUND"_s, AttributeEditorKind::Image, {}},
        {u"A"_s, u"HREF"_s, AttributeEditorKind::File, {}},
        {u"FRAME"_s, u"SRC"_s, AttributeEditorKind::File, {}},
        {u"SCRIPT"_s, u"SRC"_s, AttributeEditorKind::File, {}},
        {u"FORM"_s, u"ACTION"_s, AttributeEditorKind::File, {}},
        {u"BODY"_s, u"BGCOLOR"_s, AttributeEditorKind::Color, {}},
        {u"BODY"_s, u"VLINK"_s, AttributeEditorKind::Color, {}},
        {u"TD"_s, u"BGCOLOR"_s, AttributeEditorKind::Color, {}},
        {u"FONT"_s, u"FACE"_s, AttributeEditorKind::Font, {}},
        {u"TABLE"_s, u"BORDER"_s, AttributeEditorKind::String, {}},
        {u"INPUT"_s,
         u"TYPE"_s,
         AttributeEditorKind::Combo,
         {u"text"_s,  u"password"_s, u"checkbox"_s, u"radio"_s,          u"submit"_s,
          u"reset"_s, u"file"_s,     u"hidden"_s,   u"image"_s,          u"button"_s,
          u"email"_s, u"url"_s,      u"tel"_s,      u"search"_s,         u"number"_s,
          u"range"_s, u"date"_s,     u"time"_s,     u"datetime-local"_s, u"month"_s,
          u"week"_s,  u"color"_s}},
        {u"VIDEO"_s,
         u"PRELOAD"_s,
         AttributeEditorKind::Combo,
         {u"none"_s, u"metadata"_s, u"auto"_s}},
        {u"VIDEO"_s, u"POSTER"_s, AttributeEditorKind::Image, {}},
        {u"IMG"_s, u"LOADING"_s, AttributeEditorKind::Combo, {u"lazy"_s, u"eager"_s}},
        {u"IFRAME"_s, u"LOADING"_s, AttributeEditorKind::Combo, {u"lazy"_s, u"eager"_s}},
        {u"TRACK"_s, u"SRC"_s, AttributeEditorKind::File, {}},
        {u"INPUT"_s, u"REQUIRED"_s, AttributeEditorKind::Combo, {u"required"_s}},
        {u"SECTION"_s, u"DIR"_s, AttributeEditorKind::Combo, {u"ltr"_s, u"rtl"_s, u"auto"_s}},
        {u"META"_s, u"CHARSET"_s, AttributeEditorKind::Combo, {u"utf-8"_s, u"windows-1250"_s}},
        {u"OL"_s, u"TYPE"_s, AttributeEditorKind::Combo, {u"1"_s, u"a"_s, u"A"_s, u"i"_s, u"I"_s}},
        {u"UL"_s, u"TYPE"_s, AttributeEditorKind::Combo, {u"disc"_s, u"circle"_s, u"square"_s}},
        {u"FORM"_s, u"METHOD"_s, AttributeEditorKind::Combo, {u"get"_s, u"post"_s, u"dialog"_s}},
        {u"P"_s,
         u"ALIGN"_s,
         AttributeEditorKind::Combo,
         {u"left"_s, u"center"_s, u"right"_s, u"justify"_s}},
        {u"IMG"_s,
         u"ALIGN"_s,
         AttributeEditorKind::Combo,
         {u"top"_s, u"middle"_s, u"bottom"_s, u"left"_s, u"right"_s}},
        {u"TD"_s,
         u"VALIGN"_s,
         AttributeEditorKind::Combo,
         {u"top"_s, u"middle"_s, u"bottom"_s, u"baseline"_s}},
        {u"IFRAME"_s, u"SCROLLING"_s, AttributeEditorKind::Combo, {u"yes"_s, u"no"_s, u"auto"_s}},
        {u"AREA"_s,
         u"SHAPE"_s,
         AttributeEditorKind::Combo,
         {u"rect"_s, u"circle"_s, u"poly"_s, u"default"_s}},
        {u"A"_s,
         u"TARGET"_s,
         AttributeEditorKind::Combo,
         {u"_blank"_s, u"_self"_s, u"_parent"_s, u"_top"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.tag + u' ' + c.attribute).toStdString());
        const AttributeEditor editor = tags.attributeEditor(c.tag, c.attribute);
        EXPECT_EQ(editor.kind(), c.kind);
        EXPECT_EQ(editor.choices, c.choices);
    }
}

TEST_F(ShippedTagDefinitions, ElementsListTheirOwnAttributesBeforeTheCommonOnes)
{
    const QStringList img = tags.attributeNames(u"img");
    ASSERT_GE(img.size(), 2);
    EXPECT_EQ(img.first(), u"SRC");
    EXPECT_LT(img.indexOf(u"ALT"_s), img.indexOf(u"ID"_s));

    const QStringList table = tags.attributeNames(u"TABLE");
    EXPECT_LT(table.indexOf(u"CELLPADDING"_s), table.indexOf(u"CLASS"_s));
    EXPECT_GE(table.indexOf(u"CELLPADDING"_s), 0);
}

// The elements of today's HTML standard (its element index, HTML namespace).
TEST_F(ShippedTagDefinitions, EveryElementOfTheStandardIsKnownWithItsGlobalAttributes)
{
    static const char* const kStandard[] = {
        "a",        "abbr",     "address", "area",     "article",    "aside",    "audio",
        "b",        "base",     "bdi",     "bdo",      "blockquote", "body",     "br",
        "button",   "canvas",   "caption", "cite",     "code",       "col",      "colgroup",
        "data",     "datalist", "dd",      "del",      "details",    "dfn",      "dialog",
        "div",      "dl",       "dt",      "em",       "embed",      "fieldset", "figcaption",
        "figure",   "footer",   "form",    "h1",       "h2",         "h3",       "h4",
        "h5",       "h6",       "head",    "header",   "hgroup",     "hr",       "html",
        "i",        "iframe",   "img",     "input",    "ins",        "kbd",      "label",
        "legend",   "li",       "link",    "main",     "map",        "mark",     "menu",
        "meta",     "meter",    "nav",     "noscript", "object",     "ol",       "optgroup",
        "option",   "output",   "p",       "picture",  "pre",        "progress", "q",
        "rp",       "rt",       "ruby",    "s",        "samp",       "script",   "search",
        "section",  "select",   "slot",    "small",    "source",     "span",     "strong",
        "style",    "sub",      "summary", "sup",      "table",      "tbody",    "td",
        "template", "textarea", "tfoot",   "th",       "thead",      "time",     "title",
        "tr",       "track",    "u",       "ul",       "var",        "video",    "wbr",
    };
    static const char* const kGlobal[] = {
        "ID",         "CLASS",     "STYLE",    "TITLE",           "LANG",
        "DIR",        "HIDDEN",    "TABINDEX", "CONTENTEDITABLE", "DRAGGABLE",
        "SPELLCHECK", "TRANSLATE", "ROLE",     "ARIA-LABEL"};
    for (const char* element : kStandard) {
        const QString name = QString::fromLatin1(element);
        SCOPED_TRACE(element);
        EXPECT_NE(findHtmlElement(name), nullptr) << "the colouring does not know it";
        ASSERT_TRUE(tags.hasTag(name));
        QStringList attributes = tags.attributeNames(name);
        for (QString& attribute : attributes)
            attribute = attribute.toUpper();
        for (const char* global : kGlobal)
            EXPECT_TRUE(attributes.contains(QString::fromLatin1(global))) << global;
    }
}

// Sections that were there before keep their rows in their order: what HTML5
// added comes after them.
TEST_F(ShippedTagDefinitions, OlderSectionsKeepTheirFirstRows)
{
    EXPECT_EQ(tags.attributeNames(u"IMG").mid(0, 4),
              (QStringList{u"SRC"_s, u"ALT"_s, u"WIDTH"_s, u"HEIGHT"_s}));
    const QStringList input = tags.attributeNames(u"INPUT");
    EXPECT_EQ(input.mid(0, 3), (QStringList{u"TYPE"_s, u"NAME"_s, u"VALUE"_s}));
    EXPECT_LT(input.indexOf(u"DISABLED"_s), input.indexOf(u"PLACEHOLDER"_s));
    EXPECT_EQ(tags.attributeEditor(u"SCRIPT"_s, u"TYPE"_s).choices.mid(0, 3),
              (QStringList{u"text/javascript"_s, u"text/vbscript"_s, u"text/ecmascript"_s}));
}

TEST_F(ShippedTagDefinitions, SpecialCharactersSplitIntoACharacterAndAnEntity)
{
    const QList<SpecialCharacter> specials = tags.specialCharacters();
    ASSERT_FALSE(specials.isEmpty());
    QSet<QString> forms;
    for (const SpecialCharacter& s : specials) {
        SCOPED_TRACE(s.html.toStdString());
        EXPECT_EQ(s.character.size(), 1);
        EXPECT_TRUE(s.html.startsWith(u'&'));
        EXPECT_TRUE(s.html.endsWith(u';'));
        EXPECT_FALSE(s.html.contains(u' '));
        EXPECT_FALSE(forms.contains(s.html));
        forms.insert(s.html);
    }
    EXPECT_EQ(specials.first().html, u"&nbsp;");
}

// The characters that look alike on screen and are easy to swap when the
// list is written.
TEST_F(ShippedTagDefinitions, LookAlikeSpecialCharactersMatchTheirEntities)
{
    struct Case
    {
        QString html;
        char16_t character;
    };
    const Case cases[] = {
        // The no-break space is shown by the tilde, since the reader trims a
        // leading no-break space away as a blank.
        {u"&nbsp;"_s, u'~'},        {u"&bdquo;"_s, u'\u201E'},  {u"&ldquo;"_s, u'\u201C'},
        {u"&rdquo;"_s, u'\u201D'},  {u"&sbquo;"_s, u'\u201A'},  {u"&lsquo;"_s, u'\u2018'},
        {u"&rsquo;"_s, u'\u2019'},  {u"&lsaquo;"_s, u'\u2039'}, {u"&rsaquo;"_s, u'\u203A'},
        {u"&laquo;"_s, u'\u00AB'},  {u"&raquo;"_s, u'\u00BB'},  {u"&ndash;"_s, u'\u2013'},
        {u"&mdash;"_s, u'\u2014'},  {u"&acute;"_s, u'\u00B4'},  {u"&uml;"_s, u'\u00A8'},
        {u"&cedil;"_s, u'\u00B8'},  {u"&shy;"_s, u'\u00AD'},    {u"&micro;"_s, u'\u00B5'},
        {u"&middot;"_s, u'\u00B7'}, {u"&bull;"_s, u'\u2022'},   {u"&euro;"_s, u'\u20AC'},
        {u"&Scaron;"_s, u'\u0160'}, {u"&scaron;"_s, u'\u0161'}, {u"&yacute;"_s, u'\u00FD'},
        {u"&amp;"_s, u'&'},         {u"&lt;"_s, u'<'},          {u"&quot;"_s, u'"'},
    };
    const QList<SpecialCharacter> specials = tags.specialCharacters();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html.toStdString());
        const auto found =
            std::find_if(specials.cbegin(), specials.cend(),
                         [&](const SpecialCharacter& s) { return s.html == c.html; });
        ASSERT_NE(found, specials.cend());
        EXPECT_EQ(found->character, QString(QChar(c.character)));
    }
}

} // namespace
} // namespace qw
