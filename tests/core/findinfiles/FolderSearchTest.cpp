#include "core/findinfiles/FolderSearch.h"

#include "core/editor/MemoryEditor.h"
#include "core/findinfiles/FileReplace.h"
#include "core/text/DocumentText.h"
#include "core/text/TextCheck.h"
#include "core/text/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// The Czech words as each encoding writes them.
const QByteArray kKunWindows = "k\xF9\xF2"_ba;
const QByteArray kKunUtf8 = "k\xC5\xAF\xC5\x88"_ba;

SearchQuery q(const QString& text, const QString& replacement = {}, bool matchCase = false,
              bool wholeWords = false, bool regularExpression = false)
{
    return SearchQuery{text, replacement, matchCase, wholeWords, regularExpression};
}

QByteArray windows(const QString& text)
{
    return encodeWindows1250(text);
}

// A small site: pages in every encoding and break style, and the things a
// search must pass by.
class FolderSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        write(u"stara.html"_s, windows(u"<p>Žluťoučký kůň</p>\r\n<p>KŮŇ a kůňský</p>\r\n"
                                       u"<footer>© 2025 Firma s.r.o.</footer>\r\n"_s));
        write(u"nova.html"_s, u"<p>Kůň běží</p>\n<p>2025 a 12025</p>\n"
                              u"<footer>© 2025 Firma s.r.o.</footer>\n"_s.toUtf8());
        write(u"znacka.htm"_s, "\xEF\xBB\xBF"_ba + u"<p>kůň</p>\r\n<footer>© 2025 Firma "
                                                   u"s.r.o.</footer>\r\n"_s.toUtf8());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"sub"_s));
        write(u"sub/hluboko.html"_s, "<p>Kun 2025</p>\n"_ba);
        write(u"obrazek.html"_s, "GIF89a\0\0\x01 k\xF9\xF2 2025"_ba);
        write(u"poznamky.txt"_s, windows(u"kůň 2025"_s));
        write(u"velka.html"_s, QByteArray(3000, 'x') + windows(u" kůň 2025"_s));
        // A link back up (a loop), and two entries that cannot be read even
        // by root: their paths lead through a file.
        ASSERT_TRUE(QFile::link(u".."_s, path(u"sub/smycka"_s)));
        ASSERT_TRUE(QFile::link(path(u"stara.html/x"_s), path(u"rozbita.html"_s)));
        ASSERT_TRUE(QFile::link(path(u"nova.html/slozka"_s), path(u"ztracena"_s)));
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    FolderSearchSummary search(const SearchQuery& query, QList<FileResult>& results) const
    {
        FolderSearchOptions options;
        options.folder = m_dir.path();
        options.masks = u"*.html;*.htm"_s;
        options.sizeLimit = 2048;
        std::atomic<bool> stop{false};
        FolderSearchCallbacks callbacks;
        callbacks.found = [&](FileResult&& r) {
            results.append(std::move(r));
        };
        return searchFolder(options, query, stop, callbacks);
    }

    static QStringList describe(const QList<FileResult>& results)
    {
        QStringList out;
        for (const FileResult& r : results) {
            for (const TextMatch& m : r.matches)
                out << u"%1:%2:%3:%4"_s.arg(r.relativePath)
                           .arg(m.line)
                           .arg(m.column)
                           .arg(m.matched);
        }
        return out;
    }

    FileResult resultFor(const SearchQuery& query, const QString& relative) const
    {
        QList<FileResult> results;
        search(query, results);
        for (const FileResult& r : results) {
            if (r.relativePath == relative)
                return r;
        }
        ADD_FAILURE() << "no result for " << relative.toStdString();
        return {};
    }

    QTemporaryDir m_dir;
};

