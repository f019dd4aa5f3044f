#pragma once

#include <QColor>
#include <QComboBox>

namespace qw {

class UiServices;

// The colour field of the element dialogs and the tag inspector: eighteen
// fixed entries, each a framed swatch and a Czech name. Entry 0 "Vlastní..."
// holds a colour the user picks in the colour dialog (white until then),
// entry 1 "Žádná" stands for no colour, the rest are the basic colours.
//
// value() is what goes into an attribute: "#RRGGBB" in upper case, or empty
// while "Žádná" is selected. setValueText() takes an attribute's value back.
class ColorCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit ColorCombo(UiServices& ui, QWidget* parent = nullptr);

    // "#RRGGBB", or empty for "Žádná".
    QString value() const;
    // The selected colour; invalid for "Žádná".
    QColor color() const;
    bool isNone() const;
    QColor customColor() const { return m_custom; }

    // Empty text selects "Žádná"; "#" with six hexadecimal digits or a colour
    // name (red, Navy) selects the basic colour of that value, searched from
    // the last entry down; any other colour becomes the custom entry's colour
    // and selects it; a text that names no colour gives white ("Bílá").
    void setValueText(const QString& text);
    // Selects "Žádná" (the state a cleared dialog shows).
    void selectNone();

signals:
    // The user chose an entry (for "Vlastní..." after the colour dialog,
    // also when it was cancelled: the entry stays selected).
    void colorChosen(const QString& value);
    // The value changed, by the user or by the program.
    void valueChanged(const QString& value);

private:
    void chooseEntry(int index);
    void setCustomColor(const QColor& color);
    void emitIfChanged();

    UiServices& m_ui;
    QColor m_custom = Qt::white;
    QString m_lastValue;
};

} // namespace qw
