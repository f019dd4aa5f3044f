#include "core/settings/IniFile.h"

#include "FileBytes.h"
#include "ResourceLimit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

using test::readBytes;
using test::writeBytes;

class IniFileTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(u"html.dat"_s); }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, ParsesSectionsKeysAndValues)
{
    ASSERT_TRUE(writeBytes(path(), "; a comment = not a key\r\n"
                                   "orphan=before any section\r\n"
                                   "[Main]\r\n"
                                   "  Name  =  padded value  \r\n"
                                   "Filter=HTML (*.htm)|*.htm;*.html|\r\n"
                                   "Expr=a=b=c\r\n"
                                   "just some words\r\n"
                                   "=no key\r\n"
                                   "Empty=\r\n"
                                   "name=second of a doubled key\r\n"
                                   "  [ Other ]  \r\n"
                                   "k=v\n"
                                   "[Broken\r\n"
                                   "last=no line break"));
    const IniFile ini(path());
    struct Case
    {
        QString section;
        QString key;
        bool exists;
        QString value;
    };
    const Case cases[] = {
        {u"Main"_s, u"Name"_s, true, u"padded value"_s},
        {u"MAIN"_s, u"nAmE"_s, true, u"padded value"_s}, // first of doubled keys, any case
        {u"main"_s, u"Filter"_s, true, u"HTML (*.htm)|*.htm;*.html|"_s},
        {u"Main"_s, u"Expr"_s, true, u"a=b=c"_s},
        {u"Main"_s, u"Empty"_s, true, u""_s},
        {u"Main"_s, u"just some words"_s, false, u"-"_s},
        {u"Main"_s, u"; a comment"_s, false, u"-"_s},
        {u"Main"_s, u"orphan"_s, false, u"-"_s},
        {u"Other"_s, u"k"_s, true, u"v"_s},
        // "[Broken" is no section line and holds no "=": its keys stay in Other.
        {u"Other"_s, u"last"_s, true, u"no line break"_s},
        {u"Broken"_s, u"last"_s, false, u"-"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.section + u'/' + c.key).toStdString());
        EXPECT_EQ(ini.valueExists(c.section, c.key), c.exists);
        EXPECT_EQ(ini.readString(c.section, c.key, u"-"_s), c.value);
    }
    EXPECT_EQ(ini.readSection(u"MAIN"),
              (QStringList{u"Name"_s, u"Filter"_s, u"Expr"_s, u"Empty"_s, u"name"_s}));
    EXPECT_TRUE(ini.sectionExists(u"other"));
    EXPECT_FALSE(ini.sectionExists(u"Broken"));
    EXPECT_TRUE(ini.readSection(u"Missing").isEmpty());
}

TEST_F(IniFileTest, DecodesWindows1250AndMatchesCzechNamesInAnyCase)
{
    // "Šablona" and "příliš" in Windows-1250.
    ASSERT_TRUE(writeBytes(path(), "[\x8A"
                                   "ablona]\r\nkl\xED\xE8=p\xF8\xEDli\x9A\r\n"));
    const IniFile ini(path());
    EXPECT_EQ(ini.readString(u"šablona", u"KLÍČ"), u"příliš"_s);
}

TEST_F(IniFileTest, AKeyHoldingACarriageReturnIsFoundUnderTheNameItIsListedWith)
{
    // Only LF ends a line, so a lone CR inside a key is part of it.
    ASSERT_TRUE(writeBytes(path(), "[S\rT]\r\nk\r;x=1\r\n"));
    IniFile ini(path());
    ASSERT_EQ(ini.sectionNames(), QStringList{u"S\rT"_s});
    ASSERT_EQ(ini.readSection(u"S\rT"), QStringList{u"k\r;x"_s});
    EXPECT_EQ(ini.readString(u"S\rT", u"k\r;x"), u"1"_s);
    // A write names it as it would store the name: with a blank for the CR.
    ASSERT_TRUE(ini.writeString(u"S\rT", u"k\r;x", u"2"));
    EXPECT_EQ(readBytes(path()), QByteArray("[S\rT]\r\nk\r;x=2\r\n"));
    EXPECT_EQ(IniFile(path()).readString(u"S T", u"k ;x"), u"2"_s);
}

