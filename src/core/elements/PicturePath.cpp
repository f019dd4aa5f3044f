#include "core/elements/PicturePath.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace qw {

QString picturePreviewPath(const QString& address, const QString& documentPath)
{
    QString a = address.trimmed();
    if (a.isEmpty())
        return {};
    if (a.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return QUrl(a).toLocalFile();
    // A scheme such as http: or data: names nothing on this disk.
    const qsizetype colon = a.indexOf(u':');
    if (colon > 1) {
        const QStringView scheme = QStringView(a).left(colon);
        if (std::all_of(scheme.begin(), scheme.end(), [](QChar c) {
                return c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.';
            }))
            return {};
    }
    a.replace(u'\\', u'/');
    if (QDir::isAbsolutePath(a))
        return QDir::cleanPath(a);
    const QFileInfo document(documentPath);
    if (documentPath.isEmpty() || !document.isAbsolute())
        return {};
    return QDir::cleanPath(document.absolutePath() + u'/' + a);
}

QString pictureFilterText()
{
    // The older entries keep their names; "JPE" has always meant *.jpg.
    return QStringLiteral(
        "Všechny grafické soubory (*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg;*.avif)"
        "|*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg;*.avif"
        "|GIF soubory (*.gif)|*.gif|JPE soubory (*.jpg)|*.jpg|JPEG soubory (*.jpeg)|*.jpeg"
        "|PNG soubory (*.png)|*.png|WebP soubory (*.webp)|*.webp|SVG soubory (*.svg)|*.svg"
        "|AVIF soubory (*.avif)|*.avif|Všechny soubory (*)|*");
}

} // namespace qw
