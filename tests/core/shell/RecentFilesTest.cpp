#include "core/shell/RecentFiles.h"

#include "core/shell/ShellTexts.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(RecentFiles, NewPathsAppendAndSeenPathsMoveToTheFront)
{
    QStringList list;
    for (const char* p : {"/w/a.htm", "/w/b.htm", "/w/c.htm"})
        updateRecentFiles(list, QString::fromLatin1(p));
    EXPECT_EQ(list, (QStringList{"/w/a.htm", "/w/b.htm", "/w/c.htm"}));
    updateRecentFiles(list, QStringLiteral("/w/b.htm"));
    EXPECT_EQ(list, (QStringList{"/w/b.htm", "/w/a.htm", "/w/c.htm"}));
}

TEST(RecentFiles, LetterCaseNamesTheSameEntrySpelledAsLastGiven)
{
    QStringList list{QStringLiteral("/w/x.htm"), QStringLiteral("/W/A.HTM")};
    updateRecentFiles(list, QStringLiteral("/w/a.htm"));
    EXPECT_EQ(list, (QStringList{"/w/a.htm", "/w/x.htm"}));
}

TEST(RecentFiles, NothingIsDropped)
{
    QStringList list;
    for (int i = 0; i < 25; ++i)
        updateRecentFiles(list, QStringLiteral("/f%1").arg(i));
    EXPECT_EQ(list.size(), 25);
    EXPECT_EQ(list.constLast(), QStringLiteral("/f24"));
}

TEST(ShellTexts, ComposedTexts)
{
    EXPECT_EQ(recentFileCaption(0, QStringLiteral("/w/a %1.htm")),
              QStringLiteral("&1. /w/a %1.htm"));
    EXPECT_EQ(saveQuestionText(QStringLiteral("dokument1")),
              QStringLiteral("Uložit změny v dokumentu - \"dokument1\"?"));
    EXPECT_EQ(caretPositionText(0, 0), QStringLiteral(" ř. 1  sl. 1"));
    EXPECT_EQ(typingModeText(false), QStringLiteral("Vkládání"));
    EXPECT_EQ(typingModeText(true), QStringLiteral("Přepis"));
    EXPECT_EQ(modifiedText(true), QStringLiteral("Změněno"));
    EXPECT_EQ(recentFileMissingText(QStringLiteral("/x")),
              QStringLiteral("Soubor \"/x\" nebyl nalezen!"));
}

} // namespace
} // namespace qw
