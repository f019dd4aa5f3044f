#include "core/transform/LocaleCase.h"

#include <QLocale>

namespace qw {

namespace {

const QLocale& czechLocale()
{
    static const QLocale locale(QLocale::Czech, QLocale::Czechia);
    return locale;
}

bool isAscii(QStringView run)
{
    for (QChar c : run) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

void appendAscii(QString& out, QStringView run, LetterCase letterCase)
{
    const qsizetype at = out.size();
    out.resize(at + run.size());
    QChar* dst = out.data() + at;
    for (QChar c : run) {
        char16_t u = c.unicode();
        if (letterCase == LetterCase::Upper && u >= u'a' && u <= u'z')
            u = static_cast<char16_t>(u - 0x20);
        else if (letterCase == LetterCase::Lower && u >= u'A' && u <= u'Z')
            u = static_cast<char16_t>(u + 0x20);
        *dst++ = QChar(u);
    }
}

// One code point at a time with the simple Unicode mapping, never changing
// the number of UTF-16 units a code point takes.
void appendOneToOne(QString& out, QStringView run, LetterCase letterCase)
{
    const qsizetype n = run.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = run[i];
        if (c.isHighSurrogate() && i + 1 < n && run[i + 1].isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(c, run[i + 1]);
            char32_t mapped =
                letterCase == LetterCase::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
            if (!QChar::requiresSurrogates(mapped))
                mapped = cp;
            out += QChar(QChar::highSurrogate(mapped));
            out += QChar(QChar::lowSurrogate(mapped));
            ++i;
            continue;
        }
        const char32_t cp = c.unicode();
        char32_t mapped = letterCase == LetterCase::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        if (QChar::requiresSurrogates(mapped))
            mapped = cp;
        out += QChar(static_cast<char16_t>(mapped));
    }
}

} // namespace

void appendInCase(QString& out, QStringView run, LetterCase letterCase)
{
    if (run.isEmpty())
        return;
    // The Czech locale maps the ASCII letters plainly; most markup is ASCII.
    if (isAscii(run)) {
        appendAscii(out, run, letterCase);
        return;
    }
    const QString source = run.toString();
    const QString mapped = letterCase == LetterCase::Upper ? czechLocale().toUpper(source)
                                                           : czechLocale().toLower(source);
    if (mapped.size() == run.size())
        out += mapped;
    else
        appendOneToOne(out, run, letterCase);
}

QString inCase(QStringView text, LetterCase letterCase)
{
    QString out;
    out.reserve(text.size());
    appendInCase(out, text, letterCase);
    return out;
}

} // namespace qw
