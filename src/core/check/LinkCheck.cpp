#include "core/check/LinkCheck.h"

#include "core/check/TextPlaces.h"
#include "core/design/HtmlTokenizer.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>

namespace qw {

using namespace Qt::StringLiterals;

namespace {

bool hasScheme(QStringView address)
{
    // A single letter before the colon is a Windows drive, not a scheme.
    qsizetype i = 0;
    while (i < address.size()) {
        const QChar c = address[i];
        if (c == u':')
            return i > 1;
        const bool ok =
            isAsciiAlpha(c) || (i > 0 && (c.isDigit() || c == u'+' || c == u'-' || c == u'.'));
        if (!ok)
            return false;
        ++i;
    }
    return false;
}

// The few character references an address in a hand-written page holds.
QString decodeReferences(QStringView value)
{
    QString out = value.toString();
    if (!out.contains(u'&'))
        return out;
    out.replace("&amp;"_L1, "&"_L1);
    out.replace("&#32;"_L1, " "_L1);
    out.replace("&nbsp;"_L1, QString(QChar(0xA0)));
    return out;
}

enum class AddressUse { Picture, Link, Other };

struct Scan
{
    QStringView text;
    const TextPlaces& places;
    QString folder; // empty: no file to be relative to
    bool absoluteBase = false;
    QList<PageFinding> findings;
    QHash<QString, bool> exists; // file path -> found, asked once a check
    struct Anchor
    {
        QString name;
        qsizetype start;
        qsizetype end;
    };
    QList<Anchor> anchors;
    QSet<QString> names;
    QHash<QString, qsizetype> ids; // id -> offset of its first occurrence

    void add(FindingKind kind, qsizetype from, qsizetype to, const QString& message)
    {
        PageFinding f;
        f.kind = kind;
        f.line = places.lineOf(from);
        f.column = places.columnOf(from);
        f.length = std::max(1, places.charactersBetween(from, to));
        f.message = message;
        findings.append(f);
    }

    bool fileExists(const QString& path)
    {
        auto it = exists.constFind(path);
        if (it != exists.constEnd())
            return *it;
        const bool found = QFileInfo::exists(path);
        exists.insert(path, found);
        return found;
    }

    void checkAddress(qsizetype from, qsizetype to, AddressUse use)
    {
        const QString written = decodeReferences(text.sliced(from, to - from)).trimmed();
        if (written.isEmpty())
            return;
        if (written.startsWith(u'#')) {
            if (use == AddressUse::Link && !absoluteBase)
                anchors.append({written.mid(1), from, to});
            return;
        }
        if (written.startsWith("//"_L1) || absoluteBase)
            return;
        QString path;
        if (hasScheme(written)) {
            if (!written.startsWith("file:"_L1, Qt::CaseInsensitive))
                return;
            path = QUrl(written).toLocalFile();
        } else {
            QString relative = written;
            for (qsizetype i = 0; i < relative.size(); ++i) {
                if (relative[i] == u'?' || relative[i] == u'#') {
                    relative.truncate(i);
                    break;
                }
            }
            relative.replace(u'\\', u'/');
            if (relative.isEmpty() || relative.startsWith(u'/') || folder.isEmpty())
                return;
            path = QDir(folder).filePath(QUrl::fromPercentEncoding(relative.toUtf8()));
        }
        if (path.isEmpty() || fileExists(path))
            return;
        QString message;
        if (written.endsWith(u'/'))
            message = u"Složka „%1“ neexistuje."_s;
        else if (use == AddressUse::Picture)
            message = u"Obrázek „%1“ nebyl nalezen."_s;
        else if (use == AddressUse::Link)
            message = u"Odkaz vede na neexistující soubor „%1“."_s;
        else
            message = u"Soubor „%1“ neexistuje."_s;
        add(FindingKind::Error, from, to, message.arg(written));
    }

