#pragma once

#include "core/settings/HighlightStyle.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <span>

namespace qw {

// The settings dialog's decisions, kept apart from its widgets.

// The extension field as DefaultExt stores it: with its leading point; an
// empty field stays empty (the save puts the default in its place).
QString normalizedDefaultExt(const QString& field);

// One row of the filter list.
struct FilterRow
{
    QString name;
    QString mask;

    // The name is the text before the first "|"; the mask the rest without
    // its last character (the closing "|").
    static FilterRow fromText(QStringView text);
    // "name|mask|", the form the settings keep.
    QString toText() const;

    friend bool operator==(const FilterRow&, const FilterRow&) = default;
};

// Moves the row at index one place (delta -1 up, +1 down) unless it is
// already at that end or there is no such row; returns where the row is
// afterwards (index when nothing moved).
template<class T> qsizetype moveRow(QList<T>& rows, qsizetype index, int delta)
{
    const qsizetype target = index + delta;
    if (index < 0 || index >= rows.size() || target < 0 || target >= rows.size())
        return index;
    rows.move(index, target);
    return target;
}

// An entry of the style page: the style it shows and the styles a change of
// it sets, in order.
struct StyleEntry
{
    QString caption;
    StyleClass shown;
    std::span<const StyleClass> changed;
};
std::span<const StyleEntry> styleEntries();

// Sets every style the entry changes to the shown look: foreground, bold,
// italic and underline; the styles' other parts stay.
void applyStyleEntry(HighlightStyles& styles, const StyleEntry& entry, ColorRef foreground,
                     bool bold, bool italic, bool underline);

} // namespace qw
