#pragma once

#include "core/usertags/UserTagText.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qw {

struct UserTagGroup
{
    QString name;
    QStringList tags;
    friend bool operator==(const UserTagGroup&, const UserTagGroup&) = default;
};

// The start and end text of a user tag as its dialog's fields hold them.
struct UserTagFields
{
    QString start;
    QString end;
};

struct UserTagResult
{
    enum class Status {
        Done,      // written, renamed, created or removed
        Unchanged, // nothing to do (the group exists already, the name is the same)
        Refused,   // a name that cannot be used; nothing was touched
        Failed,    // the file system said no
    };
    Status status = Status::Done;
    QString message; // for Refused and Failed, a text to show the user
    QString name;    // the name the operation ended up using

    bool ok() const { return status == Status::Done || status == Status::Unchanged; }
};

// The user tag store: a folder per group under the root folder, each user tag
// a pair of Windows-1250 files in its group's folder, name + ".qws" with the
// start text and name + ".qwe" with the end text. A user tag exists when its
// start file does; a missing end file reads as an empty end text.
//
// Every name is checked (userTagNameProblem) before anything is written, so
// nothing outside the root folder is ever changed. Files are replaced
// atomically. Nothing is cached: every call goes to the disk.
class UserTagStore
{
public:
    explicit UserTagStore(QString rootPath);

    const QString& rootPath() const { return m_root; }
    QString groupPath(const QString& group) const;
    QString startFilePath(const QString& group, const QString& name) const;
    QString endFilePath(const QString& group, const QString& name) const;

    // Groups (visible folders of the root) and their user tags (visible files
    // ending exactly in ".qws"), both sorted alphabetically in Czech order
    // ignoring case.
    QList<UserTagGroup> list() const;

    // For the dialog: a missing file leaves its field empty.
    UserTagFields readFields(const QString& group, const QString& name) const;
    // For insertion round the selection.
    UserTagInsertion readForInsertion(const QString& group, const QString& name) const;

    // Writes both files from the dialog's fields, replacing existing ones. The
    // group folder must exist; it is not created here. On failure the message
    // is "Cannot create file" and the path.
    UserTagResult write(const QString& group, const QString& name, const UserTagFields& fields);

    // The dialog's OK in edit mode: writes the user tag under its new name and
    // only then removes the files of the old name, so a failed write loses
    // nothing. A name changed only in letter case is a real rename where the
    // file system tells case apart; where it does not, the files keep their
    // old names and are rewritten.
    UserTagResult saveEdited(const QString& group, const QString& oldName, const QString& newName,
                             const UserTagFields& fields);

    // Deletes both files; a missing file, a failure or a bad name is ignored.
    void remove(const QString& group, const QString& name);

    // Creates a group folder; Unchanged when it exists already.
    UserTagResult addGroup(const QString& name);
    // Renames a group folder. "<" and ">" are dropped from the new name first;
    // an empty result or an existing folder of that name leaves all as it is.
    UserTagResult renameGroup(const QString& oldName, const QString& newName);
    // Moves the group folder with all its user tags to the trash; never
    // deletes it for good. Failure leaves the folder where it was.
    UserTagResult removeGroup(const QString& name);

private:
    QString m_root;
};

} // namespace qw
