#include "app/elements/PaletteGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qw {

PaletteGrid::PaletteGrid(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PaletteGrid::setColors(const QList<PaletteColor>& colors)
{
    m_colors = colors;
    m_current = -1;
    setFixedSize(sizeHint());
    update();
}

int PaletteGrid::rowCount() const
{
    return paletteRowCount(m_colors.size());
}

QRect PaletteGrid::cellRect(int row, int column) const
{
    return {column * kPaletteCellPitch, row * kPaletteCellPitch, kPaletteCellSize,
            kPaletteCellSize};
}

QSize PaletteGrid::sizeHint() const
{
    return {kPaletteColumns * kPaletteCellPitch, rowCount() * kPaletteCellPitch};
}

void PaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (qsizetype i = 0; i < m_colors.size(); ++i) {
        const PaletteColor c = m_colors[i];
        const QRect cell = cellRect(int(i / kPaletteColumns), int(i % kPaletteColumns));
        painter.fillRect(cell, QColor(c.red, c.green, c.blue));
        if (i == m_current && hasFocus()) {
            painter.setPen(palette().color(QPalette::Highlight));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void PaletteGrid::hoverEntry(qsizetype index)
{
    if (index >= 0 && index < m_colors.size())
        emit colorHovered(m_colors[index]);
}

void PaletteGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (p.x() < 0 || p.y() < 0)
        return;
    const auto index =
        paletteEntryIndex(p.y() / kPaletteCellPitch, p.x() / kPaletteCellPitch, m_colors.size());
    if (index)
        hoverEntry(*index);
}

void PaletteGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PaletteGrid::keyPressEvent(QKeyEvent* event)
{
    const qsizetype count = m_colors.size();
    qsizetype next = m_current < 0 ? 0 : m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        next -= m_current < 0 ? 0 : 1;
        break;
    case Qt::Key_Right:
        next += m_current < 0 ? 0 : 1;
        break;
    case Qt::Key_Up:
        next -= m_current < 0 ? 0 : kPaletteColumns;
        break;
    case Qt::Key_Down:
        next += m_current < 0 ? 0 : kPaletteColumns;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (count == 0 || next < 0 || next >= count)
        return;
    m_current = next;
    hoverEntry(m_current);
    update();
}

} // namespace qw
