#include "core/design/DesignWriteBack.h"

#include "core/text/DocumentFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// The fixtures: pages in tests/core/design/data and, for each edit, the
// snapshots the real browser engine gave after loading the page and after
// the edit ("regenerate" beside them makes them again).

QString dataPath(const QString& name)
{
    return QStringLiteral(QW_DESIGN_DATA_DIR "/") + name;
}

// The page as the editor holds it: read by the program's reader, lines
// joined by CR LF.
QString editorText(const QString& page)
{
    const DocumentReadResult read = readDocumentFile(dataPath(page + u".html"_s));
    EXPECT_TRUE(read.ok) << page.toStdString();
    return read.text;
}

DesignSnapshot snapshotFrom(const QJsonObject& object)
{
    DesignSnapshot s;
    for (const QJsonValue& node : object[u"headNodes"_s].toArray())
        s.headNodes.append(node.toString());
    for (const QJsonValue& node : object[u"bodyNodes"_s].toArray())
        s.bodyNodes.append(node.toString());
    for (const QJsonValue& attribute : object[u"bodyAttributes"_s].toArray())
        s.bodyAttributes.append({attribute[0].toString(), attribute[1].toString()});
    return s;
}

struct Snapshots
{
    DesignSnapshot loaded;
    DesignSnapshot left;
};

Snapshots snapshots(const QString& page, const QString& edit)
{
    QFile file(dataPath(page + u'.' + edit + u".json"_s));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    return {snapshotFrom(object[u"loaded"_s].toObject()),
            snapshotFrom(object[u"left"_s].toObject())};
}

// Checks the replacements' promises (sorted, not overlapping, inside the
// text) and applies them.
QString applied(const QString& text, const QList<TextReplacement>& replacements)
{
    QString out;
    qsizetype at = 0;
    for (const TextReplacement& r : replacements) {
        EXPECT_GE(r.start, at) << "replacements overlap or are out of order";
        EXPECT_LE(r.start + r.length, text.size());
        if (r.start < at || r.start + r.length > text.size())
            return {};
        out += QStringView(text).sliced(at, r.start - at);
        out += r.text;
        at = r.start + r.length;
    }
    out += QStringView(text).sliced(at);
    return out;
}

// The source with each old piece (found exactly once) replaced by the new.
QString expectedText(QString source, const QList<QPair<QString, QString>>& changes)
{
    for (const auto& [from, to] : changes) {
        EXPECT_EQ(source.count(from), 1) << "not once in the page: " << from.toStdString();
        source.replace(from, to);
    }
    return source;
}

