#pragma once

#include "core/settings/IniFile.h"
#include "core/settings/TagDefinitions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qw::test {

// A few definitions in the data file's own form (Windows-1250): enough to
// tell apart names that share a start, a flag attribute, colours, addresses
// and named characters beside a numeric one.
inline constexpr char kSmallTagFile[] = "[!TABLE]\r\n"
                                        "BORDER=STRING\r\n"
                                        "WIDTH=STRING\r\n"
                                        "ALIGN=COMBO|left|center|right\r\n"
                                        "[!TD]\r\n"
                                        "WIDTH=STRING\r\n"
                                        "ALIGN=COMBO|left|center|right\r\n"
                                        "NOWRAP=COMBO|nowrap\r\n"
                                        "BGCOLOR=COLOR\r\n"
                                        "ID=STRING\r\n"
                                        "[!TEXTAREA]\r\n"
                                        "NAME=STRING\r\n"
                                        "[!A]\r\n"
                                        "HREF=FILE\r\n"
                                        "TARGET=COMBO|_blank|_self\r\n"
                                        "[!P]\r\n"
                                        "ALIGN=COMBO|left|right\r\n"
                                        "[!BR]\r\n"
                                        "CLEAR=COMBO|left|all\r\n"
                                        "[!COMMENT]\r\n"
                                        "ID=STRING\r\n"
                                        "[SPECIAL]\r\n"
                                        "value0=\x9A &scaron;\r\n"
                                        "value1=\x8A &Scaron;\r\n"
                                        "value2=\xA9 &copy;\r\n"
                                        "value3=\xE8 &#269;\r\n";

class SmallDefinitions
{
public:
    SmallDefinitions()
    {
        QFile file(m_dir.filePath(QStringLiteral("tag.dat")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kSmallTagFile);
    }
    const TagDefinitions& tags() const { return m_tags; }

private:
    QTemporaryDir m_dir;
    IniFile m_ini{m_dir.filePath(QStringLiteral("tag.dat"))};
    TagDefinitions m_tags{m_ini};
};

// The text with "|" where the caret stands; the caret comes back in `caret`.
inline QString withoutCaret(const QString& marked, qsizetype& caret)
{
    caret = marked.indexOf(u'|');
    return QString(marked).remove(caret, 1);
}

} // namespace qw::test
