#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace qw {

// Every place on the user's machine the program reads or writes. Tests build
// one over a temporary folder, so nothing they do reaches the real home.
// Folder paths end with "/".
class AppPaths
{
public:
    // Explicit places: the folder of the executable, the per-user
    // configuration and data homes (the XDG ones in a normal run) and the
    // temporary folder.
    AppPaths(const QString& programFolder, const QString& configHome, const QString& dataHome,
             const QString& tempFolder);

    // The places of a normal run: XDG_CONFIG_HOME, XDG_DATA_HOME (each only
    // when absolute, else below HOME) and TMPDIR (else /tmp).
    static AppPaths
    fromEnvironment(const QString& programFolder,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    const QString& programFolder() const { return m_programFolder; }
    // "Data/Settings/" beside the executable, with the shipped data files.
    QString shippedDataFolder() const;
    // The per-user copy used when the shipped folder cannot be written.
    QString userDataFolder() const;
    // Where html.dat and tag.dat are read and written: the shipped folder when
    // it (and the data files in it) can be written, otherwise the per-user
    // copy, which is created and seeded with the shipped files that it lacks
    // (a file already there is never replaced). Touches the disk.
    QString resolveDataFolder() const;
    // Creates the per-user data folder and copies into it each shipped data
    // file it lacks; returns the folder.
    QString prepareUserDataFolder() const;
    // The default folder of the user tags, without a trailing "/": it is
    // stored as a setting in exactly this form.
    QString userTagFolder() const;
    // The JSON file of the per-user settings and recent files.
    QString userStoreFile() const;
    const QString& tempFolder() const { return m_tempFolder; }

private:
    QString m_programFolder;
    QString m_configHome;
    QString m_dataHome;
    QString m_tempFolder;
};

} // namespace qw