TEST_F(FolderSearchTest, FindsCzechTextInEveryEncodingWithTheOptions)
{
    struct Case
    {
        const char* name;
        SearchQuery query;
        QStringList expected;
    };
    const Case cases[] = {
        {"only ASCII letters fold",
         {u"kůň"_s, {}, false, false, false},
         {u"nova.html:0:3:Kůň"_s, u"stara.html:0:13:kůň"_s, u"stara.html:1:9:kůň"_s,
          u"znacka.htm:0:3:kůň"_s}},
        {"match case",
         {u"kůň"_s, {}, true, false, false},
         {u"stara.html:0:13:kůň"_s, u"stara.html:1:9:kůň"_s, u"znacka.htm:0:3:kůň"_s}},
        {"whole words",
         {u"kůň"_s, {}, false, true, false},
         {u"nova.html:0:3:Kůň"_s, u"stara.html:0:13:kůň"_s, u"znacka.htm:0:3:kůň"_s}},
        {"whole word number",
         {u"2025"_s, {}, false, true, false},
         {u"nova.html:1:3:2025"_s, u"nova.html:2:10:2025"_s, u"stara.html:2:10:2025"_s,
          u"znacka.htm:1:10:2025"_s, u"sub/hluboko.html:0:7:2025"_s}},
        {"regular expression",
         {u"(\\d{4}) F\\w+"_s, {}, true, false, true},
         {u"nova.html:2:10:2025 Firma"_s, u"stara.html:2:10:2025 Firma"_s,
          u"znacka.htm:1:10:2025 Firma"_s}},
        {"regular expression ignoring case",
         {u"ŽLUŤ\\w+"_s, {}, false, false, true},
         {u"stara.html:0:3:Žluťoučký"_s}},
    };
    for (const Case& c : cases) {
        QList<FileResult> results;
        const FolderSearchSummary summary = search(c.query, results);
        EXPECT_EQ(describe(results), c.expected) << c.name;
        EXPECT_EQ(summary.matches, c.expected.size()) << c.name;
    }
}

TEST_F(FolderSearchTest, SkipsAndReportsWhatItCannotSearch)
{
    QList<FileResult> results;
    const FolderSearchSummary summary = search(q(u"2025"_s), results);
    // stara, nova, znacka and sub/hluboko; the link loop adds none twice.
    EXPECT_EQ(summary.filesSearched, 4);
    EXPECT_EQ(summary.filesMatched, 4);
    EXPECT_EQ(summary.notText, 1);  // obrazek.html
    EXPECT_EQ(summary.tooLarge, 1); // velka.html
    QStringList unreadable;
    for (const SearchProblem& p : summary.unreadable) {
        unreadable << QFileInfo(p.path).fileName();
        EXPECT_TRUE(p.reason.contains(u"část cesty není složka"_s)) << p.reason.toStdString();
    }
    EXPECT_EQ(unreadable, (QStringList{u"rozbita.html"_s, u"ztracena"_s}));
    EXPECT_FALSE(summary.stopped);
    for (const FileResult& r : results)
        EXPECT_NE(r.relativePath, u"poznamky.txt"_s);
}

TEST(FolderSearchTextCheck, SkipsExactlyWhatOpeningCallsNotText)
{
    // Control bytes before and after the first sixteen, where the quick pass
    // and the byte by byte rest meet; those text allows stay text.
    struct Case
    {
        QByteArray bytes;
        bool text;
    };
    const QByteArray line = "<p>2025 \xE8\xF9</p>"_ba; // 20 bytes
    const Case cases[] = {
        {line + "\r\n\t" + line, true},
        {line + "\x1B[0m\x07\x08\x0B\x0C" + line, true},
        {"\x01" + line, false},
        {line + '\0' + line, false},
        {line + line + "\x7F", false},
        {line.left(17) + "\x1F", false},
        {line + QByteArray(70000, 'x') + '\0' + " 2025", true}, // past the checked start
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"a.html"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        FolderSearchOptions options;
        options.folder = dir.path();
        std::atomic<bool> stop{false};
        const FolderSearchSummary summary = searchFolder(options, q(u"2025"_s), stop, {});
        EXPECT_EQ(summary.notText, c.text ? 0 : 1) << c.bytes.left(60).toStdString();
        EXPECT_EQ(summary.filesMatched, c.text ? 1 : 0);
        EXPECT_EQ(looksLikeText(c.bytes), c.text);
    }
}

TEST_F(FolderSearchTest, ReadsEachFileInTheEncodingOpeningGivesIt)
{
    EXPECT_EQ(resultFor(q(u"kůň"_s), u"stara.html"_s).encoding, TextEncoding::Windows1250);
    EXPECT_EQ(resultFor(q(u"kůň"_s), u"nova.html"_s).encoding, TextEncoding::Utf8);
    EXPECT_EQ(resultFor(q(u"kůň"_s), u"znacka.htm"_s).encoding, TextEncoding::Utf8Bom);
}

