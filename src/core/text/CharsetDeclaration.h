#pragma once

#include "core/text/TextEncoding.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace qw {

// Where a page names its own character set: the first <meta charset="…">
// or <meta http-equiv="Content-Type" content="…; charset=…"> outside a
// comment. valueStart/valueLength locate the name itself in the text, so it
// can be replaced without touching the rest of the tag.
struct CharsetDeclaration
{
    bool found = false;
    qsizetype valueStart = 0;
    qsizetype valueLength = 0;
    // Lower case, without quotes or surrounding spaces.
    QString name;
};

// Looks for the declaration in the page's head: the search stops at <body>
// or after kCharsetSearchLength characters, as a browser's pre-scan does not
// read a whole page either.
CharsetDeclaration findCharsetDeclaration(QStringView text);

inline constexpr qsizetype kCharsetSearchLength = 64 * 1024;

// The encoding a charset name stands for among those the editor writes:
// UTF-8 or Windows-1250 (with their usual aliases); nothing for others.
std::optional<TextEncoding> encodingForCharset(QStringView name);

// The encoding the page's own declaration names, when it is one we write.
std::optional<TextEncoding> declaredEncoding(QStringView text);

// The name a declaration should carry for encoding ("utf-8" for both UTF-8
// forms: the byte-order mark is no part of the name).
QString charsetName(TextEncoding encoding);

// The edit that makes a page's declaration name encoding: the value's place
// and the new name. Nothing when the page declares no character set or
// already names that encoding (in any of its spellings).
struct CharsetUpdate
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString name;
};
std::optional<CharsetUpdate> charsetUpdateFor(QStringView text, TextEncoding encoding);

// How the status bar and the encoding menu name an encoding.
QString encodingDisplayName(TextEncoding encoding);

} // namespace qw
