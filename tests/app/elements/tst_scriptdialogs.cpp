// The script, pop-up window and applet dialogs through their openers and OK
// on a real editor.

#include "DialogFixture.h"
#include "app/elements/AppletDialog.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/PopupWindowDialog.h"
#include "app/elements/ScriptDialog.h"
#include "app/services/FileDialogFilter.h"

#include <QCheckBox>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace qw {

class TestScriptDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f;

    ScriptDialog& script() { return f->dialogs->get<ScriptDialog>(); }
    PopupWindowDialog& popup() { return f->dialogs->get<PopupWindowDialog>(); }
    AppletDialog& applet() { return f->dialogs->get<AppletDialog>(); }

private slots:
    void init() { f = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f.reset(); }

    void scriptInsert_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("fields"); // name, value, ...
        QTest::addColumn<QString>("expected");
        QTest::newRow("event only, nothing selected")
            << 0 << QStringList{u"cmbEvent"_s, u"onLoad"_s}
            << u"[<SCRIPT EVENT=\"onLoad\"></SCRIPT>kod]"_s;
        QTest::newRow("every field, around the selection")
            << 3
            << QStringList{u"edSource"_s,    u"s.js"_s,       u"cmbEvent"_s, u"onClick"_s,
                           u"cmbLanguage"_s, u"JavaScript"_s, u"cmbType"_s,  u"text/javascript"_s}
            << u"[<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\" SRC=\"s.js\" "
               "EVENT=\"onClick\">kod</SCRIPT>]"_s;
    }
    void scriptInsert()
    {
        QFETCH(int, length);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        f->setText(u"[kod]"_s, 1, length);
        openScriptDialog(*f->dialogs);
        QCOMPARE(script().windowTitle(), u"Vložit skript"_s);
        QCOMPARE(script().focusWidget(), script().field(u"edSource"));
        for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
            script().setFieldText(fields[i], fields[i + 1]);
        QVERIFY(script().runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.indexOf(u"</SCRIPT>"));
    }

    void scriptEditThenInsertCaption()
    {
        f->setText(u"<script src=\"a.js\" defer></script>"_s);
        QVERIFY(f->dialogs->openForEditTag(f->findTag(2)));
        QCOMPARE(script().windowTitle(), u"Upravit skript"_s);
        QCOMPARE(script().fieldText(u"edSource"), u"a.js"_s);
        script().setFieldText(u"cmbType", u"text/javascript"_s);
        QVERIFY(script().runOk());
        QCOMPARE(f->editor->text(),
                 u"<SCRIPT SRC=\"a.js\" DEFER TYPE=\"text/javascript\"></script>"_s);
        openScriptDialog(*f->dialogs);
        QCOMPARE(script().windowTitle(), u"Vložit skript"_s);
        QCOMPARE(script().fieldText(u"edSource"), QString());
    }

    void popupWindowScript_data()
    {
        QTest::addColumn<QStringList>("fields"); // name, value, ...
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("line");
        QTest::newRow("two features and a height")
            << QStringList{u"edSrc"_s, u"a.html"_s,   u"edTitle"_s,
                           u"Okno"_s,  u"edHeight"_s, u"300"_s}
            << QStringList{u"chbStatusBar"_s, u"chbNavigationBar"_s}
            << u"window.open('a.html','Okno','toolbar,status,height=300')"_s;
        QTest::newRow("nothing checked")
            << QStringList{u"edSrc"_s, u"a.html"_s, u"edTitle"_s, u"Okno"_s} << QStringList{}
            << u"window.open('a.html','Okno','')"_s;
        QTest::newRow("backslashes")
            << QStringList{u"edSrc"_s, u"obr\\a.html"_s, u"edTitle"_s, u"a\\b"_s} << QStringList{}
            << u"window.open('obr/a.html','a/b','')"_s;
        QTest::newRow("only a width")
            << QStringList{u"edSrc"_s, u"a.html"_s, u"edWidth"_s, u"200"_s}
            << QStringList{u"chbFullScreen"_s}
            << u"window.open('a.html','','fullscreen,width=200')"_s;
        QTest::newRow("every feature")
            << QStringList{u"edSrc"_s, u"a.html"_s}
            << QStringList{u"chbFullScreen"_s, u"chbLocation"_s,     u"chbStatusBar"_s,
                           u"chbLinksBar"_s,   u"chbResizable"_s,    u"chbScrollBar"_s,
                           u"chbShowMenu"_s,   u"chbNavigationBar"_s}
            << u"window.open('a.html','','toolbar,menubar,scrollbars,resizable,directories,"
               "status,location,fullscreen')"_s;
    }
    void popupWindowScript()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, checked);
        QFETCH(QString, line);
        f->setText(u"<b>"_s, 3);
        openPopupWindowDialog(*f->dialogs);
        for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
            popup().setFieldText(fields[i], fields[i + 1]);
        for (const QString& box : checked)
            popup().checkField(box)->setChecked(true);
        QVERIFY(popup().runOk());
        // Fixed case whatever the setting; the caret after the text.
        const QString inserted =
            u"<script language=\"JavaScript\">\r\n"_s + line + u"\r\n</script>"_s;
        QCOMPARE(f->editor->text(), u"<b>"_s + inserted);
        QCOMPARE(f->editor->selectionStart(), 3 + inserted.size());
    }

    // The text goes in front of the selection, which stays selected; the
    // dialog keeps its fields until its opener empties them.
    void popupWindowKeepsTheSelectionAndItsFields()
    {
        f->setText(u"[odkaz]"_s, 6, -5);
        openPopupWindowDialog(*f->dialogs);
        QCOMPARE(popup().windowTitle(), u"Otevřít okno"_s);
        QCOMPARE(popup().focusWidget(), popup().field(u"edSrc"));
        popup().setFieldText(u"edSrc"_s, u"b.html"_s);
        popup().checkField(u"chbShowMenu")->setChecked(true);
        QVERIFY(popup().runOk());
        const QString inserted =
            u"<script language=\"JavaScript\">\r\nwindow.open('b.html','','menubar')\r\n</script>"_s;
        QCOMPARE(f->editor->text(), u"["_s + inserted + u"odkaz]"_s);
        QCOMPARE(f->editor->selectedText(), u"odkaz"_s);
        QCOMPARE(popup().fieldText(u"edSrc"), u"b.html"_s);
        QVERIFY(popup().checkField(u"chbShowMenu")->isChecked());

        openPopupWindowDialog(*f->dialogs);
        QCOMPARE(popup().fieldText(u"edSrc"), QString());
        QVERIFY(!popup().checkField(u"chbShowMenu")->isChecked());
    }

    void appletInsertAndEdit()
    {
        f->setText(u"[param]"_s, 1, 5);
        openAppletDialog(*f->dialogs);
        QCOMPARE(applet().windowTitle(), u"Vložit aplet"_s);
        QCOMPARE(applet().focusWidget(), applet().field(u"edCode"));
        const QStringList names = {u"cmbAlign"_s, u"edVSpace"_s,   u"edHSpace"_s,
                                   u"edHeight"_s, u"edWidth"_s,    u"edAlt"_s,
                                   u"edName"_s,   u"edCodeBase"_s, u"edCode"_s};
        for (const QString& name : names)
            applet().setFieldText(name, name.mid(name.startsWith(u"cmb") ? 3 : 2).toLower());
        QVERIFY(applet().runOk());
        const QString written =
            u"[<APPLET CODE=\"code\" CODEBASE=\"codebase\" NAME=\"name\" ALT=\"alt\" "
            "WIDTH=\"width\" HEIGHT=\"height\" HSPACE=\"hspace\" VSPACE=\"vspace\" "
            "ALIGN=\"align\">param</APPLET>]"_s;
        QCOMPARE(f->editor->text(), written);
        QCOMPARE(f->editor->selectionStart(), written.indexOf(u"</APPLET>"));

        f->setText(u"<applet code=\"A.class\" archive=\"a.jar\">"_s);
        QVERIFY(f->dialogs->openForEditTag(f->findTag(2)));
        QCOMPARE(applet().windowTitle(), u"Upravit aplet"_s);
        QCOMPARE(applet().fieldText(u"edCode"), u"A.class"_s);
        applet().setFieldText(u"edWidth", u"10"_s);
        QVERIFY(applet().runOk());
        QCOMPARE(f->editor->text(), u"<APPLET CODE=\"A.class\" ARCHIVE=\"a.jar\" WIDTH=\"10\">"_s);
    }

    // The applet's buttons put their filters on the shared file dialog, where
    // they stay for the next browse until the user's list is set again.
    void appletFiltersStayOnTheSharedDialog()
    {
        const QString classes = qtDialogFilter(u".class|*.class|Všechny soubory (*.*)|*.*"_s);
        const QString all = qtDialogFilter(u"Všechny soubory (*.*)|*.*"_s);
        f->ui.openFileNames = {u"/x/Applet.class"_s, u"/x/lib"_s, u"/x/s.js"_s, u"/x/t.js"_s};
        openAppletDialog(*f->dialogs);
        applet().findChild<QToolButton*>(u"btnCode"_s)->click();
        QCOMPARE(applet().fieldText(u"edCode"), u"/x/applet.class"_s);
        applet().findChild<QToolButton*>(u"btnCodeBase"_s)->click();
        QCOMPARE(applet().fieldText(u"edCodeBase"), u"/x/lib"_s);
        applet().reject();

        openScriptDialog(*f->dialogs);
        auto* scriptButton = script().findChild<QToolButton*>(u"btnFile"_s);
        QCOMPARE(scriptButton->toolTip(), u"Otevřít"_s);
        scriptButton->click();
        QCOMPARE(script().fieldText(u"edSource"), u"/x/s.js"_s);
        f->dialogs->context().fileFilter(true); // the open command sets the list again
        scriptButton->click();
        QCOMPARE(f->ui.openFilters, (QStringList{classes, all, all, f->userFilter}));
    }
};

} // namespace qw

QTEST_MAIN(qw::TestScriptDialogs)
#include "tst_scriptdialogs.moc"
