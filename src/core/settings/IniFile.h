#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

namespace qw {

// One section/key text file in the classic INI layout, read and written as
// Windows-1250 bytes. Section names and keys match without regard to case;
// keys keep their file order; keys and values are trimmed; a value runs from
// the first "=" to the end of its line. Lines that are neither a section
// line nor hold an "=" (and lines starting with ";") carry no data but are
// kept, as are sections the program does not know.
//
// Every write is on disk before it returns, by an atomic replace, so a crash
// never leaves half a file. Every read sees every earlier write, also one
// made through another IniFile or another process: the parsed text is kept
// only as long as the file's size, modification time and inode stay the same.
// A missing or unreadable file reads as empty; the first write creates it
// when its folder exists. A file that is there but cannot be read (or is no
// plain file) is never written over: writes to it fail.
class IniFile
{
public:
    explicit IniFile(QString path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& path() const { return m_path; }

    QString readString(QStringView section, QStringView key,
                       const QString& defaultValue = {}) const;
    // False when the file could not be written; the file then keeps its old
    // content and the next read shows it.
    bool writeString(QStringView section, QStringView key, QStringView value);

    // Stored as "1" and "0"; any number but 0 reads as true. An absent key or
    // a text that is no number gives the default.
    bool readBool(QStringView section, QStringView key, bool defaultValue) const;
    bool writeBool(QStringView section, QStringView key, bool value);
    int readInteger(QStringView section, QStringView key, int defaultValue) const;
    bool writeInteger(QStringView section, QStringView key, int value);

    // The value, or nothing when the key is absent: one look-up where
    // valueExists and readString would take two.
    std::optional<QString> findValue(QStringView section, QStringView key) const;
    bool valueExists(QStringView section, QStringView key) const;
    bool sectionExists(QStringView section) const;
    // The keys of the section in file order; empty for a missing section.
    QStringList readSection(QStringView section) const;

    // The names of all sections in file order.
    QStringList sectionNames() const;

    // Numbered lists: prefix + 0, prefix + 1, ... up to the first absent key.
    QStringList readList(QStringView section, QStringView prefix) const;
    // One writeString per entry, index 0 first. Keys beyond the list stay;
    // erase the section first to shorten a list.
    bool writeList(QStringView section, QStringView prefix, const QStringList& entries);

    // Removes every section of that name with its keys. Lines after the
    // section's last key (blank lines, a comment above the next section) stay.
    bool eraseSection(QStringView section);

    // Collects the writes made while it lives and puts them on disk in one
    // replace when it ends (or at commit()), so that a run of writes, such as
    // saving all settings, costs one file write and lands whole or not at all.
    // Reads inside the batch see its writes.
    class Batch
    {
    public:
        explicit Batch(IniFile& file);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Writes what is pending; false when the file could not be written.
        bool commit();

    private:
        IniFile& m_file;
        bool m_open = true;
    };

private:
    struct Parsed;
    struct Signature
    {
        bool exists = false;
        bool regular = false;
        std::int64_t size = -1;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        std::uint64_t inode = 0;
        std::uint64_t device = 0;
        friend bool operator==(const Signature&, const Signature&) = default;
    };

    Signature currentSignature() const;
    const Parsed& fresh() const;
    Parsed& forWrite();
    bool flush();
    bool setValue(QStringView section, QStringView key, QStringView value);

    QString m_path;
    QByteArray m_nativePath;
    mutable std::unique_ptr<Parsed> m_parsed;
    mutable Signature m_signature;
    mutable bool m_loaded = false;
    int m_batchDepth = 0;
    bool m_dirty = false;
};

} // namespace qw
