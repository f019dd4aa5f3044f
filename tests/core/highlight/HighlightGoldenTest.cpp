// Every *.html in the data folder with a *.html.expected beside it: the
// expected file repeats each source line (a tab shown as "»") followed by the
// class letter of each of its characters, written by hand.
#include "ClassLetters.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace qw;
using namespace qwtest;

namespace {

QString showTabs(QString line)
{
    return line.replace(u'\t', u'»');
}

} // namespace

TEST(HighlightGolden, EveryCharacterHasItsExpectedClass)
{
    const QDir dir(QStringLiteral(QW_HIGHLIGHT_DATA_DIR));
    const QStringList samples = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    int compared = 0;
    for (const QString& name : samples) {
        const QString expectedPath = dir.filePath(name + QStringLiteral(".expected"));
        if (!QFile::exists(expectedPath))
            continue;
        ++compared;
        const QStringList source = readLines(dir.filePath(name));
        const QStringList expected = readLines(expectedPath);
        ASSERT_EQ(expected.size(), 2 * source.size()) << name.toStdString();

        QString report;
        LineState state = LineState::Text;
        HighlightRuns runs;
        for (qsizetype i = 0; i < source.size(); ++i) {
            ASSERT_EQ(showTabs(source[i]), expected[2 * i])
                << name.toStdString() << ": the expected file repeats another source line";
            state = highlightLine(source[i], state, runs);
            const QString actual = classLetters(source[i].size(), runs);
            const QString& want = expected[2 * i + 1];
            if (actual == want)
                continue;
            qsizetype col = 0;
            while (col < actual.size() && col < want.size() && actual[col] == want[col])
                ++col;
            report += QStringLiteral("%1:%2\n  source   %3\n  expected %4\n  actual   %5\n  "
                                     "         %6^\n")
                          .arg(name)
                          .arg(i + 1)
                          .arg(expected[2 * i], want, actual, QString(col, u' '));
        }
        EXPECT_TRUE(report.isEmpty()) << report.toStdString();
    }
    EXPECT_GT(compared, 0) << "no golden samples found in " << QW_HIGHLIGHT_DATA_DIR;
}
