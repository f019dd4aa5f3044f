#include "core/transform/HtmlText.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

void appendEscaped(QString& out, QStringView line)
{
    qsizetype plain = 0; // start of the run not yet copied
    for (qsizetype i = 0; i < line.size(); ++i) {
        QLatin1StringView entity;
        switch (line[i].unicode()) {
        case u'&':
            entity = "&amp;"_L1;
            break;
        case u'<':
            entity = "&lt;"_L1;
            break;
        case u'>':
            entity = "&gt;"_L1;
            break;
        case u'"':
            entity = "&quot;"_L1;
            break;
        default:
            continue;
        }
        out += line.mid(plain, i - plain);
        out += entity;
        plain = i + 1;
    }
    out += line.mid(plain);
}

} // namespace

QString textToHtml(QStringView text, const QStringList& templateHead,
                   const QStringList& templateFoot)
{
    const auto lineBreak = "\r\n"_L1;
    QString out;
    out.reserve(text.size() + text.size() / 8 + 1024);
    for (const QString& line : templateHead) {
        out += line;
        out += lineBreak;
    }
    out += lineBreak;

    qsizetype from = 0;
    while (true) {
        const qsizetype brk = text.indexOf(lineBreak, from);
        const qsizetype end = brk < 0 ? text.size() : brk;
        appendEscaped(out, text.mid(from, end - from));
        out += "<br>"_L1;
        if (brk < 0)
            break;
        out += lineBreak;
        from = brk + 2;
    }

    for (const QString& line : templateFoot) {
        out += lineBreak;
        out += line;
    }
    return out;
}

QString removeHtml(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'<') {
            // The last character of the text is never looked at as part of a tag
            // search that found no end: it is kept.
            if (i == n - 1) {
                out += c;
                break;
            }
            const qsizetype close = text.indexOf(u'>', i + 1);
            if (close < 0) {
                // A line break at the end is kept whole, never as a lone LF.
                const bool endsInBreak = n - 2 > i && text[n - 2] == u'\r' && text[n - 1] == u'\n';
                out += text.mid(endsInBreak ? n - 2 : n - 1);
                break;
            }
            out += u' ';
            i = close + 1;
        } else if (c == u'>') {
            out += u' ';
            ++i;
        } else {
            qsizetype end = i + 1;
            while (end < n && text[end] != u'<' && text[end] != u'>')
                ++end;
            out += text.mid(i, end - i);
            i = end;
        }
    }
    return out;
}

} // namespace qw
