#pragma once

#include "core/builders/ColorPalettes.h"

#include <QWidget>

namespace qw {

// The colour dialog's grid: 16 columns of 12 x 12 cells, 13 pixels apart,
// filled row by row from a palette; cells past the last entry stay empty.
// Pointing at a cell reports its colour, a click reports the click. The
// arrow keys walk the cells and Enter or Space clicks, so the grid also works
// without a mouse.
class PaletteGrid : public QWidget
{
    Q_OBJECT
public:
    explicit PaletteGrid(QWidget* parent = nullptr);

    // Takes the entries and sizes the grid to them.
    void setColors(const QList<PaletteColor>& colors);
    const QList<PaletteColor>& colors() const { return m_colors; }
    int rowCount() const;

    // The rectangle of a cell's colour (without the grid line).
    QRect cellRect(int row, int column) const;

    QSize sizeHint() const override;

signals:
    // The pointer (or the keyboard's current cell) is on an entry.
    void colorHovered(qw::PaletteColor color);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void hoverEntry(qsizetype index);

    QList<PaletteColor> m_colors;
    qsizetype m_current = -1; // the keyboard's cell
};

} // namespace qw
