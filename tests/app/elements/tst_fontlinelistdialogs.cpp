// The font, horizontal rule and list dialogs through their openers and OK on
// a real editor.

#include "DialogFixture.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/FontDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/ListDialog.h"
#include "app/services/ColorCombo.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace qw {

class TestFontLineListDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f;

    void edit(const EditTagTarget& target)
    {
        QVERIFY(target.row != nullptr);
        QVERIFY(f->dialogs->openForEditTag(target));
    }

private slots:
    void init() { f = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f.reset(); }

    void fontInsertWrapsTheSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        // Size 5 and "Červená": COLOR before SIZE, no FACE.
        QTest::newRow("selection")
            << u"a slovo b"_s << 2 << 5 << u"a <FONT COLOR=\"#FF0000\" SIZE=\"5\">slovo</FONT> b"_s;
        QTest::newRow("selected backwards")
            << u"a slovo b"_s << 7 << -5
            << u"a <FONT COLOR=\"#FF0000\" SIZE=\"5\">slovo</FONT> b"_s;
        QTest::newRow("no selection")
            << u"ab"_s << 1 << 0 << u"a<FONT COLOR=\"#FF0000\" SIZE=\"5\"></FONT>b"_s;
    }
    void fontInsertWrapsTheSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, expected);
        f->setText(text, from, length);
        openFontDialog(*f->dialogs);
        auto& dialog = f->dialogs->get<FontDialog>();
        QCOMPARE(f->shown, &dialog);
        QCOMPARE(dialog.windowTitle(), u"Písmo"_s);
        dialog.colorField(u"cmbColor")->setValueText(u"red"_s);
        dialog.setFieldText(u"cmbSize", u"5"_s);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(f->editor->text(), expected);
        // The caret stands before the end tag.
        QCOMPARE(f->editor->selectionStart(), expected.indexOf(u"</FONT>"));
        QCOMPARE(f->editor->selectionLength(), 0);
        QVERIFY(!dialog.isVisible());
    }

    void fontFaceListHoldsTheInstalledFonts()
    {
        auto& dialog = f->dialogs->get<FontDialog>();
        dialog.setFieldText(u"cmbFontFace", u"zbytek"_s);
        f->setText(u"x"_s);
        openFontDialog(*f->dialogs);
        auto* faces = static_cast<QComboBox*>(dialog.field(u"cmbFontFace"));
        QStringList listed;
        for (int i = 0; i < faces->count(); ++i)
            listed.append(faces->itemText(i));
        QCOMPARE(listed, QFontDatabase::families());
        // The opener cleared what the last use left behind.
        QCOMPARE(faces->currentText(), QString());
        QCOMPARE(dialog.field(u"cmbFontFace")->accessibleName(), u"Písmo:"_s);
    }

    // Edit mode writes the start tag of the tag that was found: a BASEFONT
    // stays a BASEFONT; attributes without a field keep their places.
    void fontEditRewritesTheStartTag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::newRow("font") << u"<font class=\"k\" size=\"2\" color=\"navy\">x</font>"_s
                              << u"Upravit font"_s
                              << u"<FONT CLASS=\"k\" SIZE=\"4\" COLOR=\"#000080\">x</font>"_s;
        QTest::newRow("basefont") << u"<basefont size=\"2\" id=\"b\">"_s
                                  << u"Upravit základní font"_s
                                  << u"<BASEFONT SIZE=\"4\" ID=\"b\">"_s;
    }
    void fontEditRewritesTheStartTag()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        f->setText(text);
        edit(f->findTag(3));
        auto& dialog = f->dialogs->get<FontDialog>();
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.fieldText(u"cmbSize"), u"2"_s);
        QVERIFY(static_cast<QComboBox*>(dialog.field(u"cmbFontFace"))->count() ==
                QFontDatabase::families().size());
        dialog.setFieldText(u"cmbSize", u"4"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.indexOf(u'>') + 1);
    }

    void fontStornoWritesNothing()
    {
        f->setText(u"<font size=\"2\">x</font>"_s);
        edit(f->findTag(3));
        auto& dialog = f->dialogs->get<FontDialog>();
        dialog.setFieldText(u"cmbSize", u"7"_s);
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        QCOMPARE(f->editor->text(), u"<font size=\"2\">x</font>"_s);
        QCOMPARE(f->editor->selectedText(), u"<font size=\"2\">"_s);
        QCOMPARE(f->tagState.attributes.attributes().size(), 1);
    }

    void lineInsertReplacesTheSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("selection") << u"a--b"_s << 1 << 2 << u"a<HR SIZE=\"2\" WIDTH=\"50%\">b"_s;
        QTest::newRow("no selection") << u"ab"_s << 1 << 0 << u"a<HR SIZE=\"2\" WIDTH=\"50%\">b"_s;
    }
    void lineInsertReplacesTheSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, expected);
        f->setText(text, from, length);
        openLineDialog(*f->dialogs);
        auto& dialog = f->dialogs->get<LineDialog>();
        QCOMPARE(dialog.windowTitle(), u"Vložit vodorovnou čáru"_s);
        dialog.setFieldText(u"edSize", u"2"_s);
        dialog.setFieldText(u"edWidth", u"50%"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.size() - 1);
        // Closing cleared the dialog for the next use.
        QCOMPARE(dialog.fieldText(u"edSize"), QString());
    }

    void lineEditKeepsUnknownAttributesAndDropsEmptiedOnes()
    {
        f->setText(u"x<hr noshade size=\"3\" align=\"left\" color=\"red\">"_s);
        edit(f->findTag(4));
        auto& dialog = f->dialogs->get<LineDialog>();
        QCOMPARE(dialog.windowTitle(), u"Upravit vodorovnou čáru"_s);
        QCOMPARE(dialog.fieldText(u"cmbALIGN"), u"left"_s);
        QCOMPARE(dialog.fieldText(u"cmbColor"), u"#FF0000"_s);
        dialog.setFieldText(u"cmbALIGN", QString());
        dialog.setFieldText(u"edWidth", u"80"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), u"x<HR NOSHADE SIZE=\"3\" COLOR=\"#FF0000\" WIDTH=\"80\">"_s);
    }

    void listWritesOneItemPerLine_data()
    {
        QTest::addColumn<bool>("lowerCase");
        QTest::addColumn<bool>("ordered");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordered, upper case")
            << false << true << u"i"_s << u"Jedna\nDvě"_s
            << u"<OL TYPE=\"i\">\r\n\t<LI>Jedna\r\n\t<LI>Dvě\r\n</OL>\r\n"_s;
        QTest::newRow("empty lines kept")
            << true << false << u"square"_s << u"a\n\nb"_s
            << u"<ul type=\"square\">\r\n\t<li>a\r\n\t<li>\r\n\t<li>b\r\n</ul>\r\n"_s;
        QTest::newRow("no lines") << true << false << u"disc"_s << QString()
                                  << u"<ul type=\"disc\">\r\n</ul>\r\n"_s;
    }
    void listWritesOneItemPerLine()
    {
        QFETCH(bool, lowerCase);
        QFETCH(bool, ordered);
        QFETCH(QString, type);
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        f->lowerCase = lowerCase;
        f->setText(u"[sel]"_s, 0, 5);
        openListDialog(*f->dialogs);
        auto& dialog = f->dialogs->get<ListDialog>();
        QCOMPARE(dialog.windowTitle(), u"Seznam"_s);
        dialog.setStyle(ordered ? ListStyle::Ordered : ListStyle::Unordered);
        QVERIFY(dialog.selectType(type));
        dialog.setFieldText(u"mmLines", lines);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.size());
    }

    void listKeepsStyleAndTypeButNotItsLines()
    {
        f->setText(QString());
        openListDialog(*f->dialogs);
        auto& dialog = f->dialogs->get<ListDialog>();
        QCOMPARE(dialog.style(), ListStyle::Unordered);
        QCOMPARE(dialog.type(), u"disc"_s);
        // A change of style offers its own types, the first one selected.
        dialog.findChild<QRadioButton*>(u"RadioButton2"_s)->click();
        QCOMPARE(dialog.type(), u"1"_s);
        QVERIFY(!dialog.selectType(u"disc"_s));
        QVERIFY(dialog.selectType(u"A"_s));
        dialog.findChild<QRadioButton*>(u"rbUl"_s)->click();
        QCOMPARE(dialog.type(), u"disc"_s);
        dialog.findChild<QRadioButton*>(u"RadioButton2"_s)->click();
        QVERIFY(dialog.selectType(u"I"_s));
        dialog.setFieldText(u"mmLines", u"x"_s);
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);

        openListDialog(*f->dialogs);
        QCOMPARE(dialog.style(), ListStyle::Ordered);
        QCOMPARE(dialog.type(), u"I"_s);
        QCOMPARE(dialog.fieldText(u"mmLines"), QString());

        dialog.setFieldText(u"mmLines", u"y"_s);
        QTest::mouseClick(dialog.findChild<QPushButton*>(u"btnClear"_s), Qt::LeftButton);
        QCOMPARE(dialog.fieldText(u"mmLines"), QString());
    }

    // Off the source page OK closes and writes nothing.
    void nothingIsWrittenOffTheSourcePage()
    {
        f->setText(u"ab"_s, 1);
        f->onSourcePage = false;
        openLineDialog(*f->dialogs);
        auto& dialog = f->dialogs->get<LineDialog>();
        dialog.setFieldText(u"edSize", u"2"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), u"ab"_s);
        QVERIFY(!dialog.isVisible());
    }
};

} // namespace qw

QTEST_MAIN(qw::TestFontLineListDialogs)
#include "tst_fontlinelistdialogs.moc"