TEST_F(FolderSearchTest, NoSubfoldersWhenNotAsked)
{
    FolderSearchOptions options;
    options.folder = m_dir.path();
    options.masks = u"*.html"_s;
    options.subfolders = false;
    std::atomic<bool> stop{false};
    QStringList files;
    FolderSearchCallbacks callbacks;
    callbacks.found = [&](FileResult&& r) {
        files << r.relativePath;
    };
    searchFolder(options, q(u"2025"_s), stop, callbacks);
    // The default size limit takes velka.html in.
    EXPECT_EQ(files, (QStringList{u"nova.html"_s, u"stara.html"_s, u"velka.html"_s}));
}

TEST_F(FolderSearchTest, StopsAtTheNextFileOnceAsked)
{
    FolderSearchOptions options;
    options.folder = m_dir.path();
    std::atomic<bool> stop{false};
    qsizetype looked = 0;
    FolderSearchCallbacks callbacks;
    callbacks.progress = [&](qsizetype n) {
        looked = n;
        stop = true;
    };
    const FolderSearchSummary summary = searchFolder(options, q(u"2025"_s), stop, callbacks);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(looked, 1);
}

TEST_F(FolderSearchTest, ReplacementChangesOnlyTheMatchedBytesInEachEncoding)
{
    // "→" is not in Windows-1250: it goes in as a character reference there.
    const SearchQuery query = q(u"kůň"_s, u"kočka→"_s, true);
    struct Case
    {
        QString file;
        QByteArray needle;
        QByteArray replacement;
    };
    const Case cases[] = {
        {u"stara.html"_s, kKunWindows, "ko\xE8ka&#8594;"_ba},
        {u"znacka.htm"_s, kKunUtf8, "ko\xC4\x8Dka\xE2\x86\x92"_ba},
    };
    for (const Case& c : cases) {
        const QByteArray before = read(c.file);
        const FileResult found = resultFor(query, c.file);
        ASSERT_FALSE(found.matches.isEmpty());
        const ReplaceOutcome outcome = replaceInFile(found, found.matches);
        ASSERT_TRUE(outcome.ok) << outcome.errorText.toStdString();
        EXPECT_EQ(outcome.replaced, found.matches.size());
        EXPECT_EQ(read(c.file), QByteArray(before).replace(c.needle, c.replacement))
            << c.file.toStdString();
    }
    // UTF-8 without a mark, LF breaks; only the chosen (second) match.
    const FileResult nova = resultFor(q(u"2025"_s, u"2026"_s), u"nova.html"_s);
    ASSERT_EQ(nova.matches.size(), 3);
    const QByteArray before = read(u"nova.html"_s);
    ASSERT_TRUE(replaceInFile(nova, {nova.matches[1]}).ok);
    QByteArray expected = before;
    expected.replace(before.indexOf("12025") + 1, 4, "2026");
    EXPECT_EQ(read(u"nova.html"_s), expected);
}

TEST_F(FolderSearchTest, RegularExpressionCapturesGoIntoTheReplacement)
{
    const FileResult stara =
        resultFor(q(u"(\\d{4}) (F\\w+)"_s, u"\\2 \\1 \\\\"_s, true, false, true), u"stara.html"_s);
    ASSERT_EQ(stara.matches.size(), 1);
    EXPECT_EQ(stara.matches[0].replacement, u"Firma 2025 \\"_s);
}

TEST_F(FolderSearchTest, FileChangedSinceTheSearchIsNotWritten)
{
    struct Case
    {
        const char* name;
        QByteArray changed;
        bool keepTime;
    };
    const QByteArray original = read(u"stara.html"_s);
    QByteArray sameSize = original;
    sameSize[sameSize.size() - 3] = 'X';
    const Case cases[] = {
        {"same size and time, other bytes", sameSize, true},
        {"longer", original + "<p></p>", false},
    };
    for (const Case& c : cases) {
        write(u"stara.html"_s, original);
        const FileResult found = resultFor(q(u"2025"_s, u"2026"_s), u"stara.html"_s);
        struct stat st
        {
        };
        ASSERT_EQ(::stat(QFile::encodeName(path(u"stara.html"_s)).constData(), &st), 0);
        write(u"stara.html"_s, c.changed);
        if (c.keepTime) {
            const timespec times[2] = {st.st_atim, st.st_mtim};
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path(u"stara.html"_s)).constData(),
                                  times, 0),
                      0);
        }
        const ReplaceOutcome outcome = replaceInFile(found, found.matches);
        EXPECT_FALSE(outcome.ok) << c.name;
        EXPECT_EQ(outcome.errorText, u"Soubor se od hledání změnil, nebyl přepsán."_s) << c.name;
        EXPECT_EQ(read(u"stara.html"_s), c.changed) << c.name;
    }
}

