#include "core/settings/IniFile.h"

#include "core/text/AtomicFileWriter.h"
#include "core/text/Windows1250.h"

#include <QFile>

#include <sys/stat.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// Line breaks inside a written text would start a new line of the file and
// so forge keys or sections; they become blanks.
QString oneLine(QStringView text)
{
    QString s = text.toString();
    for (QChar& c : s) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return s;
}

// A section or key name as a write stores it and a later read of the file
// sees it: on one line, without the ASCII blanks at its ends (the reader
// trims only those), and with any character Windows-1250 lacks written as a
// reference. Looking names up through the same form finds what was written
// under a name such as "a😀" or " a".
QString storedName(QStringView name)
{
    return decodeWindows1250(QByteArrayView(encodeWindows1250(oneLine(name))).trimmed());
}

QString folded(QStringView name)
{
    return storedName(name).toCaseFolded();
}

// The same for a name read from the file, which is already decoded and
// trimmed but may hold a lone CR (only LF ends a line): the CR is looked up
// as the blank a write would have made of it.
QString foldedFromFile(const QString& name)
{
    return oneLine(name).toCaseFolded();
}

QByteArrayView withoutBreak(const QByteArray& line)
{
    QByteArrayView v(line);
    if (v.endsWith('\n'))
        v.chop(1);
    if (v.endsWith('\r'))
        v.chop(1);
    return v;
}

bool hasBreak(const QByteArray& line)
{
    return line.endsWith('\n');
}

} // namespace

struct IniFile::Parsed
{
    struct Entry
    {
        QString key;
        QString value;
        int line = 0;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
        QHash<QString, int> keyIndex; // folded key -> first entry of that key
        // Per occurrence of the section's header: its line and the last line
        // that belongs to it (its last key, or the header itself).
        QList<std::pair<int, int>> ranges;
    };

    // The file's lines, each with its own line break (the last may have none),
    // so that everything a write does not touch goes back byte for byte.
    QList<QByteArray> lines;
    QByteArray lineBreak = QByteArrayLiteral("\r\n");
    QList<Section> sections;
    QHash<QString, int> sectionIndex; // folded name -> section
    // The file is there but could not be read: writing would replace
    // content we never saw.
    bool unreadable = false;

    void setBytes(const QByteArray& bytes)
    {
        lines.clear();
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            end = end < 0 ? bytes.size() : end + 1;
            lines.append(bytes.mid(start, end - start));
            start = end;
        }
        for (const QByteArray& line : std::as_const(lines)) {
            if (hasBreak(line)) {
                lineBreak =
                    line.endsWith("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
                break;
            }
        }
        reindex();
    }

    QByteArray bytes() const
    {
        QByteArray out;
        qsizetype size = 0;
        for (const QByteArray& line : lines)
            size += line.size();
        out.reserve(size);
        for (const QByteArray& line : lines)
            out += line;
        return out;
    }

    // Keys and values lose the ASCII blanks at their ends only: a character
    // such as the no-break space (byte A0) is content, not padding.
    void reindex()
    {
        sections.clear();
        sectionIndex.clear();
        Section* current = nullptr;
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArrayView raw = withoutBreak(lines[i]).trimmed();
            if (raw.isEmpty() || raw.startsWith(';'))
                continue;
            if (raw.startsWith('[') && raw.endsWith(']')) {
                const QString name = decodeWindows1250(raw.sliced(1, raw.size() - 2).trimmed());
                const QString key = foldedFromFile(name);
                auto it = sectionIndex.constFind(key);
                int index = 0;
                if (it == sectionIndex.constEnd()) {
                    index = int(sections.size());
                    sections.append(Section{name, {}, {}, {}});
                    sectionIndex.insert(key, index);
                } else {
                    index = it.value();
                }
                current = &sections[index];
                current->ranges.append({i, i});
                continue;
            }
            const qsizetype eq = raw.indexOf('=');
            if (eq < 0 || current == nullptr)
                continue;
            const QString key = decodeWindows1250(raw.first(eq).trimmed());
            if (key.isEmpty())
                continue;
            const QString value = decodeWindows1250(raw.sliced(eq + 1).trimmed());
            // The first of two equal keys is the one that counts.
            const QString foldedKey = foldedFromFile(key);
            if (!current->keyIndex.contains(foldedKey))
                current->keyIndex.insert(foldedKey, int(current->entries.size()));
            current->entries.append(Entry{key, value, i});
            current->ranges.last().second = i;
        }
    }

    const Section* section(QStringView name) const
    {
        const auto it = sectionIndex.constFind(folded(name));
        return it == sectionIndex.constEnd() ? nullptr : &sections[it.value()];
    }

    const Entry* entry(QStringView sectionName, QStringView key) const
    {
        const Section* s = section(sectionName);
        if (s == nullptr)
            return nullptr;
        const auto it = s->keyIndex.constFind(folded(key));
        return it == s->keyIndex.constEnd() ? nullptr : &s->entries[it.value()];
    }

    // Puts a line before line number at, moving what follows down by one.
    void insertLine(int at, const QByteArray& line)
    {
        lines.insert(at, line);
        for (Section& s : sections) {
            for (Entry& e : s.entries) {
                if (e.line >= at)
                    ++e.line;
            }
            for (auto& [first, last] : s.ranges) {
                if (first >= at)
                    ++first;
                if (last >= at)
                    ++last;
            }
        }
    }

    // Gives the line a break before another line is put after it.
    void terminate(int line)
    {
        if (!hasBreak(lines[line]))
            lines[line] += lineBreak;
    }
};

