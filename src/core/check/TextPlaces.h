#pragma once

#include <QStringView>

#include <vector>

namespace qw {

// Lines and columns of offsets into one text, lines broken at CR LF, LF or
// CR as the editor breaks them. Built once a check, so each question costs
// a search and a walk along one line, never the whole text again.
class TextPlaces
{
public:
    explicit TextPlaces(QStringView text);

    // The 1-based line of a UTF-16 offset.
    int lineOf(qsizetype offset) const;
    // The 1-based column of a UTF-16 offset in code points.
    int columnOf(qsizetype offset) const;
    // Code points in [from, to).
    int charactersBetween(qsizetype from, qsizetype to) const;

private:
    QStringView m_text;
    std::vector<qsizetype> m_lineStarts;
};

} // namespace qw