TEST(DesignWriteBack, AnEditChangesOnlyTheBytesOfWhatWasEdited)
{
    struct Row
    {
        const char* page;
        const char* edit;
        bool upperCaseTags;
        QList<QPair<QString, QString>> changes;
    };
    const Row rows[] = {
        // A doctype, comments, scripts in head and body, and a table with
        // an explicit head, implied tbody, unclosed cells and rows.
        {"page", "cell", false, {{u"<TD>Úprava"_s, u"<TD>Rychlá Úprava"_s}}},
        {"page",
         "insert-delete",
         false,
         {{u"<!-- hlavička -->"_s, u""_s},
          {u"služeb</H1>"_s, u"služeb</H1><p>Nový odstavec</p>"_s}}},
        {"page", "bold", false, {{u"Ceník služeb</H1>"_s, u"Ceník <b>služeb</b></H1>"_s}}},
        {"page", "bold", true, {{u"Ceník služeb</H1>"_s, u"Ceník <B>služeb</B></H1>"_s}}},
        // Attribute order, quoting and the case of untouched names stay.
        {"page",
         "body",
         false,
         {{u"<BODY bgcolor=white TEXT=\"black\" onload='ukaz(2)'>"_s,
           u"<BODY bgcolor=\"#ffffcc\" onload='ukaz(2)' link=\"red\">"_s}}},
        {"page",
         "body",
         true,
         {{u"<BODY bgcolor=white TEXT=\"black\" onload='ukaz(2)'>"_s,
           u"<BODY bgcolor=\"#ffffcc\" onload='ukaz(2)' LINK=\"red\">"_s}}},
        // Element attributes: only the changed ones are written.
        {"page",
         "attributes",
         false,
         {{u"<H1 ALIGN=center>"_s, u"<H1>"_s},
          {u"<TABLE BORDER=1 CELLPADDING=2>"_s,
           u"<TABLE BORDER=\"0\" CELLPADDING=2 width=\"100%\">"_s}}},
        // A head element is written whole.
        {"page", "title", false, {{u"<TITLE>Ceník</TITLE>"_s, u"<title>Nový ceník</title>"_s}}},
        {"page", "title", true, {{u"<TITLE>Ceník</TITLE>"_s, u"<TITLE>Nový ceník</TITLE>"_s}}},
        // Paragraphs and items without end tags, a text with its line break.
        {"unclosed", "paragraph", false, {{u"<p>První"_s, u"<p>Quenwick První"_s}}},
        {"unclosed", "item", false, {{u"<li>dvě"_s, u"<li>už dvě"_s}}},
        // The touched text is written as the browser writes it; the
        // untouched paragraph keeps &eacute; and &#169;.
        {"entities",
         "touched",
         false,
         {{u"<p>Caf&eacute;&nbsp;&amp;&nbsp;bar &lt;upraveno&gt;</p>"_s,
           u"<p>Naše Café&nbsp;&amp;&nbsp;bar &lt;upraveno&gt;</p>"_s}}},
        // A carriage return the browser holds stays a reference: written
        // bare, it would be read back as a line break.
        {"entities", "carriage-return", false, {{u"<p>Řádek&#13;s"_s, u"<p>Nový Řádek&#13;s"_s}}},
        // No html, head or body tags: a body tag for new attributes goes
        // where the browser implied the body.
        {"fragment", "paragraph", false, {{u"<p>Druhý"_s, u"<p>Už Druhý"_s}}},
        {"fragment", "body", false, {{u"<h2>Nadpis"_s, u"<body bgcolor=\"yellow\"><h2>Nadpis"_s}}},
        {"many",
         "paragraph",
         false,
         {{u"<p class=odst>Odstavec číslo 30,"_s, u"<p class=odst>Opravený Odstavec číslo 30,"_s}}},
        // Text a table throws out before itself: an edit elsewhere stays
        // small, an edit there rewrites only the table and its neighbours.
        {"misnested", "far", false, {{u"<p>Konec"_s, u"<p>Opravený Konec"_s}}},
        {"misnested",
         "near",
         false,
         {{u"<p>Úvod stránky\r\n<table><tr><td>buňka</td></tr>zatoulaný text</table>"_s,
           u"<p>Úvod stránky\r\n</p>Jiný zatoulaný text<table><tbody><tr><td>buňka</td></tr>"
           u"</tbody></table>"_s}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.page) + "." + row.edit + (row.upperCaseTags ? " upper" : ""));
        const QString page = QString::fromLatin1(row.page);
        const QString source = editorText(page);
        const Snapshots s = snapshots(page, QString::fromLatin1(row.edit));
        ASSERT_NE(s.loaded, s.left);
        DesignWriteBackOptions options;
        options.tagCase.upperTag = !row.upperCaseTags;
        const QList<TextReplacement> replacements =
            designWriteBack(source, s.loaded, s.left, options);
        EXPECT_EQ(applied(source, replacements), expectedText(source, row.changes));
    }
}

