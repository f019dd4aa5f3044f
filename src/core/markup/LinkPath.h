#pragma once

#include <QString>

namespace qw {

// The user's three link settings, all on by default.
struct LinkOptions
{
    // Write links relative to the folder of the document's file.
    bool relativePath = true;
    // Lower-case the whole link (national letters included).
    bool lowerFileName = true;
    // Turn every backslash of the link into "/".
    bool backslashToSlash = true;
};

// Turns the full path of a file the user picked into the text of a link
// attribute for the document at documentPath.
//
// Relative: only when documentPath is an absolute path of a file that exists
// (an unsaved document, named "dokument1" and the like, has no folder, so the
// link stays absolute). The common leading folders are dropped and one "../"
// is written for each remaining folder of the document's folder. A Linux file
// system has a single root, so every target lies on the document's "drive":
// folders that share nothing but "/" give a chain of "../" up to the root.
// Folder names are compared exactly, since Linux names differ by case.
QString makeLinkPath(const QString& filePath, const QString& documentPath, LinkOptions options);

// The same for a document about to be written at documentPath, an absolute
// path whose file need not exist yet (its first save).
QString makeLinkPathForNewFile(const QString& filePath, const QString& documentPath,
                               LinkOptions options);

} // namespace qw
