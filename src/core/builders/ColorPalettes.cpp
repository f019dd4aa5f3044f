#include "core/builders/ColorPalettes.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

constexpr std::array<int, 6> kSafeSteps{0, 51, 102, 153, 204, 255};

QList<PaletteColor> cube(bool redFastest)
{
    QList<PaletteColor> colors;
    colors.reserve(216);
    for (int slow : kSafeSteps) {
        for (int middle : kSafeSteps) {
            for (int fast : kSafeSteps) {
                // System: red fastest, then green, blue slowest.
                // Safe: blue fastest, then red, green slowest.
                colors.append(redFastest ? PaletteColor{fast, middle, slow}
                                         : PaletteColor{middle, slow, fast});
            }
        }
    }
    return colors;
}

QList<PaletteColor> sixteen()
{
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

QList<PaletteColor> greys()
{
    QList<PaletteColor> colors;
    colors.reserve(256);
    for (int n = 0; n < 256; ++n)
        colors.append({n, n, n});
    return colors;
}

} // namespace

QStringList paletteNames()
{
    return {u"Systémová paleta"_s, u"16 barev"_s, u"Odstíny šedi"_s, u"Bezpečné barvy"_s};
}

const QList<PaletteColor>& paletteColors(PaletteKind kind)
{
    static const QList<PaletteColor> system = cube(true);
    static const QList<PaletteColor> basic = sixteen();
    static const QList<PaletteColor> grey = greys();
    static const QList<PaletteColor> safe = cube(false);
    switch (kind) {
    case PaletteKind::System:
        return system;
    case PaletteKind::Sixteen:
        return basic;
    case PaletteKind::Greys:
        return grey;
    case PaletteKind::Safe:
        return safe;
    }
    return system;
}

QString paletteEntryText(PaletteColor color)
{
    return QString::number(color.red) + u' ' + QString::number(color.green) + u' ' +
           QString::number(color.blue);
}

std::optional<PaletteColor> parsePaletteEntry(const QString& text)
{
    const QStringList parts = text.split(u' ');
    if (parts.size() != 3)
        return std::nullopt;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = parts.at(i).toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255)
            return std::nullopt;
    }
    return PaletteColor{values[0], values[1], values[2]};
}

QString paletteColorCode(PaletteColor color)
{
    const auto hex = [](int v) {
        return QString::number(std::clamp(v, 0, 255), 16).toUpper().rightJustified(2, u'0');
    };
    return u"#"_s + hex(color.red) + hex(color.green) + hex(color.blue);
}

int paletteRowCount(qsizetype entryCount)
{
    if (entryCount <= 0)
        return 0;
    return int((entryCount + kPaletteColumns - 1) / kPaletteColumns);
}

std::optional<qsizetype> paletteEntryIndex(int row, int column, qsizetype entryCount)
{
    if (row < 0 || column < 0 || column >= kPaletteColumns)
        return std::nullopt;
    const qsizetype index = qsizetype(row) * kPaletteColumns + column;
    if (index >= entryCount)
        return std::nullopt;
    return index;
}

} // namespace qw