TEST_F(FolderSearchTest, OpenDocumentChangesAsOneUndoStep)
{
    const QByteArray bytes = read(u"stara.html"_s);
    MemoryEditor editor(decodeDocument(bytes).text);
    editor.setModified(false);
    const QString original = editor.text();
    const FileResult found = resultFor(q(u"kůň"_s, u"kočka"_s, true), u"stara.html"_s);
    const ReplaceOutcome outcome = replaceInEditor(editor, found.matches);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.replaced, 2);
    EXPECT_EQ(editor.text(), QString(original).replace(u"kůň"_s, u"kočka"_s));
    EXPECT_TRUE(editor.isModified());
    editor.undo();
    EXPECT_EQ(editor.text(), original);
    EXPECT_EQ(read(u"stara.html"_s), bytes);

    // Different replacements (captures) are one step too.
    const FileResult words =
        resultFor(q(u"(k)ůň"_s, u"\\1un"_s, true, false, true), u"stara.html"_s);
    ASSERT_TRUE(replaceInEditor(editor, {words.matches[0]}).ok);
    ASSERT_TRUE(replaceInEditor(editor, {}).ok);
    EXPECT_EQ(editor.line(0), u"<p>Žluťoučký kun</p>"_s);
}

TEST_F(FolderSearchTest, EditedOpenDocumentIsLeftAlone)
{
    MemoryEditor editor(decodeDocument(read(u"stara.html"_s)).text);
    const FileResult found = resultFor(q(u"kůň"_s, u"kočka"_s, true), u"stara.html"_s);
    editor.setSelectionStart(0);
    editor.replaceSelection(u"<!-- nový řádek -->\r\n"_s);
    const QString edited = editor.text();
    const ReplaceOutcome outcome = replaceInEditor(editor, found.matches);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.errorText.isEmpty());
    EXPECT_EQ(editor.text(), edited);
}

TEST(TextMatcherTest, RawBytesDecideWhetherAFileIsDecoded)
{
    struct Case
    {
        QString needle;
        bool matchCase;
        QByteArray bytes;
        bool mayMatch;
    };
    const Case cases[] = {
        {u"Firma"_s, true, "x Firma y"_ba, true},
        {u"Firma"_s, true, "x FIRMA y"_ba, false},
        {u"Firma"_s, false, "x fIrMa y"_ba, true},
        {u"Firma"_s, false, "x Firm"_ba, false},
        {u"kůň"_s, true, "a " + kKunWindows, true},
        {u"kůň"_s, true, "a " + kKunUtf8, true},
        {u"Kůň"_s, false, "a " + kKunUtf8, true},
        {u"kůň"_s, false, "a K\xD9\xD2"_ba, false}, // KŮŇ: only ASCII folds
        {u"2025"_s, true, "202 5"_ba, false},
    };
    for (const Case& c : cases) {
        const TextMatcher matcher(q(c.needle, {}, c.matchCase));
        EXPECT_EQ(matcher.mayMatch(c.bytes), c.mayMatch)
            << c.needle.toStdString() << " in " << c.bytes.toStdString();
    }
}

TEST(TextMatcherTest, QueriesThatCannotRunSayWhy)
{
    EXPECT_FALSE(TextMatcher(SearchQuery{}).isValid());
    EXPECT_FALSE(TextMatcher(q(u"a\nb"_s)).isValid());
    const TextMatcher broken(q(u"(a"_s, {}, false, false, true));
    EXPECT_FALSE(broken.isValid());
    EXPECT_TRUE(broken.errorText().startsWith(u"Chybný regulární výraz"_s));
}

TEST(TextMatcherTest, LongLinesShowThePartAroundTheMatch)
{
    const QString line = QString(5000, u'a') + u"kůň"_s + QString(5000, u'b');
    const TextMatcher matcher(q(u"kůň"_s, {}, true));
    const QList<TextMatch> found = matcher.findInText(line + u"\nkůň"_s, TextEncoding::Utf8, 0);
    ASSERT_EQ(found.size(), 2);
    EXPECT_LT(found[0].excerpt.size(), 400);
    EXPECT_EQ(found[0].excerpt.mid(found[0].excerptMatch, 3), u"kůň"_s);
    EXPECT_EQ(found[0].byteStart, 5000);
    EXPECT_EQ(found[0].byteLength, 5);
    EXPECT_EQ(found[1].line, 1);
    EXPECT_EQ(found[1].byteStart, 5000 + 5 + 5000 + 1);
    EXPECT_EQ(found[1].excerpt, u"kůň"_s);
}

