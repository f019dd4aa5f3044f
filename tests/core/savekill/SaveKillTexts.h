#pragma once

#include "core/text/DocumentText.h"

#include <QString>

namespace qw::test {

// The two texts the saves alternate between: about 1 MB each, Czech letters
// throughout, different in every line, so a file holding parts of both, or a
// cut one, is never equal to either.
inline QString saveKillText(int which)
{
    QString text;
    text.reserve(1100 * 1024);
    int line = 0;
    while (text.size() < 1024 * 1024) {
        text +=
            QStringLiteral("<p>Řádek %1 textu %2: příliš žluťoučký kůň úpěl ďábelské ódy</p>\r\n")
                .arg(line++)
                .arg(which == 0 ? QStringLiteral("starého") : QStringLiteral("nového"));
    }
    return text;
}

// The bytes of a save of text `which`, as the program writes a page.
inline QByteArray saveKillBytes(int which)
{
    return encodeDocument(saveKillText(which), LineBreak::CrLf, TextEncoding::Windows1250);
}

} // namespace qw::test
