// The INI reader over any file content, then one write (of a value or a
// list) and one section erased. The index a write keeps up to date in memory must be the index a
// fresh read of the written file builds, and a write touches nothing but
// its own key (and the erase its own section).

#include "FuzzSupport.h"
#include "core/settings/IniFile.h"
#include "core/text/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <optional>
#include <utility>

namespace {

// Section and key (as the file spells them) -> value; the section's position
// in the file keeps sections of the same name apart.
using Contents = std::map<std::pair<QString, QString>, std::optional<QString>>;

Contents contentsOf(const qw::IniFile& ini)
{
    Contents result;
    const QStringList sections = ini.sectionNames();
    for (const QString& section : sections) {
        QW_FUZZ_CHECK(ini.sectionExists(section));
        const QStringList keys = ini.readSection(section);
        for (const QString& key : keys) {
            const std::optional<QString> value = ini.findValue(section, key);
            QW_FUZZ_CHECK(value.has_value());
            QW_FUZZ_CHECK(ini.valueExists(section, key));
            QW_FUZZ_CHECK(ini.readString(section, key, QStringLiteral("-")) == *value);
            (void)ini.readBool(section, key, false);
            (void)ini.readInteger(section, key, 0);
            result[{section.toCaseFolded(), key.toCaseFolded()}] = value;
        }
        (void)ini.readList(section, QStringLiteral("File"));
    }
    return result;
}

// The section name a write of `name` stores, as a later read sees it.
QString storedSection(const QString& name)
{
    QString s = name;
    for (QChar& c : s) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    // The reader trims ASCII blanks only.
    return qw::decodeWindows1250(QByteArrayView(qw::encodeWindows1250(s)).trimmed()).toCaseFolded();
}

const QString& folder()
{
    // A memory file system keeps the atomic replace of every write cheap.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/qw-fuzz-ini-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/qw-fuzz-ini-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint8_t eraseIndex = input.byte();
    const QString section = qw::fuzz::textOf(input.part('\0'), choice);
    const QString key = qw::fuzz::textOf(input.part('\0'), choice);
    const QString value = qw::fuzz::textOf(input.part('\0'), choice);
    const QByteArrayView fileBytes = input.rest();

    const QString path = folder() + QStringLiteral("/settings.ini");
    {
        QFile file(path);
        QW_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QW_FUZZ_CHECK(file.write(fileBytes.data(), fileBytes.size()) == fileBytes.size());
    }

    qw::IniFile ini(path);
    const Contents before = contentsOf(ini);
    const QString writtenSection = storedSection(section);
    if ((choice & 8) != 0) {
        if (ini.writeList(section, key, {value, key}))
            QW_FUZZ_CHECK(ini.readList(section, key).size() >= 2);
    } else if (ini.writeString(section, key, value)) {
        QW_FUZZ_CHECK(ini.findValue(section, key).has_value());
    }

    QString erased;
    const QStringList sections = ini.sectionNames();
    if ((choice & 4) != 0 && !sections.isEmpty()) {
        erased = sections.at(eraseIndex % sections.size());
        QW_FUZZ_CHECK(ini.eraseSection(erased));
        QW_FUZZ_CHECK(!ini.sectionExists(erased));
    }

    const Contents kept = contentsOf(ini);
    qw::IniFile reread(path);
    QW_FUZZ_CHECK(ini.sectionNames() == reread.sectionNames());
    QW_FUZZ_CHECK(kept == contentsOf(reread));

    for (const auto& [name, was] : before) {
        if (name.first == writtenSection || name.first == erased.toCaseFolded())
            continue;
        const auto now = kept.find(name);
        QW_FUZZ_CHECK(now != kept.end() && now->second == was);
    }
    QFile::remove(path);
    return 0;
}
