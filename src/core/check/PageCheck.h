#pragma once

// The whole check of a page: its markup, then its addresses and names.

#include "core/check/MarkupCheck.h"
#include "core/check/PageFinding.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace qw {

struct PageCheck
{
    CheckOutcome outcome = CheckOutcome::Done;
    // In the order of the page. A check that timed out or was given up
    // gives the one finding that says the page could not be checked; a
    // cancelled one gives nothing.
    QList<PageFinding> findings;
};

// utf8 is the page's text; documentPath its file, or empty for a page
// without one.
PageCheck checkPage(const QByteArray& utf8, const QString& documentPath,
                    const CheckControl& control = {});

// The text of the one finding of a page that could not be checked.
QString uncheckedPageText(CheckOutcome outcome, bool tooDeep);

} // namespace qw
