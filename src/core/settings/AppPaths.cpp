#include "core/settings/AppPaths.h"

#include "core/text/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

const QString dataFileNames[] = {u"html.dat"_s, u"tag.dat"_s};

// XDG base folders count only when absolute; a relative value is ignored.
QString xdgHome(const QProcessEnvironment& env, const QString& variable, const QString& fallback)
{
    const QString value = env.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return env.value(u"HOME"_s, QDir::homePath()) + u'/' + fallback;
}

bool writable(const QString& folder)
{
    const QFileInfo dir(folder);
    if (!dir.isDir() || !dir.isWritable())
        return false;
    for (const QString& name : dataFileNames) {
        const QFileInfo file(folder + name);
        if (file.exists() && !file.isWritable())
            return false;
    }
    return true;
}

} // namespace

AppPaths::AppPaths(const QString& programFolder, const QString& configHome, const QString& dataHome,
                   const QString& tempFolder)
    : m_programFolder(asFolder(programFolder)), m_configHome(asFolder(configHome)),
      m_dataHome(asFolder(dataHome)), m_tempFolder(asFolder(tempFolder))
{}

AppPaths AppPaths::fromEnvironment(const QString& programFolder, const QProcessEnvironment& env)
{
    const QString tmp = env.value(u"TMPDIR"_s);
    return AppPaths(programFolder, xdgHome(env, u"XDG_CONFIG_HOME"_s, u".config"_s),
                    xdgHome(env, u"XDG_DATA_HOME"_s, u".local/share"_s),
                    !tmp.isEmpty() && QDir::isAbsolutePath(tmp) ? tmp : u"/tmp"_s);
}

QString AppPaths::shippedDataFolder() const
{
    return m_programFolder + u"Data/Settings/"_s;
}

QString AppPaths::userDataFolder() const
{
    return m_dataHome + u"Quenwick/Settings/"_s;
}

QString AppPaths::resolveDataFolder() const
{
    const QString shipped = shippedDataFolder();
    return writable(shipped) ? shipped : prepareUserDataFolder();
}

QString AppPaths::prepareUserDataFolder() const
{
    const QString shipped = shippedDataFolder();
    const QString user = userDataFolder();
    if (!QDir().mkpath(user))
        return user; // reads find nothing and writes fail, as with a missing folder
    for (const QString& name : dataFileNames) {
        if (QFileInfo::exists(user + name))
            continue;
        // Written whole or not at all, so an interrupted first start never
        // leaves a half copy that later starts would take as seeded. The copy
        // gets the default mode, not a read-only mode of the shipped file.
        QFile source(shipped + name);
        if (source.open(QIODevice::ReadOnly))
            writeFileAtomically(user + name, source.readAll());
    }
    return user;
}

QString AppPaths::userTagFolder() const
{
    return m_programFolder + u"Data/UserData/Tag"_s;
}

QString AppPaths::userStoreFile() const
{
    return m_configHome + u"Quenwick/settings.json"_s;
}

} // namespace qw
