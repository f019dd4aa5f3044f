// The form, form control and text area / select dialogs through their
// openers and OK on a real editor.

#include "DialogFixture.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/FormDialog.h"
#include "app/elements/TextAreaDialog.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace qw {

class TestFormDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f;

    FormControlDialog& control() { return f->dialogs->get<FormControlDialog>(); }
    TextAreaDialog& textArea() { return f->dialogs->get<TextAreaDialog>(); }

    static QStringList visibleTabs(const QTabWidget* tabs)
    {
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i))
                shown.append(tabs->tabText(i));
        }
        return shown;
    }

private slots:
    void init() { f = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f.reset(); }

    void formInsertWrapsAndEditRewrites()
    {
        f->setText(u"[pole]"_s, 1, 4);
        openFormDialog(*f->dialogs);
        FormDialog& dialog = f->dialogs->get<FormDialog>();
        QCOMPARE(dialog.windowTitle(), u"Vložit formulář"_s);
        QCOMPARE(dialog.focusWidget(), dialog.field(u"cmbAction"));
        dialog.setFieldText(u"cmbMethod", u"post"_s);
        dialog.setFieldText(u"cmbAction", u"a.php"_s);
        dialog.setFieldText(u"cmbEncType", u"multipart/form-data"_s);
        QVERIFY(dialog.runOk());
        const QString written =
            u"[<FORM ACTION=\"a.php\" ENCTYPE=\"multipart/form-data\" METHOD=\"post\">pole</FORM>]"_s;
        QCOMPARE(f->editor->text(), written);
        QCOMPARE(f->editor->selectionStart(), written.indexOf(u"</FORM>"));

        QVERIFY(f->dialogs->openForEditTag(f->findTag(3)));
        QCOMPARE(dialog.windowTitle(), u"Upravit formulář"_s);
        QCOMPARE(dialog.fieldText(u"cmbAction"), u"a.php"_s);
        dialog.setFieldText(u"cmbEncType", QString());
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), u"[<FORM ACTION=\"a.php\" METHOD=\"post\">pole</FORM>]"_s);

        // The next insert shows the insert caption again, on an empty form.
        openFormDialog(*f->dialogs);
        QCOMPARE(dialog.windowTitle(), u"Vložit formulář"_s);
        QCOMPARE(dialog.fieldText(u"cmbAction"), QString());
    }

    // Each form element command opens its page; OK writes TYPE first, then
    // the page's fields, and the name field of the page is the one focused.
    void controlPagesWriteTheirType()
    {
        const QStringList types = {u"checkbox"_s, u"radio"_s, u"button"_s,   u"submit"_s,
                                   u"reset"_s,    u"text"_s,  u"password"_s, u"file"_s,
                                   u"hidden"_s,   u"image"_s};
        const QStringList words = {u"CheckBox"_s, u"Radio"_s, u"Button"_s,   u"Submit"_s,
                                   u"Reset"_s,    u"Text"_s,  u"Password"_s, u"File"_s,
                                   u"Hidden"_s,   u"Image"_s};
        for (int page = 0; page < 10; ++page) {
            f->setText(u"ab"_s, 1);
            openFormControlDialog(*f->dialogs, page);
            FormControlDialog& dialog = control();
            QCOMPARE(dialog.windowTitle(), u"Formulářový prvek"_s);
            QCOMPARE(dialog.page(), page);
            const QString nameField = u"ed"_s + words[page] + u"Name"_s;
            QVERIFY2(dialog.field(nameField) != nullptr, qPrintable(nameField));
            QCOMPARE(dialog.field(nameField)->accessibleName(), u"Název:"_s);
            if (page != 2)
                QCOMPARE(dialog.focusWidget(), dialog.field(nameField));
            dialog.setFieldText(nameField, u"n"_s);
            QVERIFY(dialog.runOk());
            QCOMPARE(f->editor->text(), u"a<INPUT TYPE=\""_s + types[page] + u"\" NAME=\"n\">b"_s);
        }
    }

    void controlInsertPutsTheTagBeforeTheSelection_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("fields"); // name, value, name, value...
        QTest::addColumn<QString>("expected");
        QTest::newRow("text, nothing selected")
            << 5 << 1 << 0 << QStringList{u"edTextSize"_s, u"20"_s, u"edTextName"_s, u"q"_s}
            << u"x<INPUT TYPE=\"text\" NAME=\"q\" SIZE=\"20\">y"_s;
        QTest::newRow("checkbox before the selection")
            << 0 << 1 << 1
            << QStringList{u"edCheckBoxValue"_s, u"1"_s, u"cmbCheckBoxAlign"_s, u"left"_s}
            << u"x<INPUT TYPE=\"checkbox\" VALUE=\"1\" ALIGN=\"left\">y"_s;
        QTest::newRow("image page")
            << 9 << 1 << 0 << QStringList{u"edImageBorder"_s, u"0"_s, u"edImageSrc"_s, u"b.gif"_s,
                                          u"edImageWidth"_s,  u"8"_s}
            << u"x<INPUT TYPE=\"image\" SRC=\"b.gif\" WIDTH=\"8\" BORDER=\"0\">y"_s;
    }
    void controlInsertPutsTheTagBeforeTheSelection()
    {
        QFETCH(int, page);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        f->setText(u"xy"_s, from, length);
        openFormControlDialog(*f->dialogs, page);
        for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
            control().setFieldText(fields[i], fields[i + 1]);
        QVERIFY(control().runOk());
        QCOMPARE(f->editor->text(), expected);
        // The caret stands after the tag and the text that was selected.
        QCOMPARE(f->editor->selectionStart(), expected.size() - (length == 0 ? 1 : 0));
        QCOMPARE(f->editor->selectionLength(), 0);
    }

    // The edit-tag command picks the page from TYPE; OK writes the page's
    // type in TYPE's place and keeps attributes without a field.
    void controlEditFollowsTheType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("password in mixed case")
            << u"<input class=\"c\" type=\"PassWord\" name=\"p\">"_s << 6
            << u"<INPUT CLASS=\"c\" TYPE=\"password\" NAME=\"p\">"_s;
        QTest::newRow("unknown type becomes a checkbox")
            << u"<input type=\"range\" name=\"p\" min=\"1\">"_s << 0
            << u"<INPUT TYPE=\"checkbox\" NAME=\"p\" MIN=\"1\">"_s;
        QTest::newRow("no type") << u"<input name=\"p\" disabled>"_s << 0
                                 << u"<INPUT NAME=\"p\" DISABLED TYPE=\"checkbox\">"_s;
    }
    void controlEditFollowsTheType()
    {
        QFETCH(QString, text);
        QFETCH(int, page);
        QFETCH(QString, expected);
        f->setText(text + u"za"_s);
        const EditTagTarget target = f->findTag(3);
        QCOMPARE(target.inputPage, page);
        openFormControlDialog(*f->dialogs, 9); // another page before
        control().reject();
        QVERIFY(f->dialogs->openForEditTag(target));
        QCOMPARE(control().page(), page);
        QCOMPARE(control().windowTitle(), u"Formulářový prvek"_s);
        // Every page's name field took the value.
        QCOMPARE(control().fieldText(u"edCheckBoxName"), u"p"_s);
        QCOMPARE(control().fieldText(u"edImageName"), u"p"_s);
        QVERIFY(control().runOk());
        QCOMPARE(f->editor->text(), expected + u"za"_s);
        QCOMPARE(f->editor->selectionStart(), expected.size());
    }

    void imagePageBrowsesForAPicture()
    {
        const QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath(u"s.html"_s)).open(QIODevice::WriteOnly));
        f->documentPath = dir.filePath(u"s.html"_s);
        f->ui.openFileNames = {dir.filePath(u"img/Tlacitko.gif"_s)};
        openFormControlDialog(*f->dialogs, 9);
        auto* button = control().findChild<QToolButton*>(u"btnFile"_s);
        QVERIFY(button != nullptr);
        QCOMPARE(button->toolTip(), u"Otevřít"_s);
        button->click();
        QCOMPARE(control().fieldText(u"edImageSrc"), u"img/tlacitko.gif"_s);
        QCOMPARE(f->ui.openCaptions, QStringList{u"Otevřít obrázek"_s});
    }

    void textAreaWrapsTheSelection()
    {
        f->setText(u"[Ahoj]"_s, 1, 4);
        openTextAreaDialog(*f->dialogs, TextAreaDialog::Page::TextArea, f->editor->selectedText());
        TextAreaDialog& dialog = textArea();
        QCOMPARE(dialog.windowTitle(), u"TextArea"_s);
        QCOMPARE(visibleTabs(dialog.pages()), QStringList{u"TextArea"_s});
        QVERIFY(dialog.groupBox(u"Text"_s)->isVisibleTo(&dialog));
        QCOMPARE(dialog.fieldText(u"mmText"), u"Ahoj"_s);
        QCOMPARE(dialog.focusWidget(), dialog.field(u"edTextAreaName"));
        for (const auto& [name, value] :
             {std::pair{u"cmbTextAreaWrap"_s, u"soft"_s}, std::pair{u"edTextAreaName"_s, u"t"_s},
              std::pair{u"edTextAreaRows"_s, u"5"_s}, std::pair{u"edTextAreaCols"_s, u"40"_s},
              std::pair{u"edTextAreaTabIndex"_s, u"2"_s}})
            dialog.setFieldText(name, value);
        dialog.setFieldText(u"mmText", u"Ahoj\nsvěte"_s);
        QVERIFY(dialog.runOk());
        const QString written = u"[<TEXTAREA NAME=\"t\" COLS=\"40\" ROWS=\"5\" TABINDEX=\"2\" "
                                "WRAP=\"soft\">Ahoj\r\nsvěte</TEXTAREA>]"_s;
        QCOMPARE(f->editor->text(), written);
        QCOMPARE(f->editor->selectionStart(), written.indexOf(u"</TEXTAREA>"));
    }

    void selectWritesItsOptions_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three, nothing selected")
            << u"3"_s << 1 << 0
            << u"[<SELECT NAME=\"s\">\r\n\t<option value=\"1\" SELECTED></option>\r\n"
               "\t<option value=\"2\"></option>\r\n\t<option value=\"3\"></option>\r\n</SELECT>ab]"_s;
        QTest::newRow("empty count, selection after the options")
            << QString() << 1 << 2
            << u"[<SELECT NAME=\"s\">\r\n\t<option value=\"1\" SELECTED></option>\r\nab</SELECT>]"_s;
    }
    void selectWritesItsOptions()
    {
        QFETCH(QString, count);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, expected);
        f->setText(u"[ab]"_s, from, length);
        openTextAreaDialog(*f->dialogs, TextAreaDialog::Page::Select, f->editor->selectedText());
        TextAreaDialog& dialog = textArea();
        QCOMPARE(dialog.windowTitle(), u"Select"_s);
        QCOMPARE(visibleTabs(dialog.pages()), QStringList{u"Select"_s});
        QVERIFY(dialog.field(u"edSelectCount")->isVisibleTo(&dialog));
        QCOMPARE(dialog.focusWidget(), dialog.field(u"edSelectName"));
        dialog.setFieldText(u"edSelectName", u"s"_s);
        dialog.setFieldText(u"edSelectCount", count);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.indexOf(u"</SELECT>"));
    }

    void numberFieldsTakeDigitsOnly()
    {
        openTextAreaDialog(*f->dialogs, TextAreaDialog::Page::Select, QString());
        for (const char* name : {"edSelectCount", "edSelectTabIndex", "edTextAreaCols",
                                 "edTextAreaRows", "edTextAreaTabIndex"}) {
            auto* edit = qobject_cast<QLineEdit*>(textArea().field(QString::fromLatin1(name)));
            QVERIFY(edit != nullptr);
            edit->clear();
            QTest::keyClicks(edit, u"1a-2 ,3"_s);
            QCOMPARE(edit->text(), u"123"_s);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->text(), u"12"_s);
        }
        QTest::keyClicks(qobject_cast<QLineEdit*>(textArea().field(u"edSelectName")), u"a1"_s);
        QCOMPARE(textArea().fieldText(u"edSelectName"), u"a1"_s);
    }

    // Editing shows only the page of the tag; a SELECT hides the count,
    // a TEXTAREA the text group. Only the start tag is rewritten.
    void editShowsOnlyTheTagsPage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("textarea") << u"<textarea name=\"t\" readonly cols=\"4\">x</textarea>"_s
                                  << u"Upravit TextArea"_s << u"TextArea"_s
                                  << u"<TEXTAREA NAME=\"u\" READONLY COLS=\"4\">x</textarea>"_s;
        QTest::newRow("select") << u"<select name=\"t\" multiple>\r\n<option>a</select>"_s
                                << u"Upravit Select"_s << u"Select"_s
                                << u"<SELECT NAME=\"u\" MULTIPLE>\r\n<option>a</select>"_s;
    }
    void editShowsOnlyTheTagsPage()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        // A previous insert of the other kind must not leak into the edit.
        openTextAreaDialog(*f->dialogs,
                           page == u"Select"_s ? TextAreaDialog::Page::TextArea
                                               : TextAreaDialog::Page::Select,
                           u"zbytek"_s);
        textArea().reject();
        f->setText(text);
        QVERIFY(f->dialogs->openForEditTag(f->findTag(3)));
        TextAreaDialog& dialog = textArea();
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(visibleTabs(dialog.pages()), QStringList{page});
        QCOMPARE(dialog.field(u"edSelectCount")->isVisibleTo(&dialog), false);
        QCOMPARE(dialog.groupBox(u"Text"_s)->isVisibleTo(&dialog), false);
        const QString nameField = page == u"Select"_s ? u"edSelectName"_s : u"edTextAreaName"_s;
        QCOMPARE(dialog.fieldText(nameField), u"t"_s);
        dialog.setFieldText(nameField, u"u"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f->editor->text(), expected);
    }
};

} // namespace qw

QTEST_MAIN(qw::TestFormDialogs)
#include "tst_formdialogs.moc"
