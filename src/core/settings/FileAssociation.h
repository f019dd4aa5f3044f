#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// Making the program the desktop's handler of file types, the freedesktop
// way: a desktop entry in the user's applications folder and the program as
// the default of each type in the user's mimeapps.list.

// The desktop entry's file name, also its id in mimeapps.list.
inline constexpr char16_t desktopEntryId[] = u"quenwick.desktop";
// The icon the entry names (installed as a scalable icon of the hicolor theme).
inline constexpr char16_t desktopIconName[] = u"quenwick";

// The MIME type files with this extension (".htm") have; empty when the
// desktop knows no type for it.
QString mimeTypeOfExtension(const QString& extension);

// The program as an Exec= value: quoted and escaped when it needs it, then
// followed by "%f" (one file a start).
QString desktopExecLine(const QString& programPath);

// The whole desktop entry that starts programPath with the file given.
QString desktopEntryText(const QString& programPath, const QStringList& mimeTypes);
// The types of an entry's MimeType= line.
QStringList desktopEntryMimeTypes(const QString& entryText);

// mimeapps.list with desktopId the default of every type (first in its
// "Default Applications" row and among its "Added Associations"); every other
// line stays as it was, sections and rows that are missing are added.
QString mimeAppsWithDefaults(const QString& mimeAppsText, const QStringList& mimeTypes,
                             const QString& desktopId);

struct AssociationResult
{
    bool ok = false;
    // The file that could not be written (when !ok).
    QString failedPath;
    // The types made the program's, and the extensions without a known type.
    QStringList mimeTypes;
    QStringList unknownExtensions;
    // Where the entry was written.
    QString desktopEntryPath;
};

// Writes (atomically) the desktop entry into dataHome/applications, keeping
// the types an earlier association gave it, and makes the program the
// default of every extension's type in configHome/mimeapps.list.
AssociationResult associateFileTypes(const QString& configHome, const QString& dataHome,
                                     const QString& programPath, const QStringList& extensions);

} // namespace qw
