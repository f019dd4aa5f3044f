#pragma once

#include <QList>
#include <QString>

namespace qw {

enum class FindingKind { Error, Warning, Note };

// One problem found on a page. Lines and columns count from 1; a column
// counts characters (code points) from the start of its line, a tab as one,
// as the editor places its caret. Line 0 means the page as a whole.
struct PageFinding
{
    FindingKind kind = FindingKind::Error;
    int line = 0;
    int column = 0;
    // How many characters from the place the finding is about (at least 1).
    int length = 1;
    QString message;
    // The library's message name for findings of the markup check ("" for
    // our own), kept so the Czech share can be counted.
    QString code;
    bool czech = true;

    bool operator==(const PageFinding&) const = default;
};

// Czech name of a kind as the list shows it.
QString findingKindText(FindingKind kind);

// Findings in the order of the page: line, then column.
void sortFindings(QList<PageFinding>& findings);

} // namespace qw