IniFile::IniFile(QString path) : m_path(std::move(path)), m_nativePath(QFile::encodeName(m_path))
{}

IniFile::~IniFile() = default;

IniFile::Signature IniFile::currentSignature() const
{
    Signature sig;
    struct stat st
    {
    };
    if (::stat(m_nativePath.constData(), &st) != 0)
        return sig;
    sig.exists = true;
    sig.regular = S_ISREG(st.st_mode);
    sig.size = st.st_size;
    sig.mtimeSec = st.st_mtim.tv_sec;
    sig.mtimeNsec = st.st_mtim.tv_nsec;
    sig.inode = st.st_ino;
    sig.device = st.st_dev;
    return sig;
}

const IniFile::Parsed& IniFile::fresh() const
{
    // Inside a batch the cache holds writes that are not on disk yet.
    if (m_loaded && m_batchDepth > 0)
        return *m_parsed;
    const Signature sig = currentSignature();
    if (m_loaded && sig == m_signature)
        return *m_parsed;
    // The signature is taken before reading: a change made while we read
    // shows as a different signature at the next call and is read then.
    auto parsed = std::make_unique<Parsed>();
    if (sig.exists) {
        // Only a plain file is opened: a pipe would block the window.
        QFile file(m_path);
        QByteArray bytes;
        if (sig.regular && file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (file.isOpen() && file.error() == QFileDevice::NoError)
            parsed->setBytes(bytes);
        else
            parsed->unreadable = true;
    }
    m_parsed = std::move(parsed);
    m_signature = sig;
    m_loaded = true;
    return *m_parsed;
}

IniFile::Parsed& IniFile::forWrite()
{
    fresh();
    return *m_parsed;
}

bool IniFile::flush()
{
    if (m_batchDepth > 0) {
        m_dirty = true;
        return true;
    }
    m_dirty = false;
    const FileWriteResult result = writeFileAtomically(m_path, m_parsed->bytes());
    if (!result.ok) {
        // The cache holds what is not on disk; drop it so that reads show
        // the file as it is.
        m_loaded = false;
        return false;
    }
    m_signature = currentSignature();
    return true;
}

bool IniFile::setValue(QStringView sectionName, QStringView keyName, QStringView valueText)
{
    // The texts as a later read of the file will see them.
    const QString storedSection = storedName(sectionName);
    const QString readKey = storedName(keyName);
    // Such names could never be read back as written.
    if (storedSection.isEmpty() || readKey.isEmpty() || readKey.contains(u'=') ||
        readKey.startsWith(u'[') || readKey.startsWith(u';') || storedSection.contains(u']'))
        return false;
    const QByteArray sectionBytes = encodeWindows1250(storedSection);
    const QByteArray keyBytes = encodeWindows1250(readKey);
    const QByteArray value = encodeWindows1250(oneLine(valueText));
    const QString readValue = decodeWindows1250(QByteArrayView(value).trimmed());

    // The index is updated along with the lines rather than rebuilt, so that
    // a run of writes in a batch does not decode the whole file each time.
    Parsed& p = forWrite();
    if (p.unreadable)
        return false;
    const auto found = p.sectionIndex.constFind(storedSection.toCaseFolded());
    if (found != p.sectionIndex.constEnd()) {
        Parsed::Section& s = p.sections[found.value()];
        const auto it = s.keyIndex.constFind(readKey.toCaseFolded());
        if (it != s.keyIndex.constEnd()) {
            // In place, keeping the key as the file spells it.
            Parsed::Entry& entry = s.entries[it.value()];
            QByteArray& line = p.lines[entry.line];
            const QByteArray ending =
                hasBreak(line) ? line.sliced(withoutBreak(line).size()) : QByteArray();
            line = line.first(line.indexOf('=') + 1) + value + ending;
            entry.value = readValue;
        } else {
            const int after = s.ranges.last().second;
            p.terminate(after);
            p.insertLine(after + 1, keyBytes + '=' + value + p.lineBreak);
            s.keyIndex.insert(readKey.toCaseFolded(), int(s.entries.size()));
            s.entries.append(Parsed::Entry{readKey, readValue, after + 1});
            s.ranges.last().second = after + 1;
        }
        return true;
    }
    if (!p.lines.isEmpty()) {
        p.terminate(int(p.lines.size()) - 1);
        if (!withoutBreak(p.lines.last()).trimmed().isEmpty())
            p.lines.append(p.lineBreak);
    }
    const int header = int(p.lines.size());
    p.lines.append('[' + sectionBytes + ']' + p.lineBreak);
    p.lines.append(keyBytes + '=' + value + p.lineBreak);
    Parsed::Section added;
    added.name = storedSection;
    added.entries.append(Parsed::Entry{readKey, readValue, header + 1});
    added.keyIndex.insert(readKey.toCaseFolded(), 0);
    added.ranges.append({header, header + 1});
    p.sectionIndex.insert(added.name.toCaseFolded(), int(p.sections.size()));
    p.sections.append(std::move(added));
    return true;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& defaultValue) const
{
    const Parsed::Entry* e = fresh().entry(section, key);
    return e == nullptr ? defaultValue : e->value;
}

bool IniFile::writeString(QStringView section, QStringView key, QStringView value)
{
    if (!setValue(section, key, value))
        return false;
    return flush();
}

bool IniFile::readBool(QStringView section, QStringView key, bool defaultValue) const
{
    const Parsed::Entry* e = fresh().entry(section, key);
    if (e == nullptr)
        return defaultValue;
    bool ok = false;
    const qlonglong n = e->value.toLongLong(&ok, 10);
    return ok ? n != 0 : defaultValue;
}

bool IniFile::writeBool(QStringView section, QStringView key, bool value)
{
    return writeString(section, key, value ? u"1" : u"0");
}

int IniFile::readInteger(QStringView section, QStringView key, int defaultValue) const
{
    const Parsed::Entry* e = fresh().entry(section, key);
    if (e == nullptr)
        return defaultValue;
    bool ok = false;
    const int n = e->value.toInt(&ok, 10);
    return ok ? n : defaultValue;
}

bool IniFile::writeInteger(QStringView section, QStringView key, int value)
{
    return writeString(section, key, QString::number(value));
}

std::optional<QString> IniFile::findValue(QStringView section, QStringView key) const
{
    const Parsed::Entry* e = fresh().entry(section, key);
    return e == nullptr ? std::nullopt : std::optional<QString>(e->value);
}

bool IniFile::valueExists(QStringView section, QStringView key) const
{
    return fresh().entry(section, key) != nullptr;
}

bool IniFile::sectionExists(QStringView section) const
{
    return fresh().section(section) != nullptr;
}

QStringList IniFile::readSection(QStringView section) const
{
    QStringList keys;
    const Parsed::Section* s = fresh().section(section);
    if (s == nullptr)
        return keys;
    keys.reserve(s->entries.size());
    for (const Parsed::Entry& e : s->entries)
        keys.append(e.key);
    return keys;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Parsed::Section& s : fresh().sections)
        names.append(s.name);
    return names;
}