TEST_F(IniFileTest, OnlyAsciiBlanksPadKeysAndValues)
{
    // Byte A0 is the no-break space of Windows-1250: content at either end.
    ASSERT_TRUE(writeBytes(path(), "[S]\r\n\tnb = \xA0x\xA0 \t\r\n"));
    const IniFile ini(path());
    EXPECT_EQ(ini.readString(u"S", u"nb"), u"\u00A0x\u00A0"_s);
}

TEST_F(IniFileTest, ReadsNumbersAndFlagsWithDefaults)
{
    ASSERT_TRUE(writeBytes(path(), "[S]\nzero=0\none=1\nminus=-7\nbig=12345678901\n"
                                   "word=yes\nempty=\nspaced= 42 \nhex=$10\n"));
    const IniFile ini(path());
    struct Case
    {
        QString key;
        int integer; // with default 99
        bool flagWithFalse;
        bool flagWithTrue;
    };
    const Case cases[] = {
        {u"zero"_s, 0, false, false}, {u"one"_s, 1, true, true},      {u"minus"_s, -7, true, true},
        {u"big"_s, 99, true, true}, // a number, but no int
        {u"word"_s, 99, false, true}, {u"empty"_s, 99, false, true},  {u"spaced"_s, 42, true, true},
        {u"hex"_s, 99, false, true},  {u"absent"_s, 99, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        EXPECT_EQ(ini.readInteger(u"S", c.key, 99), c.integer);
        EXPECT_EQ(ini.readBool(u"S", c.key, false), c.flagWithFalse);
        EXPECT_EQ(ini.readBool(u"S", c.key, true), c.flagWithTrue);
    }
}

TEST_F(IniFileTest, ListsEndAtTheFirstGap)
{
    ASSERT_TRUE(writeBytes(path(), "[FILTRY]\nfiltr1=b\nFILTR0=a\nfiltr3=d\nfiltr01=x\n"));
    const IniFile ini(path());
    EXPECT_EQ(ini.readList(u"filtry", u"filtr"), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_TRUE(ini.readList(u"none", u"filtr").isEmpty());
}

TEST_F(IniFileTest, WritesInPlaceAndKeepsEverythingElseByteForByte)
{
    const QByteArray before = "; styles of the colouring\r\n"
                              "\r\n"
                              "[HTMLKEYWORD]\r\n"
                              "  Fore = clNavy\r\n"
                              "bold=1\r\n"
                              "; trailing note\r\n"
                              "\r\n"
                              "[Unknown]\r\n"
                              "x=\x9A\x81\xFF raw bytes\r\n";
    ASSERT_TRUE(writeBytes(path(), before));
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"htmlkeyword", u"fore", u"clRed"));
    ASSERT_TRUE(ini.writeBool(u"HTMLKEYWORD", u"italic", true));
    ASSERT_TRUE(ini.writeInteger(u"TBEDIT", u"LEFT", -5));

    EXPECT_EQ(readBytes(path()), QByteArray("; styles of the colouring\r\n"
                                            "\r\n"
                                            "[HTMLKEYWORD]\r\n"
                                            "  Fore =clRed\r\n"
                                            "bold=1\r\n"
                                            "italic=1\r\n"
                                            "; trailing note\r\n"
                                            "\r\n"
                                            "[Unknown]\r\n"
                                            "x=\x9A\x81\xFF raw bytes\r\n"
                                            "\r\n"
                                            "[TBEDIT]\r\n"
                                            "LEFT=-5\r\n"));
    EXPECT_EQ(ini.readSection(u"HTMLKEYWORD"), (QStringList{u"Fore"_s, u"bold"_s, u"italic"_s}));
}

