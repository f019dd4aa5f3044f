#pragma once

// What the window benchmarks share: timers, the resident size, the generated
// page and the percentiles of per-key times.

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qw::bench {

inline double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

inline long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A page of ordinary markup with Czech letters in Windows-1250 bytes, about
// `bytes` long, with a comment and a script block now and then.
inline QByteArray generatePage(qsizetype bytes)
{
    const QByteArray rows[] = {
        "<tr><td align=center width=\"50%\">P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2</td>"
        "<td>&nbsp;</td></tr>\r\n",
        "<p class=\"text\">\xda\xec\xbe \xe8\xed\xf8 &amp; <a "
        "href=\"stranka.html\">odkaz</a></p>\r\n",
        "<!-- pozn\xe1mka\r\n  na dva \xf8\xe1\x64ky -->\r\n",
        "<script type=\"text/javascript\">\r\nvar a = 1 < 2 && b;\r\n</script>\r\n",
        "<img src=\"obrazek.gif\" alt='obr\xe1zek' width=100 height=50>\r\n",
    };
    QByteArray out;
    out.reserve(bytes + 200);
    out += "<html>\r\n<head><title>Test</title></head>\r\n<body>\r\n";
    for (int i = 0; out.size() < bytes; ++i)
        out += rows[i % 7 < 5 ? i % 7 : 1];
    out += "</body>\r\n</html>\r\n";
    return out;
}

struct Percentiles
{
    double p50 = 0;
    double p99 = 0;
    double max = 0;
};

inline Percentiles percentiles(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    Percentiles p;
    p.p50 = times[times.size() / 2];
    p.p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    p.max = times.back();
    return p;
}

inline void printPercentiles(const char* name, const Percentiles& p)
{
    std::printf("%-40s p50 %8.3f ms  p99 %8.3f ms  max %8.3f ms\n", name, p.p50, p.p99, p.max);
}

// One key typed: its press and its release, handled at once.
inline void sendKey(QWidget& target, QChar ch)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

// Keys typed per place: QW_BENCH_KEYS, else 300.
inline int benchKeyCount()
{
    const int keys = qEnvironmentVariableIntValue("QW_BENCH_KEYS");
    return keys > 0 ? keys : 300;
}

} // namespace qw::bench
