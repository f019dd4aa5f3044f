#include "app/print/ListingPrinter.h"

#include "app/editor/ColorRef.h"
#include "core/editor/EditorWidget.h"
#include "core/highlight/StyledPieces.h"
#include "core/settings/AppSettings.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qw {

ListingLook ListingLook::fromSettings(const AppSettings& settings)
{
    ListingLook look;
    look.font = QFont(settings.fontName, settings.fontSize > 0 ? settings.fontSize : 10);
    const QColor text = toQColor(settings.fontColor);
    if (text.isValid())
        look.text = text;
    look.tabWidth = settings.tabWidth > 0 ? settings.tabWidth : 8;
    for (std::size_t i = 0; i < StyleClassCount; ++i) {
        const HighlightStyle& style = settings.styles[i];
        ClassLook& c = look.classes[i];
        c.font = look.font;
        c.font.setBold(style.bold);
        c.font.setItalic(style.italic);
        c.font.setUnderline(style.underline);
        c.font.setStrikeOut(style.strikeOut);
        c.foreground = toQColor(style.foreground);
        if (!c.foreground.isValid())
            c.foreground = look.text;
        if (style.hasBackground)
            c.background = toQColor(style.background);
    }
    return look;
}

namespace {

// Lays the rows out and draws each as soon as it is complete enough to draw:
// the painter holds the page, this holds one row's position.
class ListingPainter
{
public:
    ListingPainter(QPainter& painter, QPagedPaintDevice& device, const ListingLook& look)
        : m_painter(painter), m_device(device)
    {
        const qreal dpiX = device.logicalDpiX();
        const qreal dpiY = device.logicalDpiY();
        m_left = ListingGeometry::left * dpiX;
        m_top = ListingGeometry::top * dpiY;
        m_width = std::max<qreal>(1, device.width() - m_left - ListingGeometry::right * dpiX);
        const qreal height = device.height() - m_top - ListingGeometry::bottom * dpiY;

        m_formats.reserve(StyleClassCount + 1);
        for (const ListingLook::ClassLook& c : look.classes)
            m_formats.push_back(
                Format{c.font, QFontMetricsF(c.font, &device), c.foreground, c.background});
        m_formats.push_back(
            Format{look.font, QFontMetricsF(look.font, &device), look.text, QColor()});
        const QFontMetricsF& plain = m_formats.back().metrics;
        // The height of the letter "A" as a line of text takes it: the
        // font's ascent and descent.
        m_lineHeight = ListingGeometry::lineSpacing * plain.height();
        m_ascent = plain.ascent();
        m_tabStop = look.tabWidth * plain.horizontalAdvance(QLatin1Char(' '));
        m_rowsPerPage = std::max(1, int(std::floor(height / m_lineHeight + 1e-9)));
    }

    bool paintLine(const QString& line, const std::vector<StyledPiece>& pieces)
    {
        if (!startRow())
            return false;
        qreal x = 0;
        for (const StyledPiece& piece : pieces) {
            const int formatIndex = piece.styled ? int(piece.style) : int(StyleClassCount);
            const Format& f = m_formats[std::size_t(formatIndex)];
            qsizetype pos = piece.start;
            const qsizetype end = piece.start + piece.length;
            while (pos < end) {
                if (line.at(pos) == u'\t') {
                    const qreal next =
                        m_tabStop > 0 ? (std::floor(x / m_tabStop + 1e-9) + 1) * m_tabStop : x;
                    ++pos;
                    if (next > m_width && x > 0) {
                        // A tab past the edge only starts the next row.
                        if (!nextRow())
                            return false;
                        x = 0;
                    } else {
                        x = std::min(next, m_width);
                    }
                    continue;
                }
                qsizetype segmentEnd = line.indexOf(u'\t', pos);
                if (segmentEnd < 0 || segmentEnd > end)
                    segmentEnd = end;
                const QString segment = line.sliced(pos, segmentEnd - pos);
                const qreal w = f.metrics.horizontalAdvance(segment);
                if (x + w <= m_width) {
                    draw(segment, x, w, formatIndex);
                    x += w;
                    pos = segmentEnd;
                    continue;
                }
                qsizetype n = fitting(segment, f.metrics, m_width - x);
                if (n < segment.size()) {
                    const qsizetype blank = segment.lastIndexOf(u' ', n - 1);
                    if (n > 0 && blank >= 0)
                        n = blank + 1;
                    else if (x > 0 && w <= m_width)
                        n = 0; // the piece goes whole onto a row of its own
                }
                if (n == 0 && x == 0) // not even one character fits: draw it anyway
                    n = segment.size() > 1 && segment.at(0).isHighSurrogate() ? 2 : 1;
                if (n > 0) {
                    const QString part = segment.first(n);
                    draw(part, x, f.metrics.horizontalAdvance(part), formatIndex);
                }
                if (!nextRow())
                    return false;
                x = 0;
                pos += n;
            }
        }
        ++m_row;
        return true;
    }

private:
    struct Format
    {
        QFont font;
        QFontMetricsF metrics;
        QColor foreground;
        QColor background;
    };

