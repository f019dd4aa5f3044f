#include "app/spelling/Speller.h"

#include <QFileInfo>

namespace qw {

Speller::Speller(const QStringList& dictionaryFolders, const QString& personalListPath,
                 QObject* parent)
    : QObject(parent), m_installed(installedDictionaries(dictionaryFolders)),
      m_default(QStringLiteral("cs_CZ")), m_personalPath(personalListPath)
{
    const QStringList personal = readWordList(personalListPath);
    m_accepted = QSet<QString>(personal.cbegin(), personal.cend());
    m_pool.setMaxThreadCount(1);
}

Speller::~Speller()
{
    m_pool.waitForDone();
}

QStringList Speller::dictionaryNames() const
{
    QStringList names;
    for (const DictionaryFiles& d : m_installed)
        names.append(d.name);
    return names;
}

void Speller::setDefaultDictionary(const QString& name)
{
    if (name == m_default)
        return;
    m_default = name;
    m_byLanguage.clear();
    Q_EMIT verdictsChanged();
}

Speller::Dictionary* Speller::dictionaryFor(const QString& language)
{
    auto known = m_byLanguage.constFind(language);
    QString name;
    if (known != m_byLanguage.constEnd()) {
        name = *known;
    } else {
        name = dictionaryForLanguage(language, dictionaryNames());
        if (name.isEmpty())
            name = dictionaryForLanguage(m_default, dictionaryNames());
        m_byLanguage.insert(language, name);
    }
    if (name.isEmpty())
        return nullptr;
    auto it = m_dictionaries.find(name);
    if (it != m_dictionaries.end())
        return &*it;
    Dictionary& d = m_dictionaries[name];
    d.loading = true;
    ++m_loading;
    DictionaryFiles files;
    for (const DictionaryFiles& f : std::as_const(m_installed)) {
        if (f.name == name)
            files = f;
    }
    // Reading a dictionary takes a few tenths of a second: never in the
    // window's thread.
    m_pool.start([this, files] {
        std::shared_ptr<SpellDictionary> loaded = SpellDictionary::open(files);
        QMetaObject::invokeMethod(
            this,
            [this, name = files.name, loaded] {
                Dictionary& d = m_dictionaries[name];
                d.spell = loaded;
                d.loading = false;
                --m_loading;
                Q_EMIT verdictsChanged();
            },
            Qt::QueuedConnection);
    });
    return &d;
}

Speller::Verdict Speller::check(const QString& word, const QString& language)
{
    if (m_accepted.contains(word))
        return Verdict::Correct;
    Dictionary* d = dictionaryFor(language);
    if (d == nullptr || d->spell == nullptr)
        return Verdict::Unknown;
    auto it = d->verdicts.constFind(word);
    if (it == d->verdicts.constEnd()) {
        // A text repeats its words: each is asked of the dictionary once.
        it = d->verdicts.insert(word, d->spell->isCorrect(word));
    }
    return *it ? Verdict::Correct : Verdict::Misspelt;
}

QStringList Speller::suggestions(const QString& word, const QString& language, int limit)
{
    Dictionary* d = dictionaryFor(language);
    if (d == nullptr || d->spell == nullptr)
        return {};
    return d->spell->suggestions(word, limit);
}

bool Speller::addToPersonalList(const QString& word, QString* error)
{
    QString reason;
    if (!appendToWordList(m_personalPath, word, &reason)) {
        if (error != nullptr) {
            *error = QStringLiteral("Slovo „%1“ nelze uložit do osobního slovníku %2: %3")
                         .arg(word, m_personalPath, reason);
        }
        return false;
    }
    m_accepted.insert(word);
    Q_EMIT verdictsChanged();
    return true;
}

void Speller::ignore(const QString& word)
{
    m_accepted.insert(word);
    Q_EMIT verdictsChanged();
}

} // namespace qw
