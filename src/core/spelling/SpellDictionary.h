#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace qw {

// An installed Hunspell dictionary: its name ("cs_CZ") and its two files.
struct DictionaryFiles
{
    QString name;
    QString affixFile;
    QString wordFile;
};

// The dictionaries in `folders` (each a .dic with its .aff beside it), by
// name, the first folder winning when two hold the same name.
QList<DictionaryFiles> installedDictionaries(const QStringList& folders);
// Where Debian puts Hunspell's dictionaries.
QStringList systemDictionaryFolders();

// The dictionary for a language as a page writes it ("cs", "en-US",
// "en_GB"): the one of the same language and region, else the first of the
// language (its own region first: cs_CZ for "cs"); empty when none fits.
QString dictionaryForLanguage(const QString& language, const QStringList& names);

// One Hunspell dictionary. Words go in and out as QString; the dictionary's
// own encoding is its business.
class SpellDictionary
{
public:
    // Null when the files cannot be read.
    static std::unique_ptr<SpellDictionary> open(const DictionaryFiles& files);
    ~SpellDictionary();

    const QString& name() const { return m_name; }
    bool isCorrect(const QString& word) const;
    // Corrections, the likeliest first, at most `limit`.
    QStringList suggestions(const QString& word, int limit) const;
    // The word counts as correct from now on (for this run).
    void addWord(const QString& word);

private:
    SpellDictionary() = default;
    QByteArray encode(const QString& word) const;
    QString decode(const std::string& word) const;

    QString m_name;
    std::unique_ptr<Hunspell> m_hunspell;
    QByteArray m_encoding; // empty: UTF-8
};

// The personal word list: one word a line, UTF-8.
QStringList readWordList(const QString& path);
// Adds a word at the end of the list (written whole and atomically; the
// folder is made when missing). False with `error` set when it failed.
bool appendToWordList(const QString& path, const QString& word, QString* error);

} // namespace qw
