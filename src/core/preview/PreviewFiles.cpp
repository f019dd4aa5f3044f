#include "core/preview/PreviewFiles.h"

#include "core/design/HtmlTokenizer.h"

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
    if (!documentFilePath.isEmpty() && QFileInfo(documentFilePath).isFile())
        return tempFolder + u"qw~"_s + QFileInfo(documentFilePath).fileName();
    return tempFolder + u"qw~temp.html"_s;
}

namespace {
// A URL as an attribute value in any quoting: its encoded form holds no
// quote but the apostrophe, and an ampersand could start a reference.
QString attributeUrl(const QUrl& url)
{
    QString text = url.toString(QUrl::FullyEncoded);
    text.replace(u'&', u"&amp;"_s);
    text.replace(u'\'', u"&#39;"_s);
    return text;
}

bool isWhitespace(QStringView text)
{
    for (const QChar c : text) {
        if (!isHtmlSpace(c))
            return false;
    }
    return true;
}

// Elements a browser keeps in the head, where a page's own base may stand.
bool isHeadElement(QStringView name)
{
    for (const char16_t* n : {u"meta", u"title", u"link", u"style", u"script", u"noscript",
                              u"template", u"base", u"basefont", u"bgsound"}) {
        if (name == QStringView(n))
            return true;
    }
    return false;
}
} // namespace

QString previewPageText(const QString& text, const QString& documentFilePath)
{
    if (documentFilePath.isEmpty())
        return text;
    const QUrl documentUrl = QUrl::fromLocalFile(documentFilePath);
    // Where the base goes: after a doctype, comments and the html start tag,
    // right after the head's start tag, or before the first element of the
    // head that has none.
    qsizetype at = 0;
    bool placed = false;
    bool elementText = false; // the text of a title, a script or a style
    HtmlTokenizer tokenizer(text);
    HtmlToken token;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        const QStringView name(token.name);
        if (token.kind == HtmlTokenKind::Doctype || token.kind == HtmlTokenKind::Comment) {
            if (!placed)
                at = token.end;
            continue;
        }
        if (token.kind == HtmlTokenKind::Text) {
            if (elementText ||
                isWhitespace(QStringView(text).sliced(token.start, token.end - token.start)))
                continue;
            break;
        }
        if (token.kind == HtmlTokenKind::EndTag) {
            elementText = false;
            if (isHeadElement(name))
                continue;
            break;
        }
        if (name == u"html" || name == u"head") {
            if (!placed)
                at = token.end;
            placed = placed || name == u"head";
            continue;
        }
        if (!isHeadElement(name))
            break;
        placed = true;
        if (name == u"base") {
            for (const HtmlAttributeSpan& a : std::as_const(token.attributes)) {
                if (a.valueStart < 0 || QStringView(text)
                                                .sliced(a.start, a.nameEnd - a.start)
                                                .compare(u"href", Qt::CaseInsensitive) != 0)
                    continue;
                // The first base with an address is the page's: it stays,
                // resolved against the document's file instead of the copy.
                const QUrl own(text.sliced(a.valueStart, a.valueEnd - a.valueStart).trimmed());
                if (!own.isRelative())
                    return text;
                QString out = text;
                out.replace(a.valueStart, a.valueEnd - a.valueStart,
                            attributeUrl(documentUrl.resolved(own)));
                return out;
            }
        }
        elementText = enterElementContent(tokenizer, name);
    }
    QString out = text;
    out.insert(at, u"<base href=\""_s + attributeUrl(documentUrl) + u"\">"_s);
    return out;
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