TEST(DesignWriteBack, NothingIsWrittenWithoutAnEdit)
{
    const char* const pages[][2] = {{"page", "cell"},        {"unclosed", "item"},
                                    {"entities", "touched"}, {"fragment", "body"},
                                    {"many", "paragraph"},   {"misnested", "near"}};
    for (const auto& [page, edit] : pages) {
        SCOPED_TRACE(page);
        const QString source = editorText(QString::fromLatin1(page));
        const DesignSnapshot loaded =
            snapshots(QString::fromLatin1(page), QString::fromLatin1(edit)).loaded;
        DesignSnapshot again; // equal, not shared
        for (const QString& node : loaded.headNodes)
            again.headNodes.append(QString(node.constData(), node.size()));
        for (const QString& node : loaded.bodyNodes)
            again.bodyNodes.append(QString(node.constData(), node.size()));
        again.bodyAttributes = loaded.bodyAttributes;
        EXPECT_TRUE(designWriteBack(source, loaded, again).isEmpty());
    }
    // Two snapshots the browser took of one page, one after the other.
    const Snapshots twice = snapshots(u"page"_s, u"unchanged"_s);
    EXPECT_TRUE(designWriteBack(editorText(u"page"_s), twice.loaded, twice.left).isEmpty());
}

TEST(DesignWriteBack, AnEditAmongElementsTheBrowserRebuiltStaysInItsElement)
{
    // "<a name=.../>" leaves a link open, which the browser then repeats
    // inside the following elements: the body's children no longer match
    // the source's one by one, and the edited table sits in a link the
    // source does not have. The edited division is still found by its name
    // and text, the table inside the repeated link likewise, and only the
    // edited cell's text is written.
    const QString source = editorText(u"selfclosing"_s);
    const Snapshots s = snapshots(u"selfclosing"_s, u"cell"_s);
    const QList<TextReplacement> replacements = designWriteBack(source, s.loaded, s.left);
    ASSERT_FALSE(replacements.isEmpty());
    const qsizetype divStart = source.indexOf(u"<div class=\"sekce\"><h3><a name=\"druha\"/>"_s);
    const qsizetype divEnd = source.indexOf(u"</div>"_s, divStart);
    for (const TextReplacement& r : replacements) {
        EXPECT_GT(r.start, divStart);
        EXPECT_LE(r.start + r.length, divEnd);
    }
    EXPECT_EQ(applied(source, replacements),
              expectedText(source, {{u"<td>jeho význam"_s, u"<td>nový jeho význam"_s}}));
}

TEST(DesignWriteBack, WrittenTextTakesTheSourcesLineBreaks)
{
    // The browser writes LF; the source's own break goes into the text.
    const Snapshots s = snapshots(u"unclosed"_s, u"paragraph"_s);
    const QString crlf = editorText(u"unclosed"_s);
    QString lf = crlf;
    lf.replace(u"\r\n"_s, u"\n"_s);
    for (const QString& source : {crlf, lf}) {
        const QString breakText = source.contains(u'\r') ? u"\r\n"_s : u"\n"_s;
        EXPECT_EQ(applied(source, designWriteBack(source, s.loaded, s.left)),
                  expectedText(source, {{u"<p>První odstavec"_s + breakText,
                                         u"<p>Quenwick První odstavec"_s + breakText}}));
    }
}

TEST(DesignWriteBack, WhatCannotBeMatchedIsRewrittenInsideTheBodyOnly)
{
    // Source and snapshots that disagree throughout (the snapshots of
    // another page): the body's content is written whole, while the
    // doctype, the head and the tags around the body keep their bytes.
    const Snapshots s = snapshots(u"misnested"_s, u"near"_s);
    const QString source = editorText(u"unclosed"_s);
    const QList<TextReplacement> replacements = designWriteBack(source, s.loaded, s.left);
    ASSERT_EQ(replacements.size(), 1);
    const qsizetype bodyContent = source.indexOf(u"<body>"_s) + 6;
    const qsizetype bodyEnd = source.indexOf(u"</body>"_s);
    EXPECT_EQ(replacements[0].start, bodyContent);
    EXPECT_EQ(replacements[0].start + replacements[0].length, bodyEnd);
    QString leftBody = s.left.bodyNodes.join(QString());
    leftBody.replace(u"\n"_s, u"\r\n"_s);
    EXPECT_EQ(replacements[0].text, leftBody);
}

} // namespace
} // namespace qw
