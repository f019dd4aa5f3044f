#pragma once

// Readable failure messages: GoogleTest prints Qt strings as text instead of
// raw bytes. Included into every test file by the build.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toUtf8().toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0)
            *os << ", ";
        PrintTo(list.at(i), os);
    }
    *os << '}';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << "bytes(" << b.toHex(' ').toStdString() << ')';
}

inline void PrintTo(QChar c, std::ostream* os)
{
    *os << "U+" << QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0').toStdString();
}
