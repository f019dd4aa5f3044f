#include "app/elements/ColorsDialog.h"

#include "app/elements/PaletteGrid.h"
#include "app/services/ComboBoxAccessibility.h"
#include "core/editor/EditorWidget.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qw {

namespace {
// Room the window's own margins and spacing take beside the grid and the
// two panels.
constexpr int kExtraHeight = 70;
} // namespace

ColorsDialog::ColorsDialog(ElementDialogContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    installComboBoxAccessibility();
    setObjectName(QStringLiteral("frmColors"));
    setWindowTitle(QStringLiteral("Vložit barvu"));

    m_top = new QWidget(this);
    auto* top = new QHBoxLayout(m_top);
    top->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Paleta : "), m_top);
    m_selector = new QComboBox(m_top);
    m_selector->setObjectName(QStringLiteral("cmbSelColor"));
    m_selector->addItems(paletteNames());
    label->setBuddy(m_selector);
    m_selector->setAccessibleName(QStringLiteral("Paleta : "));
    top->addWidget(label);
    top->addWidget(m_selector, 1);

    m_grid = new PaletteGrid(this);
    m_grid->setObjectName(QStringLiteral("Paleta"));
    m_grid->setAccessibleName(QStringLiteral("Paleta"));

    m_bottom = new QWidget(this);
    auto* bottom = new QHBoxLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    m_swatch = new QFrame(m_bottom);
    m_swatch->setObjectName(QStringLiteral("Panel1"));
    m_swatch->setFrameShape(QFrame::Panel);
    m_swatch->setFrameShadow(QFrame::Sunken);
    m_swatch->setAutoFillBackground(true);
    m_swatch->setFixedSize(40, 22);
    m_code = new QLineEdit(m_bottom);
    m_code->setObjectName(QStringLiteral("Edit1"));
    m_code->setAccessibleName(QStringLiteral("Kód barvy"));
    bottom->addWidget(m_swatch);
    bottom->addWidget(m_code, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_top);
    layout->addWidget(m_grid, 0, Qt::AlignHCenter);
    layout->addWidget(m_bottom);

    connect(m_selector, &QComboBox::currentIndexChanged, this, &ColorsDialog::showPalette);
    connect(m_grid, &PaletteGrid::colorHovered, this, &ColorsDialog::showColor);
    connect(m_grid, &PaletteGrid::clicked, this, &ColorsDialog::pick);
}

void ColorsDialog::prepareToShow()
{
    m_selector->setCurrentIndex(int(PaletteKind::System));
    showPalette(int(PaletteKind::System));
    m_grid->setFocus();
}

QString ColorsDialog::code() const
{
    return m_code->text();
}

void ColorsDialog::showPalette(int index)
{
    if (index < 0 || index > int(PaletteKind::Safe))
        return;
    m_grid->setColors(paletteColors(PaletteKind(index)));
    // The window follows the grid: its height is the grid's, the two panels'
    // and a fixed margin.
    const int height = m_grid->height() + m_top->sizeHint().height() +
                       m_bottom->sizeHint().height() + kExtraHeight;
    setFixedHeight(height);
}

void ColorsDialog::showColor(PaletteColor color)
{
    QPalette swatch = m_swatch->palette();
    swatch.setColor(QPalette::Window, QColor(color.red, color.green, color.blue));
    m_swatch->setPalette(swatch);
    m_code->setText(paletteColorCode(color));
}

void ColorsDialog::pick()
{
    // With no code yet (Enter before any colour was shown) there is nothing
    // to insert, and the selection must not be replaced by nothing.
    EditorWidget* editor = m_context.sourceEditor ? m_context.sourceEditor() : nullptr;
    if (editor != nullptr && !m_code->text().isEmpty())
        editor->replaceSelection(m_code->text());
    accept();
}

} // namespace qw
