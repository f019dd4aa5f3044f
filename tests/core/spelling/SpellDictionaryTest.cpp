#include "core/spelling/SpellDictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qw {
namespace {

using namespace Qt::StringLiterals;

TEST(SpellDictionaryChoice, LanguageOfAPageFindsItsDictionary)
{
    const QStringList names = {u"cs_CZ"_s, u"de_AT"_s, u"de_DE"_s,
                               u"en_GB"_s, u"en_US"_s, u"sk_SK"_s};
    const struct
    {
        const char* language;
        const char* expected;
    } cases[] = {{"cs", "cs_CZ"},    {"CS-cz", "cs_CZ"}, {"en", "en_US"},  {"en-GB", "en_GB"},
                 {"en_gb", "en_GB"}, {"en-AU", "en_US"}, {"de", "de_DE"},  {"de-CH", "de_DE"},
                 {"fr", ""},         {"", ""},           {" sk ", "sk_SK"}};
    for (const auto& c : cases) {
        EXPECT_EQ(dictionaryForLanguage(QString::fromUtf8(c.language), names),
                  QString::fromUtf8(c.expected))
            << c.language;
    }
    EXPECT_EQ(dictionaryForLanguage(u"de"_s, {u"de_AT"_s}), u"de_AT"_s);
}

TEST(SpellDictionaryChoice, InstalledDictionariesNeedBothFiles)
{
    QTemporaryDir first;
    QTemporaryDir second;
    auto touch = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(first.filePath(u"cs_CZ.dic"_s));
    touch(first.filePath(u"cs_CZ.aff"_s));
    touch(first.filePath(u"xx_XX.dic"_s)); // no affixes: not a dictionary
    touch(second.filePath(u"cs_CZ.dic"_s));
    touch(second.filePath(u"cs_CZ.aff"_s));
    touch(second.filePath(u"en_US.dic"_s));
    touch(second.filePath(u"en_US.aff"_s));
    const QList<DictionaryFiles> found = installedDictionaries({first.path(), second.path()});
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found.at(0).name, u"cs_CZ"_s);
    EXPECT_EQ(found.at(0).wordFile, first.filePath(u"cs_CZ.dic"_s));
    EXPECT_EQ(found.at(1).name, u"en_US"_s);
}

class RealDictionary : public ::testing::Test
{
protected:
    static std::unique_ptr<SpellDictionary> load(const QString& name)
    {
        for (const DictionaryFiles& d : installedDictionaries(systemDictionaryFolders())) {
            if (d.name == name)
                return SpellDictionary::open(d);
        }
        return nullptr;
    }
};

// The dictionaries scripts/install-deps installs; a missing one is a failure.
TEST_F(RealDictionary, CzechWordsWithAndWithoutMistakes)
{
    const auto cs = load(u"cs_CZ"_s);
    ASSERT_NE(cs, nullptr) << "hunspell-cs is not installed";
    for (const QString& w : {u"příliš"_s, u"kůň"_s, u"úpěl"_s, u"ďábelské"_s, u"ódy"_s,
                             u"obrázek"_s, u"Příliš"_s, u"žluťoučký"_s})
        EXPECT_TRUE(cs->isCorrect(w)) << w.toStdString();
    for (const QString& w :
         {u"obrázk"_s, u"žlutoučký"_s, u"příiš"_s, u"kúň"_s, u"prilis"_s, u"ďáblské"_s})
        EXPECT_FALSE(cs->isCorrect(w)) << w.toStdString();
    EXPECT_TRUE(cs->suggestions(u"obrázk"_s, 5).contains(u"obrázek"_s))
        << cs->suggestions(u"obrázk"_s, 5).join(u',').toStdString();
    EXPECT_LE(cs->suggestions(u"prilis"_s, 5).size(), 5);
    EXPECT_TRUE(cs->suggestions(u"prilis"_s, 5).contains(u"příliš"_s));

    cs->addWord(u"Quenwick"_s);
    EXPECT_TRUE(cs->isCorrect(u"Quenwick"_s));
}

TEST_F(RealDictionary, EnglishWordsAreNotCzech)
{
    const auto en = load(u"en_US"_s);
    const auto cs = load(u"cs_CZ"_s);
    ASSERT_NE(en, nullptr) << "hunspell-en-us is not installed";
    ASSERT_NE(cs, nullptr);
    EXPECT_TRUE(en->isCorrect(u"weather"_s));
    EXPECT_FALSE(cs->isCorrect(u"weather"_s));
    EXPECT_FALSE(en->isCorrect(u"počasí"_s));
    EXPECT_TRUE(en->suggestions(u"wether"_s, 5).contains(u"weather"_s));
}

TEST(PersonalWordList, WordsAddedAreReadBackAsUtf8Lines)
{
    QTemporaryDir home;
    const QString path = home.filePath(u"Quenwick/slova.txt"_s);
    EXPECT_TRUE(readWordList(path).isEmpty());
    QString error;
    ASSERT_TRUE(appendToWordList(path, u"Křižíkova"_s, &error)) << error.toStdString();
    ASSERT_TRUE(appendToWordList(path, u"Quenwick"_s, &error));
    EXPECT_EQ(readWordList(path), (QStringList{u"Křižíkova"_s, u"Quenwick"_s}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("K\xC5\x99i\xC5\xBE\xC3\xADkova\nQuenwick\n"));

    // A folder in the way of the file: the word is refused with a reason.
    const QString blocked = home.filePath(u"jiny"_s);
    ASSERT_TRUE(QDir().mkpath(blocked + u"/slova.txt"_s));
    EXPECT_FALSE(appendToWordList(blocked + u"/slova.txt"_s, u"slovo"_s, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace qw
