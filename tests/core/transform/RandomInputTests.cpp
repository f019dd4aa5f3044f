#include "core/editor/MemoryEditor.h"
#include "core/transform/CzechLetters.h"
#include "core/transform/HtmlText.h"
#include "core/transform/LineTransforms.h"
#include "core/transform/TagCase.h"
#include "core/transform/TextCase.h"
#include "core/transform/TextTransformCommands.h"

#include <gtest/gtest.h>

#include <random>

namespace qw {
namespace {

// Text made of the characters the tools react to, national letters, letters
// that change length in some case mappings, and broken UTF-16.
QString randomText(std::mt19937& rng)
{
    static const char16_t alphabet[] = {u'<',  u'>', u'=',   u'"',   u'!',   u' ',  u'\r', u'\n',
                                        u'\t', u'&', u'a',   u'Z',   u'č',   u'Ř',  u'ů',  u'ß',
                                        u'ŉ',  u'ﬀ', 0xD801, 0xDC28, 0xD800, 0xDFFF};
    std::uniform_int_distribution<int> length(0, 120);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    QString text;
    const int n = length(rng);
    for (int i = 0; i < n; ++i)
        text += QChar(alphabet[pick(rng)]);
    return text;
}

TEST(RandomInput, PureToolsKeepTheirPromises)
{
    std::mt19937 rng(20240305);
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(rng);
        SCOPED_TRACE(round);
        for (CaseChange change :
             {CaseChange::Upper, CaseChange::Lower, CaseChange::Invert, CaseChange::FirstCapital})
            ASSERT_EQ(changeCaseOutsideTags(text, change).size(), text.size());
        ASSERT_EQ(removeDiacritics(text).size(), text.size());
        ASSERT_EQ(convertTagCase(text, LetterCase::Upper).size(), text.size());
        ASSERT_EQ(convertTagCase(text, LetterCase::Lower).size(), text.size());

        const QString stripped = removeHtml(text);
        ASSERT_FALSE(stripped.contains(u'>'));
        ASSERT_TRUE(!stripped.contains(u'<') || stripped.indexOf(u'<') == stripped.size() - 1);

        const QString html = textToHtml(text, {}, {});
        ASSERT_FALSE(html.contains(u'"'));
        ASSERT_EQ(html.count(u'<'), html.count(QStringLiteral("<br>")));

        ASSERT_LE(removeSurplusLines(text).size(), text.size());
        ASSERT_TRUE(textToTable(text).endsWith(QStringLiteral("</table>\r\n")));
        ASSERT_EQ(addLineBreaks(text).isEmpty(), text.isEmpty());
    }
}

TEST(RandomInput, EditorCommandsUndoToTheOriginal)
{
    std::mt19937 rng(1250);
    const TextTransformation all[] = {
        TextTransformation::RemoveDiacritics, TextTransformation::UpperCase,
        TextTransformation::LowerCase,        TextTransformation::InvertCase,
        TextTransformation::FirstCapital,     TextTransformation::TextToHtml,
        TextTransformation::RemoveHtml,       TextTransformation::RemoveSurplusLines,
        TextTransformation::TagsToUpperCase,  TextTransformation::TagsToLowerCase,
        TextTransformation::TextToTable,      TextTransformation::AddLineBreaks,
    };
    for (int round = 0; round < 300; ++round) {
        for (TextTransformation t : all) {
            MemoryEditor editor(randomText(rng));
            const QString original = editor.text();
            std::uniform_int_distribution<qsizetype> offset(0, original.size());
            editor.setSelectionStart(offset(rng));
            editor.setSelectionLength(offset(rng) - editor.selectionStart());
            const qsizetype caret = editor.selectionStart();
            const qsizetype length = editor.selectionLength();
            editor.clearUndo();
            runTextTransformation(editor, t, {{"<head>"}, {"</head>"}});
            ASSERT_GE(editor.selectionStart(), 0);
            ASSERT_LE(editor.selectionStart(), editor.length());
            const bool keepsSelection = t <= TextTransformation::FirstCapital && length != 0;
            if (keepsSelection) {
                ASSERT_EQ(editor.selectionStart(), caret);
                ASSERT_EQ(editor.selectionLength(), length);
            }
            editor.undo();
            ASSERT_EQ(editor.text(), original) << int(t) << " round " << round;
        }
    }
}

} // namespace
} // namespace qw