// The writer keeps its index up to date as it changes lines; after any run of
// writes it must see exactly what a fresh reader of the file sees.
TEST_F(IniFileTest, AWriterSeesWhatAFreshReaderSees)
{
    ASSERT_TRUE(writeBytes(path(), "[B]\r\nb0=x\r\n; note\r\n[A]\r\na=1\r\n[b]\r\nb1=y\r\n"
                                   "\r\n[C]\r\n"));
    IniFile ini(path());
    auto view = [](const IniFile& f) {
        QStringList lines;
        for (const QString& section : f.sectionNames()) {
            lines << u'[' + section + u']';
            for (const QString& key : f.readSection(section))
                lines << key + u'=' + f.readString(section, key);
        }
        return lines;
    };
    {
        IniFile::Batch batch(ini);
        ini.writeString(u"a", u"new", u"  padded  ");
        ini.writeString(u"B", u"b0", u"changed");
        ini.writeString(u"B", u"b2", u"after the second [b]");
        ini.writeString(u"c", u"c0", u"č");
        ini.writeString(u"D", u"d0", u"new section");
        ini.writeString(u"A", u"NEW", u"again");
        ini.writeString(u"B", u"b3", u"last");
        const QStringList duringBatch = view(ini);
        ASSERT_TRUE(batch.commit());
        EXPECT_EQ(duringBatch, view(IniFile(path())));
    }
    ini.eraseSection(u"A");
    ini.writeString(u"C", u"c1", u"x");
    ini.writeString(u"A", u"a", u"back");
    EXPECT_EQ(view(ini), view(IniFile(path())));
    EXPECT_EQ(view(ini),
              (QStringList{u"[B]"_s, u"b0=changed"_s, u"b1=y"_s, u"b2=after the second [b]"_s,
                           u"b3=last"_s, u"[C]"_s, u"c0=č"_s, u"c1=x"_s, u"[D]"_s,
                           u"d0=new section"_s, u"[A]"_s, u"a=back"_s}));
}

TEST_F(IniFileTest, FollowsTheLineBreaksOfTheFileAndEndsAnUnfinishedLastLine)
{
    ASSERT_TRUE(writeBytes(path(), "[A]\nk=v"));
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"A", u"n", u"w"));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\nk=v\nn=w\n"));
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndTheFirstWriteCreatesIt)
{
    IniFile ini(path());
    EXPECT_FALSE(ini.sectionExists(u"A"));
    EXPECT_EQ(ini.readString(u"A", u"k", u"default"_s), u"default"_s);
    ASSERT_TRUE(ini.writeString(u"A", u"k", u"příliš"));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\r\nk=p\xF8\xEDli\x9A\r\n"));

    IniFile noFolder(m_dir.filePath(u"missing/html.dat"_s));
    EXPECT_FALSE(noFolder.writeString(u"A", u"k", u"v"));
    EXPECT_FALSE(QDir(m_dir.filePath(u"missing"_s)).exists());
    EXPECT_FALSE(noFolder.valueExists(u"A", u"k"));
}

TEST_F(IniFileTest, NeverWritesOverWhatItCouldNotRead)
{
    // A folder and a pipe stand where the file should be: both read as
    // empty without blocking, and nothing is written in their place.
    const QString folder = m_dir.filePath(u"folder.dat"_s);
    const QString pipe = m_dir.filePath(u"pipe.dat"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {folder, pipe}) {
        SCOPED_TRACE(path.toStdString());
        IniFile ini(path);
        EXPECT_FALSE(ini.sectionExists(u"A"));
        EXPECT_FALSE(ini.writeString(u"A", u"k", u"v"));
        EXPECT_FALSE(ini.eraseSection(u"A"));
        EXPECT_FALSE(QFileInfo(path).isFile());
    }

    // A plain file that could not be opened (here for want of a free file
    // descriptor, which no one escapes, the superuser included) is not taken
    // for an empty one: while it is unchanged, nothing is written over it.
    ASSERT_TRUE(writeBytes(path(), "[A]\r\nk=secret\r\n"));
    IniFile ini(path());
    {
        const auto noFiles = test::ResourceLimit::noMoreOpenFiles();
        ASSERT_TRUE(noFiles.isSet());
        EXPECT_FALSE(ini.valueExists(u"A", u"k"));
    }
    EXPECT_FALSE(ini.writeString(u"A", u"other", u"v"));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\r\nk=secret\r\n"));
}

