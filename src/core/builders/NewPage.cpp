#include "core/builders/NewPage.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

QString withCrLf(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out += "\r\n"_L1;
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QStringList newPageDocTypes()
{
    return {
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//CZ\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//CZ\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Strict//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Draft//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">"_s,
        u"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML Level 1//EN\">"_s,
        kHtml5DocType.toString(),
    };
}

NewPageText buildNewPage(const NewPageOptions& options)
{
    NewPageText page;
    QString& t = page.text;
    const auto line = [&t](const QString& text) {
        t += withCrLf(text) + u"\r\n"_s;
    };

    if (!options.docType.isEmpty()) {
        line(options.docType);
        line({});
    }
    const bool html5 = options.docType == kHtml5DocType;
    if (html5) {
        line(u"<html lang=\"cs\">"_s);
        line(u"<head>"_s);
        // The character set must come first: a browser reads only the
        // page's start to find it.
        line(u"<meta charset=\"utf-8\">"_s);
        line(u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"_s);
    } else {
        line(u"<html>"_s);
        line(u"<head>"_s);
    }
    line(u"<title>"_s + options.title + u"</title>"_s);
    // HTML5 knows these as names, no longer as HTTP headers.
    const QString metaKind = html5 ? u"name"_s : u"http-equiv"_s;
    const QString keywords = html5 ? u"keywords"_s : u"KEYWORDS"_s;
    const QString description = html5 ? u"description"_s : u"DESCRIPTION"_s;
    if (!options.keywords.isEmpty())
        line(u"<meta "_s + metaKind + u"=\""_s + keywords + u"\" content=\""_s + options.keywords +
             u"\">"_s);
    if (!options.description.isEmpty())
        line(u"<meta "_s + metaKind + u"=\""_s + description + u"\" content=\""_s +
             options.description + u"\">"_s);
    line(u"<meta name=\"GENERATOR\" content=\"Quenwick 1.0\">"_s);
    line(u"</head>"_s);
    line(u"<body>"_s);
    page.caret = t.size();
    line({});
    line({});
    line(u"</body>"_s);
    line(u"</html>"_s);
    return page;
}

NewPageText buildHtml5Page()
{
    NewPageOptions options;
    options.docType = kHtml5DocType.toString();
    return buildNewPage(options);
}

} // namespace qw
