// The window's commands for the font, rule, list, colour, frame, form,
// script, pop-up window and applet dialogs: every menu entry and tool bar
// button opens its dialog with its caption, and F4 opens the dialog of the
// tag under the caret. A real window over a temporary installation; dialogs
// are recorded instead of run modally.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/ColorsDialog.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/TextAreaDialog.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/commands/FormElementCommands.h"
#include "core/shell/CommandCatalog.h"
#include "support/FakeUiServices.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// One window over a program folder of its own, shown like at a start.
struct Session
{
    QTemporaryDir dir;
    test::FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QList<QDialog*> shown;

    Session()
    {
        QDir(dir.path()).mkpath(u"prog/Data/Settings"_s);
        AppPaths paths(dir.filePath(u"prog"_s), dir.filePath(u"cfg"_s), dir.filePath(u"data"_s),
                       dir.filePath(u"tmp"_s));
        context = std::make_unique<AppContext>(paths, ui);
        context->loadSettings();
        context->settings.upperTag = false; // tags in capitals
        window = std::make_unique<MainWindow>(*context);
        window->resize(1200, 800);
        window->show();
        window->openStartFile(QString());
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the window was not shown");
        window->elementDialogs().setShowHook([this](QDialog& d) { shown.append(&d); });
    }

    ScintillaEditor& editor() { return *window->documents().current(); }

    // F4 after a key release put the caret's tag in place, as when typing.
    // Only the press: the modal dialog takes F4's release, and here, where
    // the dialog is only recorded, a release in the editor would search the
    // tag again from the selection's start and empty the list.
    void pressF4()
    {
        QTest::keyRelease(&editor(), Qt::Key_Shift);
        QTest::keyPress(&editor(), Qt::Key_F4);
    }

    void setText(const QString& text, qsizetype from = 0, qsizetype length = 0)
    {
        editor().setText(text);
        editor().setSelectionStart(from);
        editor().setSelectionLength(length);
    }
};

QString className(const QDialog* dialog)
{
    return dialog != nullptr ? QString::fromLatin1(dialog->metaObject()->className()) : QString();
}

} // namespace