QStringList IniFile::readList(QStringView section, QStringView prefix) const
{
    QStringList entries;
    const Parsed& p = fresh();
    const Parsed::Section* s = p.section(section);
    if (s == nullptr)
        return entries;
    for (int n = 0;; ++n) {
        const auto it = s->keyIndex.constFind(folded(prefix.toString() + QString::number(n)));
        if (it == s->keyIndex.constEnd())
            return entries;
        entries.append(s->entries[it.value()].value);
    }
}

bool IniFile::writeList(QStringView section, QStringView prefix, const QStringList& entries)
{
    Batch batch(*this);
    bool ok = true;
    bool changed = false;
    for (int n = 0; n < entries.size(); ++n) {
        const bool set = setValue(section, prefix.toString() + QString::number(n), entries[n]);
        changed = changed || set;
        ok = set && ok;
    }
    // Inside the batch this only marks the file, so that the commit writes it.
    if (changed)
        flush();
    return batch.commit() && ok;
}

bool IniFile::eraseSection(QStringView sectionName)
{
    Parsed& p = forWrite();
    if (p.unreadable)
        return false;
    const Parsed::Section* s = p.section(sectionName);
    if (s == nullptr)
        return true;
    // From the last occurrence backwards, so earlier line numbers stay valid.
    const QList<std::pair<int, int>> ranges = s->ranges;
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it)
        p.lines.remove(it->first, it->second - it->first + 1);
    p.reindex();
    return flush();
}

IniFile::Batch::Batch(IniFile& file) : m_file(file)
{
    m_file.fresh();
    ++m_file.m_batchDepth;
}

IniFile::Batch::~Batch()
{
    commit();
}

bool IniFile::Batch::commit()
{
    if (!m_open)
        return true;
    m_open = false;
    if (--m_file.m_batchDepth > 0 || !m_file.m_dirty)
        return true;
    return m_file.flush();
}

} // namespace qw
