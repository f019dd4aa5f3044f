#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

struct FileWriteResult
{
    bool ok = false;
    // The system's reason when ok is false.
    QString errorText;
};

// Replaces the file at path with bytes so that it is either wholly the old
// file or wholly the new one: the bytes go to a temporary file in the same
// folder, which is then renamed over the old one. The old file's permissions
// carry over. When path is a symbolic link the file it points to is replaced
// and the link stays a link. On failure the old file is untouched.
FileWriteResult writeFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace qw
