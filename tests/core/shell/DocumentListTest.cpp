#include "core/shell/DocumentList.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

QStringList paths(const DocumentList& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.at(i).path;
    return out;
}

DocumentList fourTabs()
{
    DocumentList list;
    for (const char* p : {"/w/T1", "/w/T2", "/w/T3", "/w/T4"})
        list.add(QString::fromLatin1(p));
    return list;
}

TEST(DocumentList, NewDocumentsAreNumberedAndAppendedActive)
{
    DocumentList list;
    list.add(QString());
    list.add(QString());
    const auto& third = list.add(QString());
    EXPECT_EQ(paths(list), (QStringList{QStringLiteral("dokument1"), QStringLiteral("dokument2"),
                                        QStringLiteral("dokument3")}));
    EXPECT_EQ(third.key, 3);
    EXPECT_EQ(list.activeIndex(), 2);
}

TEST(DocumentList, NumbersAreNotReusedWhileDocumentsAreOpen)
{
    DocumentList list;
    list.add(QString());
    list.add(QString());
    list.setActiveIndex(0);
    list.removeActive();
    EXPECT_EQ(list.add(QString()).path, QStringLiteral("dokument3"));
    list.removeActive();
    list.removeActive();
    ASSERT_TRUE(list.isEmpty());
    list.resetCounter();
    EXPECT_EQ(list.add(QString()).path, QStringLiteral("dokument1"));
}

TEST(DocumentList, ANewDocumentGivenBackKeepsItsNameAndLaterOnesGoPastIt)
{
    DocumentList list;
    list.add(QString()); // dokument1
    EXPECT_EQ(list.add(QStringLiteral("dokument5")).path, QStringLiteral("dokument5"));
    EXPECT_EQ(list.add(QString()).path, QStringLiteral("dokument6"));
    // A lower number or a saved file's name moves nothing.
    list.add(QStringLiteral("dokument2"));
    list.add(QStringLiteral("/w/dokument99.html"));
    const auto& next = list.add(QString());
    EXPECT_EQ(next.path, QStringLiteral("dokument9"));
    QList<int> keys;
    for (int i = 0; i < list.count(); ++i)
        keys << list.at(i).key;
    EXPECT_EQ(keys, (QList<int>{1, 2, 6, 7, 8, 9}));
}

TEST(DocumentList, ClosingFollowsTheTabRules)
{
    struct Case
    {
        const char* name;
        bool modified;
        QStringList remaining;
        QString active;
    };
    // T3 active in T1 T2 T3 T4: unmodified steps one further right (wrapping
    // to T1); modified and answered No leaves the right neighbour T4 active.
    const Case cases[] = {
        {"unmodified", false, {"/w/T1", "/w/T2", "/w/T4"}, "/w/T1"},
        {"modified, No", true, {"/w/T1", "/w/T2", "/w/T4"}, "/w/T4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentList list = fourTabs();
        list.setActiveIndex(2);
        list.removeActive();
        if (!c.modified)
            list.stepRightAfterClose();
        EXPECT_EQ(paths(list), c.remaining);
        ASSERT_NE(list.active(), nullptr);
        EXPECT_EQ(list.active()->path, c.active);
    }
}

TEST(DocumentList, RemovingTheLastTabActivatesTheNewLast)
{
    DocumentList list = fourTabs();
    list.setActiveIndex(3);
    list.removeActive();
    EXPECT_EQ(list.activeIndex(), 2);
    list.stepRightAfterClose();
    EXPECT_EQ(list.activeIndex(), 0);
}

TEST(DocumentList, NavigationButtonsFollowTheActiveTab)
{
    DocumentList list;
    list.add(QStringLiteral("/T1"));
    list.add(QStringLiteral("/T2"));
    list.add(QStringLiteral("/T3"));
    list.setActiveIndex(0);
    auto n = list.navigation();
    EXPECT_FALSE(n.first);
    EXPECT_FALSE(n.previous);
    EXPECT_TRUE(n.next);
    EXPECT_TRUE(n.last);
    list.setActiveIndex(2);
    n = list.navigation();
    EXPECT_TRUE(n.first);
    EXPECT_TRUE(n.previous);
    EXPECT_FALSE(n.next);
    EXPECT_FALSE(n.last);
}

TEST(DocumentList, PathsCompareExactly)
{
    DocumentList list;
    list.add(QStringLiteral("/w/Index.html"));
    EXPECT_EQ(list.indexOfPath(QStringLiteral("/w/Index.html")), 0);
    EXPECT_EQ(list.indexOfPath(QStringLiteral("/w/index.html")), -1);
}

TEST(DocumentList, UntitledAndCaptions)
{
    EXPECT_TRUE(DocumentList::isUntitled(QStringLiteral("dokument12")));
    EXPECT_FALSE(DocumentList::isUntitled(QStringLiteral("Dokument1")));
    EXPECT_FALSE(DocumentList::isUntitled(QStringLiteral("/home/dokument1")));
    EXPECT_EQ(DocumentList::tabCaption(QStringLiteral("/home/jana/web/a b.html")),
              QStringLiteral("a b.html"));
    EXPECT_EQ(DocumentList::tabCaption(QStringLiteral("dokument3")), QStringLiteral("dokument3"));
}

TEST(DocumentList, AReadOnlyFileIsNeverTheTargetOfASave)
{
    using Target = DocumentList::SaveTarget;
    DocumentList list;
    list.add(QStringLiteral("/w/index.html"));
    list.add(QStringLiteral("/w/pic.png"));
    list.add(QString());
    list.setReadOnly(1, true);
    const DocumentList::Entry& page = list.at(0);
    const DocumentList::Entry& picture = list.at(1);
    const DocumentList::Entry& untitled = list.at(2);
    struct Case
    {
        const DocumentList::Entry* entry;
        bool modified;
        Target target;
    };
    const Case cases[] = {
        {&page, false, Target::OwnFile},     {&page, true, Target::OwnFile},
        {&picture, false, Target::Nothing},  {&picture, true, Target::NewName},
        {&untitled, false, Target::NewName}, {&untitled, true, Target::NewName},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DocumentList::saveTarget(*c.entry, c.modified), c.target)
            << c.entry->path.toStdString() << " modified " << c.modified;
    }
    EXPECT_TRUE(DocumentList::savedByAll(page));
    EXPECT_FALSE(DocumentList::savedByAll(picture));
    EXPECT_FALSE(DocumentList::mayWriteTo(picture, QStringLiteral("/w/pic.png")));
    EXPECT_TRUE(DocumentList::mayWriteTo(picture, QStringLiteral("/w/pic.html")));
    EXPECT_TRUE(DocumentList::mayWriteTo(page, QStringLiteral("/w/index.html")));
    // The person sees why their save goes elsewhere.
    EXPECT_EQ(DocumentList::tabText(picture), QStringLiteral("pic.png (jen pro čtení)"));
    EXPECT_EQ(DocumentList::windowText(picture),
              QStringLiteral("Quenwick - /w/pic.png (jen pro čtení)"));
    EXPECT_EQ(DocumentList::tabText(page), QStringLiteral("index.html"));
    EXPECT_EQ(DocumentList::windowText(page), QStringLiteral("Quenwick - /w/index.html"));
}

} // namespace
} // namespace qw
