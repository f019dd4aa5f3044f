// The colour palette dialog: its four palettes in the grid, the code under
// the pointer and the insert on a click, on a real editor.

#include "DialogFixture.h"
#include "app/elements/ColorsDialog.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/PaletteGrid.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace qw {

class TestColorsDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f;

    ColorsDialog& open()
    {
        openColorsDialog(*f->dialogs);
        ColorsDialog& dialog = f->dialogs->get<ColorsDialog>();
        return dialog;
    }

    static QPoint cellCentre(const PaletteGrid& grid, int row, int column)
    {
        return grid.cellRect(row, column).center();
    }

    // The pointer moving over the grid (delivered directly: the offscreen
    // platform has no pointer of its own to move).
    static void hover(PaletteGrid& grid, QPoint pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, grid.mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&grid, &move);
    }

    static QString code(const ColorsDialog& dialog)
    {
        return dialog.findChild<QLineEdit*>(u"Edit1"_s)->text();
    }

private slots:
    void init() { f = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f.reset(); }

    void opensOnTheSystemPaletteWithTheGridFocused()
    {
        ColorsDialog& dialog = open();
        QCOMPARE(f->shown, &dialog);
        QCOMPARE(dialog.windowTitle(), u"Vložit barvu"_s);
        dialog.paletteSelector()->setCurrentIndex(2);
        dialog.hide();
        open();
        QCOMPARE(dialog.paletteSelector()->currentText(), u"Systémová paleta"_s);
        QCOMPARE(dialog.grid()->colors().size(), 216);
        QCOMPARE(dialog.focusWidget(), dialog.grid());
    }

    // 16 columns; the rows the entries need; the grid and the window follow
    // the palette (13 pixels a row).
    void gridFitsEachPalette_data()
    {
        QTest::addColumn<int>("palette");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cellsInLastRow");
        QTest::newRow("Systémová paleta") << 0 << 14 << 8;
        QTest::newRow("16 barev") << 1 << 1 << 16;
        QTest::newRow("Odstíny šedi") << 2 << 16 << 16;
        QTest::newRow("Bezpečné barvy") << 3 << 14 << 8;
    }
    void gridFitsEachPalette()
    {
        QFETCH(int, palette);
        QFETCH(int, rows);
        QFETCH(int, cellsInLastRow);
        ColorsDialog& dialog = open();
        const int oneRowHeight = [&] {
            dialog.paletteSelector()->setCurrentIndex(1);
            return dialog.height();
        }();
        dialog.paletteSelector()->setCurrentIndex(palette);
        PaletteGrid& grid = *dialog.grid();
        QCOMPARE(grid.rowCount(), rows);
        QCOMPARE(grid.size(), QSize(16 * 13, rows * 13));
        QCOMPARE(dialog.height() - oneRowHeight, (rows - 1) * 13);

        // The last cell with an entry shows its code; the one after it is
        // empty and changes nothing.
        const QList<PaletteColor>& colors = grid.colors();
        hover(grid, cellCentre(grid, rows - 1, cellsInLastRow - 1));
        QCOMPARE(code(dialog), paletteColorCode(colors.constLast()));
        if (cellsInLastRow < 16) {
            hover(grid, cellCentre(grid, 0, 0));
            hover(grid, cellCentre(grid, rows - 1, cellsInLastRow));
            QCOMPARE(code(dialog), paletteColorCode(colors.constFirst()));
        }
    }

    void hoverShowsTheCodeAndAClickInsertsIt()
    {
        f->setText(u"color=\"red\""_s, 7, 3);
        ColorsDialog& dialog = open();
        dialog.paletteSelector()->setCurrentIndex(1); // "16 barev"
        PaletteGrid& grid = *dialog.grid();
        hover(grid, cellCentre(grid, 0, 1)); // 128 0 0
        QCOMPARE(code(dialog), u"#800000"_s);
        const QFrame* swatch = dialog.findChild<QFrame*>(u"Panel1"_s);
        QCOMPARE(swatch->palette().color(QPalette::Window), QColor(128, 0, 0));

        QTest::mouseClick(&grid, Qt::LeftButton, {}, cellCentre(grid, 0, 1));
        QCOMPARE(f->editor->text(), u"color=\"#800000\""_s);
        QCOMPARE(f->editor->selectionStart(), 14);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // The code field keeps its text between uses and may be typed into; the
    // keyboard walks the cells and Enter inserts.
    void codeFieldAndKeyboard()
    {
        f->setText(u"ab"_s, 0, 2);
        ColorsDialog& dialog = open();
        // No colour shown yet: Enter closes and the selection stays.
        QTest::keyClick(dialog.grid(), Qt::Key_Return);
        QCOMPARE(f->editor->text(), u"ab"_s);
        QVERIFY(!dialog.isVisible());

        f->setText(u"ab"_s, 1);
        open();
        dialog.paletteSelector()->setCurrentIndex(1);
        hover(*dialog.grid(), cellCentre(*dialog.grid(), 0, 9)); // 255 0 0
        dialog.reject(); // the close box: nothing goes in
        QCOMPARE(f->editor->text(), u"ab"_s);

        open();
        QCOMPARE(code(dialog), u"#FF0000"_s);
        dialog.findChild<QLineEdit*>(u"Edit1"_s)->setText(u"teal"_s);
        QTest::keyClick(dialog.grid(), Qt::Key_Return);
        QCOMPARE(f->editor->text(), u"atealb"_s);

        open();
        dialog.paletteSelector()->setCurrentIndex(1);
        dialog.grid()->setFocus();
        for (const auto key :
             {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left})
            QTest::keyClick(dialog.grid(), key);
        QCOMPARE(code(dialog), u"#008000"_s); // entry 2: 0 128 0
        QTest::keyClick(dialog.grid(), Qt::Key_Space);
        QCOMPARE(f->editor->text(), u"ateal#008000b"_s);
    }
};

} // namespace qw

QTEST_MAIN(qw::TestColorsDialog)
#include "tst_colorsdialog.moc"
