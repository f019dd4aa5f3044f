#include "core/preview/PreviewFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace qw {

QString previewFilePath(const QString& documentFilePath, const QString& tempFolder)
{
    if (!documentFilePath.isEmpty() && QFileInfo(documentFilePath).isFile()) {
        const QFileInfo info(documentFilePath);
        return info.absolutePath() + u"/qw~"_s + info.fileName();
    }
    return tempFolder + u"qw~temp.html"_s;
}

BrowserMenuItem browserMenuItem(const BrowserEntry& entry)
{
    if (entry.path.isEmpty())
        return {entry.caption, entry.caption};
    if (entry.caption.isEmpty())
        return {entry.path, entry.path};
    return {entry.caption, entry.path};
}

namespace {
// True when path is a real folder (not a link) of this user that nobody else
// may enter; tightens the mode of the user's own folder when needed.
bool isOwnPrivateFolder(const QByteArray& path)
{
    struct stat st
    {
    };
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}
} // namespace

QString privateTempFolder(const QString& base)
{
    QDir().mkpath(base);
    const QString folder = base + u"quenwick-"_s + QString::number(::geteuid());
    const QByteArray encoded = QFile::encodeName(folder);
    if (::mkdir(encoded.constData(), 0700) == 0 || errno == EEXIST) {
        if (isOwnPrivateFolder(encoded))
            return folder + u'/';
    }
    // Somebody else holds the usual name: a unique folder of our own instead.
    QByteArray pattern = QFile::encodeName(base + u"quenwick-XXXXXX"_s);
    if (::mkdtemp(pattern.data()) != nullptr)
        return QFile::decodeName(pattern) + u'/';
    return {};
}

bool clearNonFile(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::lstat(encoded.constData(), &st) != 0)
        return true;
    if (S_ISREG(st.st_mode))
        return true;
    if (S_ISDIR(st.st_mode))
        return false;
    return ::unlink(encoded.constData()) == 0;
}

} // namespace qw

namespace qw {

bool previewMayLoad(const QUrl& url, PreviewRequestKind kind)
{
    if (!url.isLocalFile())
        return true;
    switch (kind) {
    case PreviewRequestKind::Page:
    case PreviewRequestKind::Resource:
        return true;
    case PreviewRequestKind::ScriptRead:
        return false;
    case PreviewRequestKind::Frame:
    case PreviewRequestKind::Object:
        break;
    }
    // A frame set's pages are the page's own; any other file is data.
    static const QStringList pageSuffixes = {u"htm"_s, u"html"_s, u"xhtml"_s, u"shtml"_s};
    return pageSuffixes.contains(QFileInfo(url.path()).suffix(), Qt::CaseInsensitive);
}

} // namespace qw