    // Candidates "address [descriptor]" separated by commas.
    void checkSrcset(qsizetype from, qsizetype to)
    {
        qsizetype i = from;
        while (i < to) {
            while (i < to && (isHtmlSpace(text[i]) || text[i] == u','))
                ++i;
            const qsizetype start = i;
            while (i < to && !isHtmlSpace(text[i]))
                ++i;
            qsizetype end = i;
            // An address may end in a comma when it has no descriptor.
            while (end > start && text[end - 1] == u',')
                --end;
            if (end > start)
                checkAddress(start, end, AddressUse::Picture);
            while (i < to && text[i] != u',')
                ++i;
        }
    }
};

} // namespace

QList<PageFinding> checkLinks(QStringView text, const QString& documentPath)
{
    const TextPlaces places(text);
    Scan scan{text, places, {}, false, {}, {}, {}, {}, {}};
    if (!documentPath.isEmpty())
        scan.folder = QFileInfo(documentPath).absolutePath();

    HtmlTokenizer tokenizer(text);
    HtmlToken token;
    // A <base> with a scheme turns every relative address away from the
    // folder, so the whole page is read for it first.
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        if (token.kind != HtmlTokenKind::StartTag)
            continue;
        if (token.name == "base"_L1) {
            for (const HtmlAttributeSpan& a : token.attributes) {
                if (a.valueStart >= 0 && text.sliced(a.start, a.nameEnd - a.start)
                                                 .compare("href"_L1, Qt::CaseInsensitive) == 0) {
                    const QString href =
                        text.sliced(a.valueStart, a.valueEnd - a.valueStart).toString().trimmed();
                    if (hasScheme(href) && !href.startsWith("file:"_L1, Qt::CaseInsensitive))
                        scan.absoluteBase = true;
                    else if (!href.isEmpty() && !scan.folder.isEmpty())
                        scan.folder =
                            QFileInfo(QDir(scan.folder)
                                          .filePath(href.endsWith(u'/') ? href + u"x"_s : href))
                                .absolutePath();
                }
            }
        }
        enterElementContent(tokenizer, token.name);
    }

    HtmlTokenizer again(text);
    for (again.next(token); token.kind != HtmlTokenKind::End; again.next(token)) {
        if (token.kind != HtmlTokenKind::StartTag)
            continue;
        const bool picture = token.name == "img"_L1;
        bool hasAlt = false;
        for (const HtmlAttributeSpan& a : token.attributes) {
            const QString name = text.sliced(a.start, a.nameEnd - a.start).toString().toLower();
            if (name == "alt"_L1)
                hasAlt = true;
            if (a.valueStart < 0)
                continue;
            const qsizetype vs = a.valueStart;
            const qsizetype ve = a.valueEnd;
            if (name == "id"_L1) {
                const QString id = text.sliced(vs, ve - vs).toString();
                if (id.isEmpty())
                    continue;
                auto first = scan.ids.constFind(id);
                if (first != scan.ids.constEnd()) {
                    scan.add(
                        FindingKind::Error, vs, ve,
                        u"Identifikátor „%1“ je na stránce víckrát (poprvé na řádku %2)."_s.arg(id)
                            .arg(places.lineOf(*first)));
                } else {
                    scan.ids.insert(id, vs);
                }
            } else if (name == "name"_L1 && (token.name == "a"_L1 || token.name == "map"_L1)) {
                scan.names.insert(text.sliced(vs, ve - vs).toString());
            } else if (name == "href"_L1) {
                if (token.name != "base"_L1)
                    scan.checkAddress(vs, ve, AddressUse::Link);
            } else if (name == "src"_L1) {
                scan.checkAddress(vs, ve, picture ? AddressUse::Picture : AddressUse::Other);
            } else if (name == "background"_L1) {
                scan.checkAddress(vs, ve, AddressUse::Picture);
            } else if (name == "action"_L1) {
                scan.checkAddress(vs, ve, AddressUse::Other);
            } else if (name == "srcset"_L1) {
                scan.checkSrcset(vs, ve);
            }
        }
        if (picture && !hasAlt) {
            scan.add(FindingKind::Note, token.start, token.end,
                     u"Obrázek nemá náhradní text (atribut alt)."_s);
        }
        enterElementContent(again, token.name);
    }

    for (const Scan::Anchor& anchor : std::as_const(scan.anchors)) {
        const QString name = QUrl::fromPercentEncoding(anchor.name.toUtf8());
        // An empty fragment and "#top" lead to the top of any page.
        if (name.isEmpty() || name.compare("top"_L1, Qt::CaseInsensitive) == 0)
            continue;
        if (scan.ids.contains(name) || scan.names.contains(name) ||
            scan.ids.contains(anchor.name) || scan.names.contains(anchor.name))
            continue;
        scan.add(FindingKind::Error, anchor.start, anchor.end,
                 u"Záložka „#%1“ na stránce není (žádné id ani name toho jména)."_s.arg(name));
    }
    sortFindings(scan.findings);
    return scan.findings;
}

} // namespace qw
