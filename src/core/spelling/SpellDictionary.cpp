#include "core/spelling/SpellDictionary.h"

#include "core/text/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

namespace qw {

QStringList systemDictionaryFolders()
{
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell/dicts")};
}

QList<DictionaryFiles> installedDictionaries(const QStringList& folders)
{
    QList<DictionaryFiles> found;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QFileInfoList words =
            dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& dic : words) {
            const QString name = dic.completeBaseName();
            const QString aff = dir.filePath(name + QStringLiteral(".aff"));
            if (!QFileInfo::exists(aff))
                continue;
            const bool known = std::any_of(found.cbegin(), found.cend(),
                                           [&](const auto& d) { return d.name == name; });
            if (!known)
                found.append(DictionaryFiles{name, aff, dic.absoluteFilePath()});
        }
    }
    return found;
}

QString dictionaryForLanguage(const QString& language, const QStringList& names)
{
    QString wanted = language.trimmed();
    wanted.replace(u'-', u'_');
    const QString base = wanted.section(u'_', 0, 0).toLower();
    if (base.isEmpty())
        return {};
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    // The language's own country first: cs_CZ for cs, de_DE for de; English
    // has en_US for its most common one.
    const QString home = base == u"en" ? QStringLiteral("en_US") : base + u'_' + base.toUpper();
    if (names.contains(home))
        return home;
    for (const QString& name : names) {
        if (name.section(u'_', 0, 0).compare(base, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

std::unique_ptr<SpellDictionary> SpellDictionary::open(const DictionaryFiles& files)
{
    if (!QFileInfo(files.affixFile).isReadable() || !QFileInfo(files.wordFile).isReadable())
        return nullptr;
    std::unique_ptr<SpellDictionary> d(new SpellDictionary);
    d->m_name = files.name;
    d->m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(files.affixFile).constData(),
                                               QFile::encodeName(files.wordFile).constData());
    const QByteArray encoding = QByteArray::fromStdString(d->m_hunspell->get_dic_encoding());
    const QByteArray normal = encoding.toUpper().replace("-", "");
    if (normal != "UTF8")
        d->m_encoding = encoding;
    return d;
}

SpellDictionary::~SpellDictionary() = default;

QByteArray SpellDictionary::encode(const QString& word) const
{
    if (m_encoding.isEmpty())
        return word.toUtf8();
    QStringEncoder encoder(m_encoding.constData());
    if (!encoder.isValid())
        return word.toLatin1();
    return encoder.encode(word);
}

QString SpellDictionary::decode(const std::string& word) const
{
    const QByteArray bytes = QByteArray::fromStdString(word);
    if (m_encoding.isEmpty())
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(m_encoding.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

bool SpellDictionary::isCorrect(const QString& word) const
{
    return m_hunspell->spell(encode(word).toStdString());
}

QStringList SpellDictionary::suggestions(const QString& word, int limit) const
{
    QStringList out;
    for (const std::string& s : m_hunspell->suggest(encode(word).toStdString())) {
        if (out.size() >= limit)
            break;
        out.append(decode(s));
    }
    return out;
}

void SpellDictionary::addWord(const QString& word)
{
    m_hunspell->add(encode(word).toStdString());
}

QStringList readWordList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

bool appendToWordList(const QString& path, const QString& word, QString* error)
{
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    file.close();
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    bytes.append(word.trimmed().toUtf8()).append('\n');
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error != nullptr)
            *error =
                QStringLiteral("Nelze vytvořit složku %1.").arg(QFileInfo(path).absolutePath());
        return false;
    }
    const FileWriteResult result = writeFileAtomically(path, bytes);
    if (!result.ok && error != nullptr)
        *error = result.errorText;
    return result.ok;
}

} // namespace qw
