#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qw {

// The colour dialog's four palettes, in the order of its selector.
enum class PaletteKind { System, Sixteen, Greys, Safe };

struct PaletteColor
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const PaletteColor&, const PaletteColor&) = default;
};

// The selector's items: "Systémová paleta", "16 barev", "Odstíny šedi",
// "Bezpečné barvy".
QStringList paletteNames();

// A palette's entries in grid order (row by row, left to right).
const QList<PaletteColor>& paletteColors(PaletteKind kind);

// An entry as the palettes hold it: the three components as decimal numbers
// separated by single spaces ("128 0 0"), and back.
QString paletteEntryText(PaletteColor color);
std::optional<PaletteColor> parsePaletteEntry(const QString& text);

// The code shown for the colour under the mouse and inserted on a click:
// "#" and two upper-case hexadecimal digits per component ("#800000").
QString paletteColorCode(PaletteColor color);

// The grid: 16 columns of 12 x 12 pixel cells, 13 pixels apart with the grid
// line, as many rows as the entries need; cells past the last entry are empty.
inline constexpr int kPaletteColumns = 16;
inline constexpr int kPaletteCellSize = 12;
inline constexpr int kPaletteCellPitch = 13;

int paletteRowCount(qsizetype entryCount);
// The entry a cell shows, or nothing for an empty cell or one outside the grid.
std::optional<qsizetype> paletteEntryIndex(int row, int column, qsizetype entryCount);

} // namespace qw
