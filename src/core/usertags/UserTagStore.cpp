#include "core/usertags/UserTagStore.h"

#include "core/text/Windows1250.h"
#include "core/usertags/UserTagName.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

constexpr auto kStartSuffix = ".qws"_L1;
constexpr auto kEndSuffix = ".qwe"_L1;

using Status = UserTagResult::Status;

UserTagResult refused(QString message)
{
    return {Status::Refused, std::move(message), {}};
}

QString cannotCreate(const QString& path)
{
    return u"Cannot create file %1"_s.arg(QDir::toNativeSeparators(path));
}

void sortNames(QStringList& names)
{
    QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

QString readFileText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeWindows1250(file.readAll());
}

// True when both paths name one file, as on a file system that ignores the
// case of names; false when either is missing.
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString tagProblem(const QString& group, const QString& name)
{
    QString problem = userTagNameProblem(group, UserTagNameKind::Group);
    if (problem.isEmpty())
        problem = userTagNameProblem(name, UserTagNameKind::Tag);
    return problem;
}

} // namespace

UserTagStore::UserTagStore(QString rootPath) : m_root(std::move(rootPath))
{}

QString UserTagStore::groupPath(const QString& group) const
{
    return m_root + u'/' + group;
}

QString UserTagStore::startFilePath(const QString& group, const QString& name) const
{
    return groupPath(group) + u'/' + name + kStartSuffix;
}

QString UserTagStore::endFilePath(const QString& group, const QString& name) const
{
    return groupPath(group) + u'/' + name + kEndSuffix;
}

QList<UserTagGroup> UserTagStore::list() const
{
    QList<UserTagGroup> groups;
    const QDir root(m_root);
    QStringList groupNames = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    sortNames(groupNames);
    for (const QString& groupName : groupNames) {
        UserTagGroup group{groupName, {}};
        const QDir dir(root.filePath(groupName));
        const QStringList files = dir.entryList({u"*"_s + kStartSuffix},
                                                QDir::Files | QDir::CaseSensitive, QDir::Unsorted);
        for (const QString& file : files)
            group.tags.append(file.chopped(kStartSuffix.size()));
        sortNames(group.tags);
        groups.append(group);
    }
    return groups;
}

UserTagFields UserTagStore::readFields(const QString& group, const QString& name) const
{
    if (!tagProblem(group, name).isEmpty())
        return {};
    return {userTagFieldText(readFileText(startFilePath(group, name))),
            userTagFieldText(readFileText(endFilePath(group, name)))};
}

UserTagInsertion UserTagStore::readForInsertion(const QString& group, const QString& name) const
{
    if (!tagProblem(group, name).isEmpty())
        return {};
    return userTagInsertion(readFileText(startFilePath(group, name)),
                            readFileText(endFilePath(group, name)));
}

UserTagResult UserTagStore::write(const QString& group, const QString& name,
                                  const UserTagFields& fields)
{
    if (const QString problem = tagProblem(group, name); !problem.isEmpty())
        return refused(problem);

    // Both files are prepared before either replaces its old version, so a
    // folder that cannot be written changes nothing.
    const QString paths[2] = {startFilePath(group, name), endFilePath(group, name)};
    const QString texts[2] = {fields.start, fields.end};
    std::unique_ptr<QSaveFile> files[2];
    for (int i = 0; i < 2; ++i) {
        files[i] = std::make_unique<QSaveFile>(paths[i]);
        if (!files[i]->open(QIODevice::WriteOnly))
            return {Status::Failed, cannotCreate(paths[i]), name};
        const QByteArray bytes = encodeWindows1250(userTagFileText(texts[i]));
        if (files[i]->write(bytes) != bytes.size())
            return {Status::Failed, cannotCreate(paths[i]), name};
    }
    for (int i = 0; i < 2; ++i) {
        if (!files[i]->commit())
            return {Status::Failed, cannotCreate(paths[i]), name};
    }
    return {Status::Done, {}, name};
}

UserTagResult UserTagStore::saveEdited(const QString& group, const QString& oldName,
                                       const QString& newName, const UserTagFields& fields)
{
    if (const QString problem = tagProblem(group, newName); !problem.isEmpty())
        return refused(problem);
    UserTagResult result = write(group, newName, fields);
    if (!result.ok() || oldName == newName || !tagProblem(group, oldName).isEmpty())
        return result;
    const QString oldPaths[2] = {startFilePath(group, oldName), endFilePath(group, oldName)};
    const QString newPaths[2] = {startFilePath(group, newName), endFilePath(group, newName)};
    for (int i = 0; i < 2; ++i) {
        // Where letter case does not count, the old name is the file just written.
        if (!sameFile(oldPaths[i], newPaths[i]))
            QFile::remove(oldPaths[i]);
    }
    return result;
}

void UserTagStore::remove(const QString& group, const QString& name)
{
    if (!tagProblem(group, name).isEmpty())
        return;
    QFile::remove(startFilePath(group, name));
    QFile::remove(endFilePath(group, name));
}

UserTagResult UserTagStore::addGroup(const QString& name)
{
    if (const QString problem = userTagNameProblem(name, UserTagNameKind::Group);
        !problem.isEmpty())
        return refused(problem);
    const QString path = groupPath(name);
    if (QFileInfo::exists(path))
        return {Status::Unchanged, {}, name};
    if (!QDir().mkpath(path))
        return {Status::Failed, u"Složku „%1“ se nepodařilo vytvořit."_s.arg(name), name};
    return {Status::Done, {}, name};
}

UserTagResult UserTagStore::renameGroup(const QString& oldName, const QString& newName)
{
    QString name = newName;
    name.remove(u'<').remove(u'>');
    if (name.isEmpty())
        return {Status::Unchanged, {}, oldName};
    for (const QString& checked : {oldName, name}) {
        if (const QString problem = userTagNameProblem(checked, UserTagNameKind::Group);
            !problem.isEmpty())
            return refused(problem);
    }
    if (QFileInfo::exists(groupPath(name)))
        return {Status::Unchanged, {}, oldName};
    if (!QDir().rename(groupPath(oldName), groupPath(name)))
        return {Status::Failed,
                u"Složku „%1“ se nepodařilo přejmenovat na „%2“."_s.arg(oldName, name), oldName};
    return {Status::Done, {}, name};
}

UserTagResult UserTagStore::removeGroup(const QString& name)
{
    if (const QString problem = userTagNameProblem(name, UserTagNameKind::Group);
        !problem.isEmpty())
        return refused(problem);
    const QString path = groupPath(name);
    if (!QFileInfo(path).isDir())
        return {Status::Unchanged, {}, name};
    const UserTagResult failed{Status::Failed,
                               u"Složku „%1“ se nepodařilo přesunout do koše."_s.arg(name), name};
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return failed;
    if (QDir::isRelativePath(inTrash)) {
        // Qt, finding no trash it can make, "trashes" into folders "files"
        // and "info" of the working folder: the group goes back, and what
        // was written there goes away.
        const QFileInfo stray(inTrash);
        QDir().rename(stray.absoluteFilePath(), path);
        const QDir files = stray.absoluteDir();
        const QString info = QDir::cleanPath(files.absoluteFilePath(u"../info"_s));
        QFile::remove(info + u'/' + stray.fileName() + u".trashinfo"_s);
        QDir().rmdir(info);
        QDir().rmdir(files.absolutePath());
        return failed;
    }
    return {Status::Done, {}, name};
}

} // namespace qw
