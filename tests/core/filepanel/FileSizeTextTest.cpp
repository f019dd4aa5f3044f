#include "core/filepanel/FileSizeText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(FileSizeText, CzechUnitsAndNumberFormat)
{
    const QString nbsp = QString(QChar(0x00A0));
    struct Case
    {
        qint64 bytes;
        QString text;
    };
    const Case cases[] = {
        {0, u"0 bajtů"_s},
        {1, u"1 bajt"_s},
        {2, u"2 bajty"_s},
        {3, u"3 bajty"_s},
        {4, u"4 bajty"_s},
        {5, u"5 bajtů"_s},
        {1000, u"1000 bajtů"_s},
        {1001, u"1 kB"_s}, // 0,98 rounds to 1,0 and the ",0" goes
        {1024, u"1 kB"_s},
        {1536, u"1,5 kB"_s},
        {12 * 1024 + 10, u"12 kB"_s},
        {12 * 1024 + 900, u"12,9 kB"_s},
        {12 * 1024 + 1000, u"13 kB"_s},
        {1024 * 1024, u"1"_s + nbsp + u"024 kB"_s},
        {1024 * 1024 * 5 / 2, u"2"_s + nbsp + u"560 kB"_s},
        {qint64(1024) * 1234567 + 512, u"1"_s + nbsp + u"234"_s + nbsp + u"567,5 kB"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileSizeText(c.bytes).toStdString(), c.text.toStdString()) << c.bytes;
}

} // namespace
} // namespace qw
