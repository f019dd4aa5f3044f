#include "core/markup/LinkPath.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace qw {

namespace {

QString relativeTo(const QString& target, const QString& documentPath)
{
    const QStringList base =
        QDir::cleanPath(QFileInfo(documentPath).absolutePath()).split(u'/', Qt::SkipEmptyParts);
    const QStringList parts = QDir::cleanPath(target).split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return target;
    // Only folders are shared; the target's last part is its file name.
    const qsizetype folders = parts.size() - 1;
    qsizetype common = 0;
    while (common < base.size() && common < folders && base[common] == parts[common])
        ++common;
    QString link;
    for (qsizetype i = common; i < base.size(); ++i)
        link += QStringLiteral("../");
    for (qsizetype i = common; i < parts.size(); ++i) {
        if (i > common)
            link += u'/';
        link += parts[i];
    }
    return link;
}

QString linkPath(const QString& filePath, const QString& documentPath, LinkOptions options,
                 bool documentHasFolder)
{
    QString link = filePath;
    if (options.relativePath && documentHasFolder && QDir::isAbsolutePath(filePath) &&
        QDir::isAbsolutePath(documentPath))
        link = relativeTo(filePath, documentPath);
    if (options.lowerFileName)
        link = QLocale::system().toLower(link);
    if (options.backslashToSlash)
        link.replace(u'\\', u'/');
    return link;
}

} // namespace

QString makeLinkPath(const QString& filePath, const QString& documentPath, LinkOptions options)
{
    return linkPath(filePath, documentPath, options,
                    QDir::isAbsolutePath(documentPath) && QFileInfo(documentPath).isFile());
}

QString makeLinkPathForNewFile(const QString& filePath, const QString& documentPath,
                               LinkOptions options)
{
    return linkPath(filePath, documentPath, options, true);
}

} // namespace qw
