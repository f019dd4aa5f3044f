#pragma once

#include "core/settings/HighlightStyle.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace qw {

// The colour field of the element dialogs: a fixed list of eighteen entries.
// Entry 0 holds a colour the user picked (white until then), entry 1 stands
// for "no colour", entries 2 to 17 are the sixteen basic colours.
struct ColorFieldEntry
{
    QStringView label;
    std::optional<quint32> rgb; // 0xRRGGBB; none for "Žádná" and the custom entry
};

inline constexpr int kColorFieldCustom = 0;
inline constexpr int kColorFieldNone = 1;
inline constexpr int kColorFieldEntryCount = 18;
inline constexpr quint32 kColorFieldWhite = 0xFFFFFF;

std::span<const ColorFieldEntry> colorFieldEntries();

// The value dialogs write: "#" and red, green, blue as two upper-case
// hexadecimal digits each.
QString colorFieldValueText(quint32 rgb);

// The colour a filled-in attribute value stands for: nothing for an empty
// text (the field then shows "Žádná"); "#" with exactly six hexadecimal digits
// (red first, either case); otherwise the text as a colour name with "cl" put
// before it (red, Navy, btnface); white for a text that names no colour. A
// system colour comes back as such (see ColorText.h): the window resolves it
// through its palette.
std::optional<ColorRef> colorFieldColor(QStringView text);

// The entry a colour selects: the basic colour of the same value, searched
// from the last entry down, or the custom entry, which then takes the colour.
int colorFieldEntryFor(quint32 rgb);

} // namespace qw
