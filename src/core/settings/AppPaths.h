#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <functional>

namespace qw {

// Every place on the user's machine the program reads or writes. Tests build
// one over a temporary folder, so nothing they do reaches the real home.
// Folder paths end with "/".
//
// What the program writes (html.dat, the user tags) lives beside the program
// when the program's folder lets it, as in a folder the user unpacked. A
// system-wide installation does not: then each of them lives in a per-user
// copy under the data home, made once from the shipped one and never
// replaced. tag.dat is only ever read, so it always comes from beside the
// program and a newer program's definitions reach every user.
class AppPaths
{
public:
    // Whether the program may create or replace the file or folder at a path
    // (an existing one; the callers find which one to ask about).
    using WritableCheck = std::function<bool(const QString& path)>;

    // Explicit places: the folder of the executable, the per-user
    // configuration and data homes (the XDG ones in a normal run) and the
    // temporary folder. canWrite answers for the disk unless given; a test
    // gives its own to stand for a read-only installation, which file modes
    // cannot make for the superuser.
    AppPaths(const QString& programFolder, const QString& configHome, const QString& dataHome,
             const QString& tempFolder, WritableCheck canWrite = {});

    // The places of a normal run: XDG_CONFIG_HOME, XDG_DATA_HOME (each only
    // when absolute, else below HOME) and TMPDIR (else /tmp).
    static AppPaths
    fromEnvironment(const QString& programFolder,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    // The system's answer: the path exists and this process may write it.
    static bool writableOnDisk(const QString& path);

    const QString& programFolder() const { return m_programFolder; }
    // "Data/Settings/" beside the executable, with the shipped data files.
    QString shippedDataFolder() const;
    // The per-user copy of html.dat lives here when the shipped folder
    // cannot be written.
    QString userDataFolder() const;
    // tag.dat, in the shipped folder whatever else can be written.
    QString tagDefinitionsFile() const;
    // Where html.dat is read and written: the shipped folder when it (and
    // html.dat in it) can be written, otherwise the per-user copy, which is
    // created and seeded with the shipped html.dat when it lacks one (a file
    // already there is never replaced). Touches the disk.
    QString resolveDataFolder() const;
    // Creates the per-user data folder and copies the shipped html.dat into
    // it when it lacks one; returns the folder.
    QString prepareUserDataFolder() const;

    // Folders of user tags are written without a trailing "/": the folder is
    // stored as a setting in exactly this form.
    //
    // "Data/UserData/Tag" beside the executable.
    QString shippedUserTagFolder() const;
    // The per-user copy: "Quenwick/Tag" in the data home.
    QString userTagCopyFolder() const;
    // The default folder of the user tags: the shipped one when it can be
    // written (or made, when it is missing), otherwise the per-user copy.
    // Only looks at the disk.
    QString userTagFolder() const;
    // userTagFolder(), after making the per-user copy when that is the one
    // used and it does not exist yet: the shipped user tags are copied into
    // it whole, or none of them when the copy fails, so an interrupted first
    // start is made good at the next. A copy already there is left alone,
    // even an empty one.
    QString resolveUserTagFolder() const;

    // The JSON file of the per-user settings and recent files.
    QString userStoreFile() const;
    const QString& tempFolder() const { return m_tempFolder; }
    // The per-user configuration and data homes themselves (the desktop's
    // own files live there too: mimeapps.list, applications/).
    const QString& configHome() const { return m_configHome; }
    const QString& dataHome() const { return m_dataHome; }

private:
    bool dataFolderWritable(const QString& folder) const;

    QString m_programFolder;
    QString m_configHome;
    QString m_dataHome;
    QString m_tempFolder;
    WritableCheck m_canWrite;
};

} // namespace qw
