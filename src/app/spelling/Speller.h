#pragma once

#include "core/spelling/SpellDictionary.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>

#include <memory>

namespace qw {

// The verdicts on words for every editor: the installed dictionaries (each
// read in the background on first use, so no window waits for one), the
// personal word list and the words ignored for this run.
class Speller : public QObject
{
    Q_OBJECT
public:
    enum class Verdict { Correct, Misspelt, Unknown };

    Speller(const QStringList& dictionaryFolders, const QString& personalListPath,
            QObject* parent = nullptr);
    ~Speller() override;

    QStringList dictionaryNames() const;
    const QList<DictionaryFiles>& installed() const { return m_installed; }
    // The dictionary of words whose page names no language it has.
    void setDefaultDictionary(const QString& name);
    const QString& defaultDictionary() const { return m_default; }

    // Unknown while the word's dictionary is being read, or when there is
    // none for its language.
    Verdict check(const QString& word, const QString& language);
    QStringList suggestions(const QString& word, const QString& language, int limit);
    // Into the personal list for good; false with a Czech reason on failure.
    bool addToPersonalList(const QString& word, QString* error);
    void ignore(const QString& word);
    bool isLoading() const { return m_loading > 0; }
    const QString& personalListPath() const { return m_personalPath; }

Q_SIGNALS:
    // Verdicts may differ from before: a dictionary arrived, a word was
    // added or ignored, another default was chosen.
    void verdictsChanged();

private:
    struct Dictionary
    {
        std::shared_ptr<SpellDictionary> spell; // null while loading or unreadable
        QHash<QString, bool> verdicts;
        bool loading = false;
    };
    Dictionary* dictionaryFor(const QString& language);

    QList<DictionaryFiles> m_installed;
    QString m_default;
    QString m_personalPath;
    QSet<QString> m_accepted; // personal and ignored words
    QHash<QString, Dictionary> m_dictionaries;
    QHash<QString, QString> m_byLanguage;
    QThreadPool m_pool;
    int m_loading = 0;
};

} // namespace qw
