// The program's shortcuts on the design page, pressed as a person presses
// them (to the widget that has the focus, the web view's input widget): the
// view binds keys of its own and must give each of the program's keys to
// the program's command; a command that is disabled there just now takes
// its key as well, and the view does nothing with it.

#include "app/services/ActionRegistry.h"
#include "core/shell/CommandCatalog.h"
#include "support/DesignWindow.h"

#include <QAction>
#include <QClipboard>
#include <QKeySequence>
#include <QPushButton>
#include <QSignalSpy>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kPage = "<html>\r\n<body>\r\n<p id=t>one two three</p>\r\n"
                         "<p id=u>four five</p>\r\n</body>\r\n</html>\r\n";

// Commands whose key is expected to find them disabled on the design page
// (with a word selected and text on the clipboard): a new document from
// the clipboard, the next find before any search, the source's tag under the
// caret. Every other key runs its command.
const QStringList kDisabledOnDesignPage = {u"edit.pasteAsNew"_s, u"edit.findNext"_s,
                                           u"popup.editTag"_s};

// The action of command that carries keys (the main menu's, or the
// pop-up's own).
QAction* actionWithKeys(MainWindow& window, const QString& command, const QKeySequence& keys)
{
    for (QAction* a : window.commands().actions(command)) {
        if (a->shortcut() == keys)
            return a;
    }
    return nullptr;
}

} // namespace

class DesignShortcutsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyShortcutReachesItsCommand_data();
    void everyShortcutReachesItsCommand();
    void theLinkKeyKeepsTheSelectionAndLinksIt();
};

void DesignShortcutsTest::everyShortcutReachesItsCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("keys");
    QStringList ids;
    for (const CommandRow& row : commandRows())
        ids << row.id.toString();
    for (const MarkupCommand& row : markupCommands())
        ids << markupActionId(row.id);
    for (const QString& id : std::as_const(ids)) {
        QStringList keys;
        for (ActionPlace place : {ActionPlace::MainMenu, ActionPlace::PopUp}) {
            const std::optional<CommandInfo> info = commandInfo(id, place);
            if (info && !info->shortcut.isEmpty() && !keys.contains(info->shortcut))
                keys << info->shortcut;
        }
        for (const QString& k : std::as_const(keys))
            QTest::addRow("%s %s", qPrintable(k), qPrintable(id)) << id << k;
    }
}

void DesignShortcutsTest::everyShortcutReachesItsCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, keys);
    DesignWindow w;
    QApplication::clipboard()->setText(u"schránka"_s);
    QVERIFY(w.openInDesign(u"keys.html"_s, kPage));
    w.click(w.pointIn(u"#u"_s));
    w.doubleClick(w.pointIn(u"#t"_s));
    QTRY_COMPARE(w.selectedText().trimmed(), u"two"_s);
    QTRY_COMPARE(w.document()->selectionType(), u"Text"_s);
    w.window->updateMenu();
    const QKeySequence sequence(keys, QKeySequence::PortableText);
    QAction* action = actionWithKeys(*w.window, command, sequence);
    QVERIFY(action != nullptr);
    const bool enabled = action->isEnabled();
    QCOMPARE(enabled, !kDisabledOnDesignPage.contains(command));
    const QString body = w.bodyHtml();
    QSignalSpy ran(action, &QAction::triggered);

    QWidget* focus = QApplication::focusWidget();
    QCOMPARE(focus, w.surface());
    QTest::keySequence(focus, sequence);
    if (enabled) {
        QTRY_COMPARE(ran.count(), 1);
        return;
    }
    // Neither the command nor the view's own binding of the key.
    QTest::qWait(300);
    QCOMPARE(ran.count(), 0);
    QCOMPARE(w.bodyHtml(), body);
    QCOMPARE(w.selectedText().trimmed(), u"two"_s);
}

void DesignShortcutsTest::theLinkKeyKeepsTheSelectionAndLinksIt()
{
    DesignWindow w;
    QVERIFY(w.openInDesign(u"link.html"_s, kPage));
    w.click(w.pointIn(u"#u"_s));
    w.doubleClick(w.pointIn(u"#t"_s));
    QTRY_COMPARE(w.document()->selectionType(), u"Text"_s);
    QTRY_COMPARE(w.document()->commandStatus(DesignCommand::Hyperlink), DesignStatus::Enabled);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A,
                    Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = qobject_cast<ElementDialog*>(w.shownDialog);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), u"Vložit odkaz"_s);
    // The view did not take the key for itself: the word is still selected.
    QCOMPARE(w.selectedText().trimmed(), u"two"_s);
    dialog->setFieldText(u"cmbHREF", u"two.html"_s);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE(w.evaluate(u"document.getElementById('t').innerHTML"_s).toString(),
                 u"one <a href=\"two.html\">two</a> three"_s);
}

QTEST_MAIN(DesignShortcutsTest)
#include "tst_design_shortcuts.moc"
