#pragma once

// The page's own addresses and names, checked without a network: files and
// folders that relative (or file:) addresses name, in-page anchors, ids that
// stand twice and pictures without an alternative text.

#include "core/check/PageFinding.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace qw {

// Findings for text, a page saved at documentPath (empty for a page without
// a file: then no file is looked for). Addresses with a scheme other than
// file: and addresses from the site's root ("/...") are left alone, as is
// everything relative once the page names an absolute <base>.
QList<PageFinding> checkLinks(QStringView text, const QString& documentPath);

} // namespace qw
