#include "core/settings/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace qw {

QString mimeTypeOfExtension(const QString& extension)
{
    static const QMimeDatabase db;
    QString name = extension;
    if (!name.startsWith(u'.'))
        name.prepend(u'.');
    const QMimeType type = db.mimeTypeForFile(u"file"_s + name, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return QString();
    return type.name();
}

QString desktopExecLine(const QString& programPath)
{
    static const QString reserved = u" \t\n\"'\\><~|&;$*?#()`"_s;
    bool quote = false;
    for (QChar c : programPath)
        quote = quote || reserved.contains(c);
    QString arg;
    for (QChar c : programPath) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            arg += u'\\';
        if (c == u'%')
            arg += u'%';
        arg += c;
    }
    if (quote)
        arg = u'"' + arg + u'"';
    // The value is also a desktop-entry string, whose own escape is "\\".
    arg.replace(u"\\"_s, u"\\\\"_s);
    // Several files at once: the program opens each, in order.
    return arg + u" %F"_s;
}

QString desktopEntryText(const QString& programPath, const QStringList& mimeTypes)
{
    QString text = u"[Desktop Entry]\n"
                   "Type=Application\n"
                   "Name=Quenwick\n"
                   "GenericName=HTML editor\n"
                   "GenericName[cs]=Editor HTML\n"
                   "Comment=Editor of hand-written HTML pages\n"
                   "Comment[cs]=Editor ručně psaných stránek HTML\n"_s;
    text += u"Exec="_s + desktopExecLine(programPath) + u'\n';
    text += u"Icon="_s + QString::fromUtf16(desktopIconName) + u'\n';
    text += u"Terminal=false\n"
            "Categories=Development;WebDevelopment;\n"_s;
    if (!mimeTypes.isEmpty())
        text += u"MimeType="_s + mimeTypes.join(u';') + u";\n"_s;
    return text;
}

namespace {

QStringList splitList(QStringView value)
{
    QStringList out;
    for (QStringView part : value.split(u';', Qt::SkipEmptyParts)) {
        const QString item = part.trimmed().toString();
        if (!item.isEmpty())
            out << item;
    }
    return out;
}

// A "key=value" line: the key without blanks, or nothing for other lines.
QString keyOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u'#') || trimmed.startsWith(u'['))
        return QString();
    const qsizetype eq = trimmed.indexOf(u'=');
    return eq < 0 ? QString() : trimmed.first(eq).trimmed();
}

QString sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
        return trimmed.sliced(1, trimmed.size() - 2);
    return QString();
}

// Puts desktopId first in the row of each type in section; adds the missing
// rows at the end of the section and the section when it is missing.
void putFirstInSection(QStringList& lines, const QString& section, const QStringList& mimeTypes,
                       const QString& desktopId)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (sectionOf(lines.at(i)) == section) {
            start = i;
            break;
        }
    }
    if (start < 0) {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines << QString();
        lines << u'[' + section + u']';
        start = lines.size() - 1;
    }
    qsizetype end = start + 1;
    while (end < lines.size() && sectionOf(lines.at(end)).isEmpty())
        ++end;
    for (const QString& type : mimeTypes) {
        qsizetype row = -1;
        for (qsizetype i = start + 1; i < end; ++i) {
            if (keyOf(lines.at(i)) == type)
                row = i;
        }
        QStringList ids;
        if (row >= 0) {
            const QString& line = lines.at(row);
            ids = splitList(QStringView(line).sliced(line.indexOf(u'=') + 1));
        }
        ids.removeAll(desktopId);
        ids.prepend(desktopId);
        const QString newLine = type + u'=' + ids.join(u';') + u';';
        if (row >= 0) {
            lines[row] = newLine;
        } else {
            // After the section's last row, before the blank lines that
            // part it from the next one.
            qsizetype at = end;
            while (at > start + 1 && lines.at(at - 1).trimmed().isEmpty())
                --at;
            lines.insert(at, newLine);
            ++end;
        }
    }
}

bool writeAtomically(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QStringList desktopEntryMimeTypes(const QString& entryText)
{
    for (const QString& line : entryText.split(u'\n')) {
        if (keyOf(line) == u"MimeType"_s)
            return splitList(QStringView(line).sliced(line.indexOf(u'=') + 1));
    }
    return {};
}

QString mimeAppsWithDefaults(const QString& mimeAppsText, const QStringList& mimeTypes,
                             const QString& desktopId)
{
    QString text = mimeAppsText;
    const bool crlf = text.contains(u"\r\n"_s);
    text.replace(u"\r\n"_s, u"\n"_s);
    const bool finalBreak = text.isEmpty() || text.endsWith(u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    putFirstInSection(lines, u"Default Applications"_s, mimeTypes, desktopId);
    putFirstInSection(lines, u"Added Associations"_s, mimeTypes, desktopId);
    QString out = lines.join(u'\n');
    if (finalBreak)
        out += u'\n';
    if (crlf)
        out.replace(u"\n"_s, u"\r\n"_s);
    return out;
}

AssociationResult associateFileTypes(const QString& configHome, const QString& dataHome,
                                     const QString& programPath, const QStringList& extensions)
{
    AssociationResult result;
    for (const QString& ext : extensions) {
        const QString type = mimeTypeOfExtension(ext);
        if (type.isEmpty())
            result.unknownExtensions << ext;
        else if (!result.mimeTypes.contains(type))
            result.mimeTypes << type;
    }
    const QString entryPath =
        QDir(dataHome).filePath(u"applications/"_s + QString::fromUtf16(desktopEntryId));
    result.desktopEntryPath = entryPath;
    // An earlier association's types stay the program's.
    QStringList entryTypes = desktopEntryMimeTypes(readText(entryPath));
    for (const QString& type : std::as_const(result.mimeTypes)) {
        if (!entryTypes.contains(type))
            entryTypes << type;
    }
    if (!writeAtomically(entryPath, desktopEntryText(programPath, entryTypes))) {
        result.failedPath = entryPath;
        return result;
    }
    if (!result.mimeTypes.isEmpty()) {
        const QString listPath = QDir(configHome).filePath(u"mimeapps.list"_s);
        const QString updated = mimeAppsWithDefaults(readText(listPath), result.mimeTypes,
                                                     QString::fromUtf16(desktopEntryId));
        if (!writeAtomically(listPath, updated)) {
            result.failedPath = listPath;
            return result;
        }
    }
    result.ok = true;
    return result;
}

} // namespace qw