TEST_F(IniFileTest, RefusesTextsThatWouldForgeOtherLines)
{
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"A", u"k", u"one\r\n[B]\r\nx=y"));
    EXPECT_FALSE(ini.sectionExists(u"B"));
    EXPECT_EQ(ini.readString(u"A", u"k"), u"one  [B]  x=y"_s);
    EXPECT_FALSE(ini.writeString(u"A", u"a=b", u"v"));
    EXPECT_FALSE(ini.writeString(u"A", u"", u"v"));
    EXPECT_FALSE(ini.writeString(u"A", u"[B", u"x]")); // would read as a section line
    EXPECT_FALSE(ini.writeString(u"A", u"; note", u"v"));
    EXPECT_FALSE(ini.writeString(u"A]x", u"k", u"v"));
    EXPECT_EQ(ini.readSection(u"A"), QStringList{u"k"_s});
}

TEST_F(IniFileTest, NamesAreFoundAgainUnderTheNameTheyWereWrittenWith)
{
    // Names the file cannot hold as given: padding, a character outside
    // Windows-1250 (written as a reference), a line break, and a no-break
    // space, which the reader keeps as content. The file shows how each is
    // stored (Windows-1250 bytes).
    const struct
    {
        QString section, key;
        QByteArray file;
    } cases[] = {
        {u"  Okraje "_s, u"\tklíč "_s, "[Okraje]\r\nkl\xED\xE8=v\r\n"},
        {u"Smajlík 😀"_s, u"a😀"_s, "[Smajl\xEDk &#128512;]\r\na&#128512;=v\r\n"},
        {u"Dva\nřádky"_s, u"k\r"_s, "[Dva \xF8\xE1\x64ky]\r\nk=v\r\n"},
        {u"Mezera\u00A0"_s, u"\u00A0k"_s, "[Mezera\xA0]\r\n\xA0k=v\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        QFile::remove(path());
        IniFile ini(path());
        ASSERT_TRUE(ini.writeString(c.section, c.key, u"v"));
        EXPECT_EQ(readBytes(path()), c.file);
        ASSERT_TRUE(ini.writeList(c.section, c.key, {u"l0"_s}));
        const IniFile fresh(path());
        const IniFile& writer = ini;
        for (const IniFile* reader : {&writer, &fresh}) {
            EXPECT_EQ(reader->readString(c.section, c.key), u"v"_s);
            EXPECT_EQ(reader->readList(c.section, c.key), QStringList{u"l0"_s});
            EXPECT_EQ(reader->sectionNames().size(), 1);
        }
    }
}

TEST_F(IniFileTest, EveryReadSeesWritesOfOtherWriters)
{
    IniFile first(path());
    IniFile second(path());
    EXPECT_FALSE(second.valueExists(u"A", u"k")); // second now holds the file as missing
    ASSERT_TRUE(first.writeString(u"A", u"k", u"one"));
    EXPECT_EQ(second.readString(u"A", u"k"), u"one"_s);
    ASSERT_TRUE(second.writeString(u"A", u"k", u"two"));
    EXPECT_EQ(first.readString(u"A", u"k"), u"two"_s);

    // Another program rewriting the file in place with the same size: only
    // the modification time tells.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(writeBytes(path(), "[A]\r\nk=six\r\n"));
    EXPECT_EQ(first.readString(u"A", u"k"), u"six"_s);
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_FALSE(first.sectionExists(u"A"));
}

TEST_F(IniFileTest, WriteReplacesTheFileAtomically)
{
    ASSERT_TRUE(writeBytes(path(), "[A]\r\nk=old\r\n"));
    QFile held(path());
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"A", u"k", u"new"));
    // A reader that opened the file before keeps the whole old file; the path
    // names the whole new one; no temporary file is left beside it.
    EXPECT_EQ(held.readAll(), QByteArray("[A]\r\nk=old\r\n"));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\r\nk=new\r\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"html.dat"_s});
}

