#include "core/links/FirstSaveLinks.h"

#include "core/design/HtmlTokenizer.h"

#include <QDir>

namespace qw {

namespace {
// The attributes whose values the dialogs fill with an address they browsed.
bool isAddressAttribute(QStringView name)
{
    static const QStringList names = {QStringLiteral("href"),       QStringLiteral("src"),
                                      QStringLiteral("background"), QStringLiteral("dynsrc"),
                                      QStringLiteral("lowsrc"),     QStringLiteral("code"),
                                      QStringLiteral("codebase"),   QStringLiteral("data")};
    for (const QString& n : names) {
        if (name.compare(n, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
} // namespace

void rememberInsertedLink(QList<InsertedLink>& links, const InsertedLink& link)
{
    if (!QDir::isAbsolutePath(link.link) || !QDir::isAbsolutePath(link.filePath) ||
        links.contains(link))
        return;
    links.append(link);
}

QList<TextReplacement> firstSaveLinkReplacements(QStringView text, const QList<InsertedLink>& links,
                                                 const QString& documentPath, LinkOptions options)
{
    QList<TextReplacement> out;
    if (!options.relativePath || links.isEmpty() || !QDir::isAbsolutePath(documentPath))
        return out;
    HtmlTokenizer tokenizer(text);
    HtmlToken token;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (token.kind != HtmlTokenKind::StartTag)
            continue;
        for (const HtmlAttributeSpan& a : std::as_const(token.attributes)) {
            if (a.valueStart < 0 || !isAddressAttribute(text.sliced(a.start, a.nameEnd - a.start)))
                continue;
            const QStringView value = text.sliced(a.valueStart, a.valueEnd - a.valueStart);
            for (const InsertedLink& link : links) {
                if (value != link.link)
                    continue;
                const QString relative =
                    makeLinkPathForNewFile(link.filePath, documentPath, options);
                if (relative != value)
                    out.append({a.valueStart, value.size(), relative});
                break;
            }
        }
        enterElementContent(tokenizer, token.name);
    }
    return out;
}

} // namespace qw
