#pragma once

#include "app/elements/ElementDialog.h"
#include "core/builders/ColorPalettes.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLineEdit;

namespace qw {

class PaletteGrid;

// "Vložit barvu": one of four palettes in a grid; the swatch and the code
// show the colour under the pointer, and a click on the grid puts the code in
// place of the selection of the source page's editor and closes. There is no OK or "Storno": the
// close box closes without inserting. The code field keeps its text between uses and may be typed
// into; a click inserts whatever it holds.
class ColorsDialog : public QDialog
{
    Q_OBJECT
public:
    ColorsDialog(ElementDialogContext& context, QWidget* parent);

    // Done before each showing: "Systémová paleta" in a fresh grid that has
    // the focus, the height fitted to it.
    void prepareToShow();

    PaletteGrid* grid() const { return m_grid; }
    QComboBox* paletteSelector() const { return m_selector; }
    QString code() const;

private:
    void showPalette(int index);
    void showColor(PaletteColor color);
    void pick();

    ElementDialogContext& m_context;
    QComboBox* m_selector = nullptr;
    QWidget* m_top = nullptr;
    QWidget* m_bottom = nullptr;
    PaletteGrid* m_grid = nullptr;
    QFrame* m_swatch = nullptr;
    QLineEdit* m_code = nullptr;
};

} // namespace qw