TEST_F(IniFileTest, EraseSectionRemovesEveryOccurrenceAndItsKeysOnly)
{
    ASSERT_TRUE(writeBytes(path(), "[BROWSER]\r\nbrowser0=a|/a\r\nbrowser1=b|/b\r\n\r\n"
                                   "; the filters\r\n[FILTRY]\r\nfiltr0=x\r\n"
                                   "[browser]\r\nbrowser2=c|/c\r\n"));
    IniFile ini(path());
    ASSERT_TRUE(ini.eraseSection(u"Browser"));
    EXPECT_FALSE(ini.sectionExists(u"BROWSER"));
    EXPECT_EQ(readBytes(path()), QByteArray("\r\n; the filters\r\n[FILTRY]\r\nfiltr0=x\r\n"));
    EXPECT_TRUE(ini.eraseSection(u"absent"));

    // A shortened list written after the erase does not grow back.
    ASSERT_TRUE(ini.writeList(u"FILTRY", u"filtr", {u"1"_s, u"2"_s}));
    ASSERT_TRUE(ini.eraseSection(u"FILTRY"));
    ASSERT_TRUE(ini.writeList(u"FILTRY", u"filtr", {u"only"_s}));
    EXPECT_EQ(ini.readList(u"FILTRY", u"filtr"), QStringList{u"only"_s});
}

TEST_F(IniFileTest, AListWrittenOutsideABatchReachesTheDisk)
{
    IniFile ini(path());
    ASSERT_TRUE(ini.writeList(u"FILTRY", u"filtr", {u"*.html"_s, u"*.css"_s}));
    EXPECT_EQ(readBytes(path()), QByteArray("[FILTRY]\r\nfiltr0=*.html\r\nfiltr1=*.css\r\n"));
    EXPECT_EQ(IniFile(path()).readList(u"FILTRY", u"filtr"),
              (QStringList{u"*.html"_s, u"*.css"_s}));
}

TEST_F(IniFileTest, BatchWritesOnceAtTheEndAndReadsItsOwnWrites)
{
    IniFile ini(path());
    IniFile other(path());
    {
        IniFile::Batch batch(ini);
        ASSERT_TRUE(ini.writeString(u"A", u"k", u"1"));
        ASSERT_TRUE(ini.writeList(u"L", u"item", {u"x"_s, u"y"_s}));
        EXPECT_EQ(ini.readList(u"L", u"item"), (QStringList{u"x"_s, u"y"_s}));
        EXPECT_FALSE(QFile::exists(path()));
        EXPECT_TRUE(batch.commit());
        EXPECT_TRUE(batch.commit()); // a second commit writes nothing more
    }
    EXPECT_EQ(other.readString(u"A", u"k"), u"1"_s);
    EXPECT_EQ(other.readList(u"L", u"item"), (QStringList{u"x"_s, u"y"_s}));

    IniFile lost(m_dir.filePath(u"missing/x.dat"_s));
    IniFile::Batch failing(lost);
    ASSERT_TRUE(lost.writeString(u"A", u"k", u"v"));
    EXPECT_FALSE(failing.commit());
    EXPECT_FALSE(lost.valueExists(u"A", u"k")); // what did not reach the disk is not shown
}

} // namespace
} // namespace qw
