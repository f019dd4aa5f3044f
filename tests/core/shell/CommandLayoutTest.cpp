#include "core/shell/CommandLayout.h"

#include <QSet>
#include <QString>
#include <gtest/gtest.h>

namespace qw {
namespace {

using namespace Qt::StringLiterals;

// The letter after the single "&" of a caption ("&&" is a literal
// ampersand); a null character when there is none or more than one.
QChar accessLetter(QStringView caption)
{
    QChar letter;
    int marks = 0;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        ++marks;
        letter = caption[i + 1];
    }
    return marks == 1 && letter.isLetter() ? letter.toLower() : QChar();
}

TEST(MainMenuLayout, EveryTopLevelMenuHasAnAccessLetterOfItsOwn)
{
    QStringList captions;
    int depth = 0;
    for (const LayoutItem& item : mainMenuLayout()) {
        if (item.kind == LayoutKind::BeginMenu && depth++ == 0)
            captions << item.caption.toString();
        else if (item.kind == LayoutKind::EndMenu)
            --depth;
    }
    ASSERT_EQ(depth, 0);
    ASSERT_EQ(captions.size(), 6);

    QSet<QChar> letters;
    for (const QString& caption : captions) {
        SCOPED_TRACE(caption.toStdString());
        const QChar letter = accessLetter(caption);
        ASSERT_FALSE(letter.isNull());
        EXPECT_FALSE(letters.contains(letter));
        letters.insert(letter);
        // The caption reads as before; only the mark was added.
        QString shown = caption;
        shown.remove(u'&');
        EXPECT_TRUE(QStringList({u"Soubor"_s, u"Úpravy"_s, u"Zobrazit"_s, u"Nástroje"_s, u"Tag"_s,
                                 u"Nápověda"_s})
                        .contains(shown));
    }
}

} // namespace
} // namespace qw
