#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace qw {

// "Datum a čas": the date in the locale's short date format, one space, the
// time in its long time format. The long format's time zone name is left out:
// the text goes into a page as the local wall-clock time.
QString dateTimeText(const QDateTime& now, const QLocale& locale = QLocale::system());

} // namespace qw