// The lines holding a plain needle are decoded on their own: each match must
// be what a search of the whole decoded text finds, with the same line,
// column, byte range and excerpt.
TEST(TextMatcherTest, FileMatchesAreThoseOfTheWholeDecodedText)
{
    const QByteArray longLine = QByteArray(3000, 'a') + kKunUtf8 + QByteArray(3000, 'b');
    struct Case
    {
        QByteArray bytes;
        SearchQuery query;
        TextEncoding encoding; // what opening gives the bytes
        int matches;
    };
    const Case cases[] = {
        // Windows-1250 with CR LF, a lone CR and a lone LF, and no last break.
        {"<p>" + kKunWindows + "\r\n\r\nx " + kKunWindows + " " + kKunWindows + "\r" + kKunWindows +
             "\n\n\r" + kKunWindows,
         q(u"kůň"_s, {}, true), TextEncoding::Windows1250, 5},
        // UTF-8 with LF, case folded for ASCII only, whole words.
        {"\xC4\x8D"
         "FIRMA\nfirma x\n\nFirma,a firmab Firma"_ba,
         q(u"firma"_s, {}, false, true), TextEncoding::Utf8, 3},
        // A byte-order mark, characters outside the basic plane before the match.
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80 " + kKunUtf8 + "\r\n\xF0\x9F\x98\x80" + kKunUtf8 + kKunUtf8,
         q(u"kůň"_s, {}, true), TextEncoding::Utf8Bom, 3},
        // A long line shows the part around the match.
        {"x\n" + longLine + "\n" + longLine, q(u"KŮŇ"_s), TextEncoding::Utf8, 0},
        {"x\n" + longLine + "\n" + longLine, q(u"kůň"_s), TextEncoding::Utf8, 2},
        // The reference Windows-1250 writes for a character it lacks is not
        // that character.
        {"a &#8364; b \xE8"_ba, q(u"€"_s), TextEncoding::Windows1250, 0},
        {"a \xE2\x82\xAC b"_ba, q(u"€"_s), TextEncoding::Utf8, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const DetectedEncoding detected = detectDocumentEncoding(c.bytes);
        ASSERT_EQ(detected.encoding, c.encoding);
        ASSERT_EQ(detected.encoding, decodeDocument(c.bytes).encoding);
        const QByteArrayView content = QByteArrayView(c.bytes).sliced(detected.contentStart);
        const QString whole = c.encoding == TextEncoding::Windows1250 ? decodeWindows1250(content)
                                                                      : QString::fromUtf8(content);
        TextMatcher matcher(c.query);
        const QList<TextMatch> expected =
            matcher.findInText(whole, c.encoding, detected.contentStart);
        const QList<TextMatch> fromBytes = matcher.findInFile(c.bytes, detected);
        const QList<TextMatch> fromEncoding = matcher.findInFile(c.bytes, c.encoding);
        ASSERT_EQ(expected.size(), c.matches);
        ASSERT_EQ(fromBytes.size(), expected.size());
        ASSERT_EQ(fromEncoding.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            for (const TextMatch& m : {fromBytes[i], fromEncoding[i]}) {
                EXPECT_EQ(m.line, expected[i].line) << i;
                EXPECT_EQ(m.column, expected[i].column) << i;
                EXPECT_EQ(m.length, expected[i].length) << i;
                EXPECT_EQ(m.byteStart, expected[i].byteStart) << i;
                EXPECT_EQ(m.byteLength, expected[i].byteLength) << i;
                EXPECT_EQ(m.matched, expected[i].matched) << i;
                EXPECT_EQ(m.excerpt, expected[i].excerpt) << i;
                EXPECT_EQ(m.excerptMatch, expected[i].excerptMatch) << i;
                EXPECT_EQ(c.bytes.mid(m.byteStart, m.byteLength),
                          c.encoding == TextEncoding::Windows1250 ? windows(m.matched)
                                                                  : m.matched.toUtf8())
                    << i;
            }
        }
    }
}

} // namespace
} // namespace qw