class TestInsertDialogCommands : public QObject
{
    Q_OBJECT
private slots:
    // Every action of the command (menu entry, tool bar button, drop-down)
    // opens the dialog with the caption the command sets.
    void commandsOpenTheirDialogs_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("actions");
        QTest::newRow("rule") << u"tag.rule"_s << u"qw::LineDialog"_s << u"Vložit vodorovnou čáru"_s
                              << 2;
        QTest::newRow("colour") << u"tag.color"_s << u"qw::ColorsDialog"_s << u"Vložit barvu"_s
                                << 1;
        QTest::newRow("font") << u"tag.font"_s << u"qw::FontDialog"_s << u"Písmo"_s << 2;
        QTest::newRow("list") << u"tag.list"_s << u"qw::ListDialog"_s << u"Seznam"_s << 2;
        QTest::newRow("frameset") << u"tag.frames"_s << u"qw::FramesetDialog"_s << u"Vložit rámce"_s
                                  << 2;
        QTest::newRow("frame") << u"tag.frame"_s << u"qw::FrameDialog"_s << u"Vložit rám"_s << 2;
        QTest::newRow("inline frame")
            << u"tag.iframe"_s << u"qw::InlineFrameDialog"_s << u"Vložit i. rám"_s << 2;
        QTest::newRow("form") << u"tag.form"_s << u"qw::FormDialog"_s << u"Vložit formulář"_s << 2;
        QTest::newRow("text area")
            << u"tag.textArea"_s << u"qw::TextAreaDialog"_s << u"TextArea"_s << 2;
        QTest::newRow("select") << u"tag.select"_s << u"qw::TextAreaDialog"_s << u"Select"_s << 2;
        QTest::newRow("script") << u"tag.script"_s << u"qw::ScriptDialog"_s << u"Vložit skript"_s
                                << 2;
        QTest::newRow("pop-up window")
            << u"tag.openWindow"_s << u"qw::PopupWindowDialog"_s << u"Otevřít okno"_s << 1;
        QTest::newRow("applet") << u"tag.applet"_s << u"qw::AppletDialog"_s << u"Vložit aplet"_s
                                << 1;
    }
    void commandsOpenTheirDialogs()
    {
        QFETCH(QString, id);
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(int, actions);
        Session s;
        s.setText(u"abc"_s, 0, 3);
        const QList<QAction*> all = s.window->commands().actions(id);
        QCOMPARE(all.size(), actions);
        for (QAction* action : all) {
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
            s.shown.clear();
            action->trigger();
            QCOMPARE(s.shown.size(), 1);
            QCOMPARE(className(s.shown.constFirst()), dialog);
            QCOMPARE(s.shown.constFirst()->windowTitle(), caption);
            s.shown.constFirst()->reject();
        }
    }

    // The ten form element commands: each action opens the form control
    // dialog on the command's page; the text area commands take the
    // selected text.
    void formElementCommandsOpenTheirPage()
    {
        Session s;
        for (const FormElementCommand& row : formElementCommands()) {
            for (QAction* action : s.window->commands().actions(formActionId(row.id))) {
                s.shown.clear();
                action->trigger();
                QCOMPARE(s.shown.size(), 1);
                auto* dialog = qobject_cast<FormControlDialog*>(s.shown.constFirst());
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->page(), row.dialogPage);
                dialog->reject();
            }
        }
        s.setText(u"[vyber]"_s, 1, 5);
        s.window->commands().trigger(u"tag.textArea"_s, ActionPlace::MainMenu);
        auto& textArea = s.window->elementDialogs().get<TextAreaDialog>();
        QCOMPARE(textArea.fieldText(u"mmText"), u"vyber"_s);
        QVERIFY(textArea.runOk());
        QCOMPARE(s.editor().text(), u"[<TEXTAREA>vyber</TEXTAREA>]"_s);
    }

    // F4 on each tag the dialogs edit: the tag is selected and its dialog
    // opens in edit mode with the row's caption.
    void editTagOpensTheDialogOfTheTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::newRow("FONT") << u"<font size=\"2\">"_s << u"qw::FontDialog"_s << u"Upravit font"_s;
        QTest::newRow("BASEFONT") << u"<basefont size=\"2\">"_s << u"qw::FontDialog"_s
                                  << u"Upravit základní font"_s;
        QTest::newRow("HR") << u"<hr size=\"2\">"_s << u"qw::LineDialog"_s
                            << u"Upravit vodorovnou čáru"_s;
        QTest::newRow("FRAMESET") << u"<frameset rows=\"*\">"_s << u"qw::FramesetDialog"_s
                                  << u"Upravit rámce"_s;
        QTest::newRow("FRAME") << u"<frame src=\"a.html\">"_s << u"qw::FrameDialog"_s
                               << u"Upravit rám"_s;
        QTest::newRow("IFRAME") << u"<iframe src=\"a.html\">"_s << u"qw::InlineFrameDialog"_s
                                << u"Upravit i. rám"_s;
        QTest::newRow("FORM") << u"<form action=\"a\">"_s << u"qw::FormDialog"_s
                              << u"Upravit formulář"_s;
        QTest::newRow("INPUT") << u"<input type=\"text\">"_s << u"qw::FormControlDialog"_s
                               << u"Formulářový prvek"_s;
        QTest::newRow("TEXTAREA") << u"<textarea name=\"t\">"_s << u"qw::TextAreaDialog"_s
                                  << u"Upravit TextArea"_s;
        QTest::newRow("SELECT") << u"<select name=\"s\">"_s << u"qw::TextAreaDialog"_s
                                << u"Upravit Select"_s;
        QTest::newRow("SCRIPT") << u"<script src=\"a.js\">"_s << u"qw::ScriptDialog"_s
                                << u"Upravit skript"_s;
        QTest::newRow("APPLET") << u"<applet code=\"A\">"_s << u"qw::AppletDialog"_s
                                << u"Upravit aplet"_s;
    }
    void editTagOpensTheDialogOfTheTag()
    {
        QFETCH(QString, tag);
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        Session s;
        s.setText(u"x "_s + tag + u" y"_s, 4);
        s.pressF4();
        QCOMPARE(s.shown.size(), 1);
        QCOMPARE(className(s.shown.constFirst()), dialog);
        QCOMPARE(s.shown.constFirst()->windowTitle(), caption);
        QCOMPARE(s.editor().selectedText(), tag);
        auto* element = qobject_cast<ElementDialog*>(s.shown.constFirst());
        QVERIFY(element != nullptr);
        QCOMPARE(element->mode(), ElementMode::Edit);
    }

    // Through the window: an INPUT of type Password opens its page, and OK
    // rewrites only the start tag.
    void editTagThroughTheWindowRewritesTheTag()
    {
        Session s;
        s.setText(u"<input Type=\"Password\" name=\"p\" autocomplete=\"off\">za"_s, 3);
        s.pressF4();
        auto& dialog = s.window->elementDialogs().get<FormControlDialog>();
        QCOMPARE(s.shown, QList<QDialog*>{&dialog});
        QCOMPARE(dialog.page(), 6);
        dialog.setFieldText(u"edPasswordMaxLength", u"8"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(s.editor().text(),
                 u"<INPUT TYPE=\"password\" NAME=\"p\" AUTOCOMPLETE=\"off\" MAXLENGTH=\"8\">za"_s);
    }
};

} // namespace qw

QTEST_MAIN(qw::TestInsertDialogCommands)
#include "tst_insertdialogcommands.moc"
