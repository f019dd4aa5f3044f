#include "core/filepanel/FileSizeText.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace qw {

QString fileSizeText(qint64 bytes)
{
    if (bytes <= 1000) {
        const QString number = QString::number(bytes);
        if (bytes == 1)
            return number + u" bajt"_s;
        if (bytes >= 2 && bytes <= 4)
            return number + u" bajty"_s;
        return number + u" bajtů"_s;
    }
    static const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    QString number = czech.toString(double(bytes) / 1024.0, 'f', 1);
    const QString zeroDecimal = czech.decimalPoint() + czech.zeroDigit();
    if (number.endsWith(zeroDecimal))
        number.chop(zeroDecimal.size());
    return number + u" kB"_s;
}

} // namespace qw
