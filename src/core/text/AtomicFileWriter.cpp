#include "core/text/AtomicFileWriter.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// Follows a chain of links to the file they name (which need not exist yet:
// writing through a dangling link creates its target, as the shell does).
// A loop of links is left as it is, and opening it then fails with the
// system's reason.
QString resolveLinks(const QString& path)
{
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return path;
}

} // namespace

FileWriteResult writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    FileWriteResult result;
    const QString target = resolveLinks(path);
    const QFileInfo existing(target);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        result.errorText = file.errorString();
        return result;
    }
    // The temporary file is created private; give it the old file's mode
    // before it takes the old file's place.
    if (existing.exists() && !file.setPermissions(existing.permissions())) {
        result.errorText = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        result.errorText = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.errorText = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qw
