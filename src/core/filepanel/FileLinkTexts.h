#pragma once

#include "core/markup/LinkPath.h"
#include "core/markup/TagAttributeList.h"

#include <QString>

namespace qw {

// The start and end text that wrap the selection when a file of the file
// panel is inserted as a link into the document at documentPath.
struct FileLinkTexts
{
    QString start; // <a href="link">
    QString end;   // </a>
};

// Only the tag and attribute names follow the tag case: the link keeps the
// case that makeLinkPath gave it, so a user who turned off lower-case file
// names still gets a link that finds the file on a case-sensitive server.
FileLinkTexts fileLinkTexts(const QString& filePath, const QString& documentPath, LinkOptions links,
                            TagCaseOptions tagCase);

} // namespace qw
