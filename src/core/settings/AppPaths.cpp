#include "core/settings/AppPaths.h"

#include "core/text/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

QString asFolder(const QString& path)
{
    QString p = QDir::cleanPath(path);
    if (!p.endsWith(u'/'))
        p += u'/';
    return p;
}

// The one data file the program writes; tag.dat is read only.
const QString htmlDatName = u"html.dat"_s;

// XDG base folders count only when absolute; a relative value is ignored.
QString xdgHome(const QProcessEnvironment& env, const QString& variable, const QString& fallback)
{
    const QString value = env.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return env.value(u"HOME"_s, QDir::homePath()) + u'/' + fallback;
}

// Copies the folders and files below from into the existing folder to. The
// copies get the default modes, not read-only modes of the shipped ones.
bool copyTree(const QString& from, const QString& to)
{
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir()) {
            if (!QDir().mkdir(target) || !copyTree(entry.filePath(), target))
                return false;
        } else if (entry.isFile()) {
            QFile source(entry.filePath());
            QFile copy(target);
            if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::NewOnly) ||
                copy.write(source.readAll()) != source.size() || !copy.flush())
                return false;
        }
    }
    return true;
}

} // namespace

AppPaths::AppPaths(const QString& programFolder, const QString& configHome, const QString& dataHome,
                   const QString& tempFolder, WritableCheck canWrite)
    : m_programFolder(asFolder(programFolder)), m_configHome(asFolder(configHome)),
      m_dataHome(asFolder(dataHome)), m_tempFolder(asFolder(tempFolder)),
      m_canWrite(canWrite ? std::move(canWrite) : WritableCheck(&AppPaths::writableOnDisk))
{}

AppPaths AppPaths::fromEnvironment(const QString& programFolder, const QProcessEnvironment& env)
{
    const QString tmp = env.value(u"TMPDIR"_s);
    return AppPaths(programFolder, xdgHome(env, u"XDG_CONFIG_HOME"_s, u".config"_s),
                    xdgHome(env, u"XDG_DATA_HOME"_s, u".local/share"_s),
                    !tmp.isEmpty() && QDir::isAbsolutePath(tmp) ? tmp : u"/tmp"_s);
}

bool AppPaths::writableOnDisk(const QString& path)
{
    // The system's access check: file modes, and for the superuser too a
    // read-only file system.
    return QFileInfo(path).isWritable();
}

bool AppPaths::dataFolderWritable(const QString& folder) const
{
    if (!QFileInfo(folder).isDir() || !m_canWrite(folder))
        return false;
    // A folder or a pipe where html.dat belongs cannot be written either.
    const QFileInfo file(folder + htmlDatName);
    return !file.exists() || (file.isFile() && m_canWrite(file.filePath()));
}

QString AppPaths::shippedDataFolder() const
{
    return m_programFolder + u"Data/Settings/"_s;
}

QString AppPaths::userDataFolder() const
{
    return m_dataHome + u"Quenwick/Settings/"_s;
}

QString AppPaths::tagDefinitionsFile() const
{
    return shippedDataFolder() + u"tag.dat"_s;
}

QString AppPaths::resolveDataFolder() const
{
    const QString shipped = shippedDataFolder();
    return dataFolderWritable(shipped) ? shipped : prepareUserDataFolder();
}

QString AppPaths::prepareUserDataFolder() const
{
    const QString user = userDataFolder();
    if (!QDir().mkpath(user))
        return user; // reads find nothing and writes fail, as with a missing folder
    if (QFileInfo::exists(user + htmlDatName))
        return user;
    // Written whole or not at all, so an interrupted first start never
    // leaves a half copy that later starts would take as seeded. The copy
    // gets the default mode, not a read-only mode of the shipped file.
    QFile source(shippedDataFolder() + htmlDatName);
    if (source.open(QIODevice::ReadOnly))
        writeFileAtomically(user + htmlDatName, source.readAll());
    return user;
}

QString AppPaths::shippedUserTagFolder() const
{
    return m_programFolder + u"Data/UserData/Tag"_s;
}

QString AppPaths::userTagCopyFolder() const
{
    return m_dataHome + u"Quenwick/Tag"_s;
}

QString AppPaths::userTagFolder() const
{
    // A missing folder counts as writable when the nearest folder that
    // exists on its way can be written: the store makes it on first use.
    QString path = shippedUserTagFolder();
    while (!QFileInfo::exists(path) && path != u"/"_s)
        path = QFileInfo(path).absolutePath();
    const bool writable = QFileInfo(path).isDir() && m_canWrite(path);
    return writable ? shippedUserTagFolder() : userTagCopyFolder();
}

QString AppPaths::resolveUserTagFolder() const
{
    const QString folder = userTagFolder();
    if (folder != userTagCopyFolder() || QFileInfo::exists(folder))
        return folder;
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir().mkpath(parent))
        return folder; // writes fail and say where, as with a missing folder
    // Copied beside it and renamed into place, so the copy appears whole.
    QTemporaryDir staging(parent + u"/Tag-XXXXXX"_s);
    if (!staging.isValid())
        return folder;
    const QString shipped = shippedUserTagFolder();
    if (QFileInfo(shipped).isDir() && !copyTree(shipped, staging.path()))
        return folder;
    if (QDir().rename(staging.path(), folder))
        staging.setAutoRemove(false);
    return folder;
}

QString AppPaths::userStoreFile() const
{
    return m_configHome + u"Quenwick/settings.json"_s;
}

} // namespace qw