    // The number of leading characters of text that fit into width.
    static qsizetype fitting(const QString& text, const QFontMetricsF& metrics, qreal width)
    {
        qreal used = 0;
        qsizetype i = 0;
        while (i < text.size()) {
            const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            used += len == 1 ? metrics.horizontalAdvance(text.at(i))
                             : metrics.horizontalAdvance(text.sliced(i, 2));
            if (used > width)
                break;
            i += len;
        }
        return i;
    }

    // Makes the row m_row the next one to draw, on a new page when the
    // current one is full.
    bool startRow()
    {
        if (m_row < m_rowsPerPage)
            return true;
        if (!m_device.newPage())
            return false;
        m_row = 0;
        return true;
    }

    bool nextRow()
    {
        ++m_row;
        return startRow();
    }

    void draw(const QString& text, qreal x, qreal width, int formatIndex)
    {
        const Format& f = m_formats[std::size_t(formatIndex)];
        const qreal rowTop = m_top + m_row * m_lineHeight;
        if (f.background.isValid())
            m_painter.fillRect(QRectF(m_left + x, rowTop, width, m_lineHeight), f.background);
        if (formatIndex != m_painterFormat) {
            m_painter.setFont(f.font);
            m_painter.setPen(f.foreground);
            m_painterFormat = formatIndex;
        }
        m_painter.drawText(QPointF(m_left + x, rowTop + m_ascent), text);
    }

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    std::vector<Format> m_formats;
    qreal m_left = 0;
    qreal m_top = 0;
    qreal m_width = 1;
    qreal m_lineHeight = 1;
    qreal m_ascent = 0;
    qreal m_tabStop = 0;
    int m_rowsPerPage = 1;
    int m_row = 0;
    int m_painterFormat = -1;
};

} // namespace

bool paintListing(QPagedPaintDevice& device, const EditorWidget& source, const ListingLook& look)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    ListingPainter listing(painter, device, look);
    StyledLineWalker walker;
    int count = source.lineCount();
    if (count > 0 && source.line(count - 1).isEmpty())
        --count;
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        const QString line = source.line(i);
        ok = listing.paintLine(line, walker.next(line));
    }
    return painter.end() && ok;
}

bool printListingToPdf(const QString& path, const QPageLayout& layout, int resolution,
                       const QString& title, const EditorWidget& source, const ListingLook& look)
{
    // The PDF streams into the file page by page; a job that fails leaves
    // the file that was there before.
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    bool ok = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution > 0 ? resolution : 1200);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quenwick"));
        // The margins are the listing's own, measured from the sheet's edge.
        ok = writer.setPageLayout(
                 QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF())) &&
             paintListing(writer, source, look);
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool printListing(QPrinter& printer, const EditorWidget& source, const ListingLook& look)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return printListingToPdf(printer.outputFileName(), printer.pageLayout(),
                                 printer.resolution(), printer.docName(), source, look);
    }
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    const bool ok = paintListing(printer, source, look);
    printer.setFullPage(fullPage);
    return ok;
}

} // namespace qw
