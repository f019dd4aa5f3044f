#include "app/services/ColorCombo.h"

#include "app/editor/ColorRef.h"
#include "app/services/ComboBoxAccessibility.h"
#include "app/services/UiServices.h"
#include "core/elements/ColorField.h"

#include <QPainter>
#include <QPixmap>

namespace qw {

namespace {

QIcon swatch(const QColor& fill)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (fill.isValid())
        painter.fillRect(pixmap.rect(), fill);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

QColor entryColor(const ColorFieldEntry& entry)
{
    return entry.rgb ? QColor::fromRgb(QRgb(0xFF000000u | *entry.rgb)) : QColor();
}

} // namespace

ColorCombo::ColorCombo(UiServices& ui, QWidget* parent) : QComboBox(parent), m_ui(ui)
{
    installComboBoxAccessibility();
    setEditable(false);
    for (const ColorFieldEntry& entry : colorFieldEntries())
        addItem(swatch(entryColor(entry)), entry.label.toString());
    setItemIcon(kColorFieldCustom, swatch(m_custom));
    setCurrentIndex(kColorFieldNone);
    // activated() comes only from the user; programmatic changes do not pick
    // colours.
    connect(this, &QComboBox::activated, this, &ColorCombo::chooseEntry);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emitIfChanged(); });
}

QColor ColorCombo::color() const
{
    const int index = currentIndex();
    if (index == kColorFieldCustom)
        return m_custom;
    if (index < 0 || index == kColorFieldNone)
        return {};
    return entryColor(colorFieldEntries()[std::size_t(index)]);
}

bool ColorCombo::isNone() const
{
    return !color().isValid();
}

QString ColorCombo::value() const
{
    const QColor c = color();
    return c.isValid() ? colorFieldValueText(c.rgb() & 0xFFFFFF) : QString();
}

void ColorCombo::setValueText(const QString& text)
{
    const std::optional<ColorRef> ref = colorFieldColor(text);
    if (!ref) {
        selectNone();
        return;
    }
    const QColor resolved = toQColor(*ref);
    const int entry = colorFieldEntryFor(resolved.rgb() & 0xFFFFFF);
    if (entry == kColorFieldCustom)
        setCustomColor(resolved);
    setCurrentIndex(entry);
    emitIfChanged();
}

void ColorCombo::selectNone()
{
    setCurrentIndex(kColorFieldNone);
}

void ColorCombo::chooseEntry(int index)
{
    if (index == kColorFieldCustom) {
        if (const std::optional<QColor> picked = m_ui.pickColor(this, Qt::white))
            setCustomColor(*picked);
    }
    emitIfChanged();
    emit colorChosen(value());
}

void ColorCombo::setCustomColor(const QColor& color)
{
    m_custom = QColor::fromRgb(color.rgb());
    setItemIcon(kColorFieldCustom, swatch(m_custom));
}

void ColorCombo::emitIfChanged()
{
    const QString now = value();
    if (now != m_lastValue) {
        m_lastValue = now;
        emit valueChanged(now);
    }
}

} // namespace qw
