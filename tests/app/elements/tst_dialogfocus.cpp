// Every element dialog opens with the focus in its first field (or the field
// its description names), also after the person left the focus in its last
// field at the previous use; a value the dialog keeps is selected, so typing
// replaces it. A real window over a temporary installation; the dialogs are
// shown without their modal loop and driven by keys and clicks.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/commands/FormElementCommands.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace qw;

namespace {

struct Session
{
    test::TestInstallation inst;
    test::FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    ElementDialog* shown = nullptr;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the window was not shown");
        window->elementDialogs().setShowHook([this](QDialog& d) {
            shown = qobject_cast<ElementDialog*>(&d);
            d.show();
            d.activateWindow();
        });
    }

    ScintillaEditor& editor() { return *window->documents().current(); }

    // Runs the command as its menu entry does; the dialog it showed.
    ElementDialog* open(const QString& id)
    {
        shown = nullptr;
        const QList<QAction*> places = window->commands().actions(id);
        if (places.isEmpty() || !places.constFirst()->isEnabled())
            return nullptr;
        places.constFirst()->trigger();
        return shown;
    }
};

// The last field the dialog shows, where Tab ends up before the buttons.
QWidget* lastShownField(const ElementDialog& d)
{
    QWidget* last = nullptr;
    for (const FieldDef& def : d.fieldDefs()) {
        QWidget* w = d.field(def.name);
        if (w != nullptr && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0)
            last = w;
    }
    return last;
}

} // namespace

class DialogFocusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstFieldHasTheFocusAtEveryOpening_data();
    void firstFieldHasTheFocusAtEveryOpening();
    void typedRowsGoToTheRowsAfterReopening();
};

void DialogFocusTest::firstFieldHasTheFocusAtEveryOpening_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("firstField");
    const struct
    {
        QString command;
        const char* field;
    } rows[] = {
        {u"tag.insertTable"_s, "SpinEdit1"},
        {u"tag.tableDialog"_s, "edWidth"},
        {u"tag.rowDialog"_s, "edWidth"},
        {u"tag.cellDialog"_s, "edWidth"},
        {u"tag.headerDialog"_s, "edWidth"},
        {u"tag.image"_s, "cmbImage"},
        {u"tag.link"_s, "cmbHREF"},
        {u"tag.body"_s, "cmbBackground"},
        {u"tag.font"_s, "cmbFontFace"},
        {u"tag.rule"_s, "cmbALIGN"},
        {u"tag.list"_s, "mmLines"},
        {u"tag.frames"_s, "edRows"},
        {u"tag.frame"_s, "edSource"},
        {u"tag.iframe"_s, "edSource"},
        {u"tag.form"_s, "cmbAction"},
        {formActionId(FormElementId::Button), "edButtonName"},
        {formActionId(FormElementId::TextBox), "edTextName"},
        {formActionId(FormElementId::Image), "edImageName"},
        {u"tag.textArea"_s, "edTextAreaName"},
        {u"tag.select"_s, "edSelectName"},
        {u"tag.script"_s, "edSource"},
        {u"tag.openWindow"_s, "edSrc"},
        {u"tag.applet"_s, "edCode"},
        {u"file.wizard"_s, "edTitle"},
    };
    for (const auto& r : rows)
        QTest::newRow(qPrintable(r.command)) << r.command << QString::fromLatin1(r.field);
}

void DialogFocusTest::firstFieldHasTheFocusAtEveryOpening()
{
    QFETCH(QString, command);
    QFETCH(QString, firstField);
    Session s;
    s.editor().setText(u"<p>text</p>"_s);

    for (int opening = 1; opening <= 2; ++opening) {
        ElementDialog* d = s.open(command);
        QVERIFY2(d != nullptr, qPrintable(command));
        QVERIFY(QTest::qWaitForWindowActive(d));
        QWidget* first = d->field(firstField);
        QVERIFY(first != nullptr);
        QTRY_COMPARE(QApplication::focusWidget(), first);

        // The person tabs on to the last field (past a dialog's only field
        // to what follows it) and closes with "Storno".
        QWidget* last = lastShownField(*d);
        QVERIFY(last != nullptr);
        if (last == first) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != first);
        }
        for (int i = 0; i < 60 && last != first && QApplication::focusWidget() != last; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(last == first || QApplication::focusWidget() == last);
        QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!d->isVisible());
    }
    QCOMPARE(s.editor().text(), u"<p>text</p>"_s);
}

// "Vložit tabulku" keeps its values: opened again after the focus was left in
// "Hustota buněk", typing 3 and Enter sets the rows, not the spacing.
void DialogFocusTest::typedRowsGoToTheRowsAfterReopening()
{
    Session s;
    s.editor().setText(QString());
    ElementDialog* d = s.open(u"tag.insertTable"_s);
    QVERIFY(d != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QWidget* spacing = d->field(u"SpinEdit5");
    QVERIFY(spacing != nullptr);
    QTRY_COMPARE(QApplication::focusWidget(), d->field(u"SpinEdit1"));
    for (int i = 0; i < 20 && QApplication::focusWidget() != spacing; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), spacing);
    QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(!d->isVisible());

    d = s.open(u"tag.insertTable"_s);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QTRY_COMPARE(QApplication::focusWidget(), d->field(u"SpinEdit1"));
    QTest::keyClicks(QApplication::focusWidget(), u"3"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!d->isVisible());
    const QString table = s.editor().text();
    QCOMPARE(table.count(u"<tr>"_s), 3);
    QVERIFY2(table.contains(u"cellspacing=\"2\""_s), qPrintable(table));
}

QTEST_MAIN(DialogFocusTest)

#include "tst_dialogfocus.moc"
