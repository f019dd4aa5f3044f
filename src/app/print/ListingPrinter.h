#pragma once

#include "core/settings/HighlightStyle.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <array>

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;

namespace qw {

class EditorWidget;
struct AppSettings;

// How the printed listing looks: the print font and text colour, and the
// font and colours of each element class of the colouring.
struct ListingLook
{
    struct ClassLook
    {
        QFont font;
        QColor foreground;
        QColor background; // invalid: the paper shows through
    };

    QFont font;
    QColor text = Qt::black;
    std::array<ClassLook, StyleClassCount> classes;
    int tabWidth = 8;

    // The editor font and colours of the settings with their colouring
    // styles; "no colour" as a foreground prints in the text colour.
    static ListingLook fromSettings(const AppSettings& settings);
};

// The sheet's margins in inches and the line spacing as a multiple of the
// height of the letter "A" in the print font.
struct ListingGeometry
{
    static constexpr qreal left = 0.75;
    static constexpr qreal right = 0.5;
    static constexpr qreal top = 0.75;
    static constexpr qreal bottom = 0.75;
    static constexpr qreal lineSpacing = 1.5;
};

// Draws every line of source with its colouring onto the pages of device,
// laid out one line at a time: a line longer than the width between the
// margins goes on in the next row (broken after a blank where one fits), and
// a full page is closed before the next row starts, so nothing but the row
// being drawn is held. The device's painting area must be the whole sheet.
// A break after the last line starts no further row. False when painting
// could not start or a page could not be added.
bool paintListing(QPagedPaintDevice& device, const EditorWidget& source, const ListingLook& look);

// The listing as a PDF file of pages shaped like layout. The file is written
// beside the target and renamed over it only when every page succeeded.
bool printListingToPdf(const QString& path, const QPageLayout& layout, int resolution,
                       const QString& title, const EditorWidget& source, const ListingLook& look);

// The listing on printer as one job: to its PDF file when it prints to one,
// else to the system printer it names.
bool printListing(QPrinter& printer, const EditorWidget& source, const ListingLook& look);

} // namespace qw
