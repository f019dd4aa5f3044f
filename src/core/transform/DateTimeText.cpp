#include "core/transform/DateTimeText.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// The long time format without its time zone ("t", "tt"...) and the spacing
// or separator that led up to it.
QString timeFormatWithoutZone(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    out.reserve(format.size());
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (!out.isEmpty() && (out.back() == u' ' || out.back() == QChar(0x00A0)))
                out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

} // namespace

QString dateTimeText(const QDateTime& now, const QLocale& locale)
{
    return locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(now.time(), timeFormatWithoutZone(locale));
}

} // namespace qw
