// What a screen reader and a keyboard-only person get from the window: the
// status bar's panels read by their texts as the caret moves, named tool bar
// buttons, document tabs and side-panel pages, and every dialog's controls
// read by their labels and reached with Tab in the order they are seen.

#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/elements/AppletDialog.h"
#include "app/elements/BodyDialog.h"
#include "app/elements/ColorsDialog.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FontDialog.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/FormDialog.h"
#include "app/elements/FrameDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/ListDialog.h"
#include "app/elements/NewPageDialog.h"
#include "app/elements/PopupWindowDialog.h"
#include "app/elements/QuickTableDialog.h"
#include "app/elements/ScriptDialog.h"
#include "app/elements/TableDialogs.h"
#include "app/elements/TextAreaDialog.h"
#include "app/panels/LeftPanel.h"
#include "app/services/UiServices.h"
#include "app/settings/BrowserDialog.h"
#include "app/settings/SettingsDialog.h"
#include "app/settings/SettingsFeature.h"
#include "app/shell/MainWindow.h"
#include "app/usertags/UserTagDialog.h"
#include "core/usertags/UserTagStore.h"
#include "support/DialogAccessibility.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAccessible>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFiles({});
    }
};

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "ř. 10 sl. 1" is what the position panel says to a screen reader,
    // following the caret; the modified mark and the typing mode likewise.
    void statusBarPanelsAreReadByTheirTexts()
    {
        Session s;
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        // The position, modified and typing-mode panels come first.
        const QList<QLabel*> panels = s.window->statusBar()->findChildren<QLabel*>();
        QVERIFY(panels.size() >= 3);
        auto spoken = [&](int panel) {
            return QAccessible::queryAccessibleInterface(panels.at(panel))
                ->text(QAccessible::Name)
                .simplified();
        };
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
        QTRY_COMPARE(spoken(0), QStringLiteral("ř. 1 sl. 1"));
        QCOMPARE(spoken(1), QString());
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(editor, 'a');
        QTRY_COMPARE(spoken(0), QStringLiteral("ř. 3 sl. 2"));
        QCOMPARE(spoken(1), QStringLiteral("Změněno"));
        const QString inserting = spoken(2);
        QTest::keyClick(editor, Qt::Key_Insert);
        QTRY_VERIFY(spoken(2) != inserting);
        QCOMPARE(spoken(2), s.window->statusText(2).simplified());
        QVERIFY(!spoken(2).isEmpty());
        // What each panel is for stays with it, apart from its name.
        QCOMPARE(panels.at(0)->accessibleDescription(), QStringLiteral("Pozice"));
    }

    // Tool bar buttons, the document tabs and the side panel's pages (also
    // the one shown by an icon only) all have names.
    void windowPartsHaveNames()
    {
        Session s;
        for (QToolBar* bar : s.window->findChildren<QToolBar*>()) {
            for (QToolButton* button : bar->findChildren<QToolButton*>()) {
                if (button->defaultAction() == nullptr || !button->isVisibleTo(bar))
                    continue;
                QVERIFY2(!QAccessible::queryAccessibleInterface(button)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                         qPrintable(button->defaultAction()->objectName()));
            }
        }
        QTabBar* documents = s.window->documents().tabBar();
        QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(documents);
        QCOMPARE(strip->role(), QAccessible::PageTabList);
        QVERIFY(strip->childCount() >= 1);
        QCOMPARE(strip->child(0)->text(QAccessible::Name), QStringLiteral("dokument1"));
        LeftPanel* side = s.window->leftPanel();
        for (int i = 0; i < side->count(); ++i) {
            const QString name = side->tabBar()->accessibleTabName(i).isEmpty()
                                     ? side->tabText(i)
                                     : side->tabBar()->accessibleTabName(i);
            QVERIFY2(!name.isEmpty(), qPrintable(QString::number(i)));
            QCOMPARE(side->widget(i)->accessibleName(), name);
        }
    }

    // The check itself, on a small dialog with one fault of each kind.
    void theDialogCheckFindsEachFault()
    {
        QDialog dialog;
        auto* form = new QFormLayout(&dialog);
        auto* misnamed = new QLineEdit;
        misnamed->setObjectName(QStringLiteral("misnamed"));
        misnamed->setAccessibleName(QStringLiteral("Příjmení"));
        form->addRow(QStringLiteral("&Jméno:"), misnamed);
        auto* nameless = new QLineEdit;
        nameless->setObjectName(QStringLiteral("nameless"));
        form->addRow(nameless);
        auto* upper = new QLineEdit;
        upper->setObjectName(QStringLiteral("upper"));
        form->addRow(QStringLiteral("Horní:"), upper);
        auto* lower = new QLineEdit;
        lower->setObjectName(QStringLiteral("lower"));
        form->addRow(QStringLiteral("Dolní:"), lower);
        QWidget::setTabOrder(lower, upper);
        auto* trap = new QPlainTextEdit;
        trap->setObjectName(QStringLiteral("trap"));
        form->addRow(QStringLiteral("Text:"), trap);
        dialog.resize(300, 300);
        dialog.show();
        const QString problems = qw::test::dialogAccessibilityProblems(dialog).join(u'\n');
        QVERIFY2(problems.contains(QStringLiteral(
                     "QLineEdit misnamed: read as \"Příjmení\", labelled \"Jméno:\"")),
                 qPrintable(problems));
        QVERIFY2(problems.contains(QStringLiteral("QLineEdit nameless: no label and no name")),
                 qPrintable(problems));
        QVERIFY2(problems.contains(QStringLiteral("keeps Tab")), qPrintable(problems));
        trap->setTabChangesFocus(true);
        const QString order = qw::test::dialogAccessibilityProblems(dialog).join(u'\n');
        QVERIFY2(
            order.contains(QStringLiteral("Tab goes back from QLineEdit lower to QLineEdit upper")),
            qPrintable(order));
        QVERIFY2(!order.contains(QStringLiteral("keeps Tab")), qPrintable(order));
    }

    // Every dialog: controls read by their labels, Tab through all of them
    // in reading order. Dialogs of new features join this list.
    void dialogsAreReadAndReachedByKeyboard_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char* name : {"Odkaz",
                                 "Vlastnosti stránky",
                                 "Obrázek",
                                 "Tabulka",
                                 "Řádek tabulky",
                                 "Buňka tabulky",
                                 "Applet",
                                 "Prvek formuláře",
                                 "Písmo",
                                 "Formulář",
                                 "Rámce",
                                 "Rámec",
                                 "Plovoucí rámec",
                                 "Vodorovná čára",
                                 "Textová oblast",
                                 "Skript",
                                 "Seznam",
                                 "Nová stránka",
                                 "Nové okno",
                                 "Rychlá tabulka",
                                 "Barvy",
                                 "Nastavení",
                                 "Prohlížeč",
                                 "Najít",
                                 "Nahradit",
                                 "Vlastní tag",
                                 "Otevřít z internetu",
                                 "Tisk",
                                 "Nastavení tisku"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void dialogsAreReadAndReachedByKeyboard()
    {
        QFETCH(QString, dialog);
        Session s;
        ElementDialogs& e = s.window->elementDialogs();
        QTemporaryDir tags;
        UserTagStore store(tags.path());
        QPrinter printer;
        std::unique_ptr<QDialog> own;
        const QHash<QString, std::function<QDialog*()>> dialogs{
            {QStringLiteral("Odkaz"),
             [&] {
                 return &e.get<LinkDialog>();
             }},
            {QStringLiteral("Vlastnosti stránky"),
             [&] {
                 return &e.get<BodyDialog>();
             }},
            {QStringLiteral("Obrázek"),
             [&] {
                 return &e.get<ImageDialog>();
             }},
            {QStringLiteral("Tabulka"),
             [&] {
                 return &e.get<TableDialog>();
             }},
            {QStringLiteral("Řádek tabulky"),
             [&] {
                 return &e.get<RowDialog>();
             }},
            {QStringLiteral("Buňka tabulky"),
             [&] {
                 return &e.get<CellDialog>();
             }},
            {QStringLiteral("Applet"),
             [&] {
                 return &e.get<AppletDialog>();
             }},
            {QStringLiteral("Prvek formuláře"),
             [&] {
                 return &e.get<FormControlDialog>();
             }},
            {QStringLiteral("Písmo"),
             [&] {
                 return &e.get<FontDialog>();
             }},
            {QStringLiteral("Formulář"),
             [&] {
                 return &e.get<FormDialog>();
             }},
            {QStringLiteral("Rámce"),
             [&] {
                 return &e.get<FramesetDialog>();
             }},
            {QStringLiteral("Rámec"),
             [&] {
                 return &e.get<FrameDialog>();
             }},
            {QStringLiteral("Plovoucí rámec"),
             [&] {
                 return &e.get<InlineFrameDialog>();
             }},
            {QStringLiteral("Vodorovná čára"),
             [&] {
                 return &e.get<LineDialog>();
             }},
            {QStringLiteral("Textová oblast"),
             [&] {
                 return &e.get<TextAreaDialog>();
             }},
            {QStringLiteral("Skript"),
             [&] {
                 return &e.get<ScriptDialog>();
             }},
            {QStringLiteral("Seznam"),
             [&] {
                 return &e.get<ListDialog>();
             }},
            {QStringLiteral("Nová stránka"),
             [&] {
                 return &e.get<NewPageDialog>();
             }},
            {QStringLiteral("Nové okno"),
             [&] {
                 return &e.get<PopupWindowDialog>();
             }},
            {QStringLiteral("Rychlá tabulka"),
             [&] {
                 return &e.get<QuickTableDialog>();
             }},
            {QStringLiteral("Barvy"),
             [&] {
                 return &e.get<ColorsDialog>();
             }},
            {QStringLiteral("Nastavení"),
             [&]() -> QDialog* {
                 SettingsFeature& f = s.window->settingsFeature();
                 f.setRunner([](QDialog&) {});
                 f.open();
                 return &f.dialog();
             }},
            {QStringLiteral("Prohlížeč"),
             [&] {
                 return (own = std::make_unique<BrowserDialog>(s.ui, s.window.get())).get();
             }},
            // Shown the way the search commands show them.
            {QStringLiteral("Najít"),
             [&] {
                 auto* find = new FindDialog(s.window.get());
                 own.reset(find);
                 find->present();
                 return find;
             }},
            {QStringLiteral("Nahradit"),
             [&] {
                 auto* replace = new ReplaceDialog(s.window.get());
                 own.reset(replace);
                 replace->present();
                 return replace;
             }},
            {QStringLiteral("Vlastní tag"),
             [&] {
                 return (own = std::make_unique<UserTagDialog>(store, s.ui, s.window.get())).get();
             }},
            {QStringLiteral("Otevřít z internetu"),
             [&] {
                 return (own = makeInputDialog(
                             s.window.get(), QStringLiteral("Otevřít z internetu"),
                             QStringLiteral("Zadejte jméno souboru :"), QStringLiteral("http://")))
                     .get();
             }},
            {QStringLiteral("Tisk"),
             [&] {
                 return (own = makePrintDialog(s.window.get(), printer,
                                               UiServices::PrintDialogPurpose::Print))
                     .get();
             }},
            {QStringLiteral("Nastavení tisku"),
             [&] {
                 return (own = makePrintDialog(s.window.get(), printer,
                                               UiServices::PrintDialogPurpose::Setup))
                     .get();
             }},
        };
        QVERIFY(dialogs.contains(dialog));
        QDialog* d = dialogs.value(dialog)();
        QVERIFY(d != nullptr);
        const QStringList problems = qw::test::dialogAccessibilityProblems(*d);
        QVERIFY2(problems.isEmpty(), qPrintable(u'\n' + problems.join(u'\n')));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
