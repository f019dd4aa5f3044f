// The main window's frame in a real, offscreen window: every menu entry with
// its caption and key, the fixed markup through the real actions, the command
// states, the tool bar layout round trip through html.dat, the status bar and
// the view toggles. Every question goes to the scripted FakeUiServices.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/builders/NewPage.h"
#include "core/commands/MarkupCommandTable.h"
#include "core/editor/MemoryEditor.h"
#include "core/markup/TagAttributeList.h"
#include "core/shell/CommandCatalog.h"
#include "core/transform/TextTransformCommands.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

Q_DECLARE_METATYPE(qw::UiServices::Answer)

namespace {

// A program folder of its own per test, with the given html.dat.
class Installation : public qw::test::TestInstallation
{
public:
    explicit Installation(const QByteArray& htmlDat = QByteArray()) : TestInstallation(htmlDat) {}
};

// One window over one installation, shown like at a start.
struct Session
{
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    explicit Session(const Installation& inst, bool upperTag = true)
    {
        context = inst.context(ui);
        context->settings.upperTag = upperTag;
        window = std::make_unique<MainWindow>(*context);
        window->resize(1200, 800);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    QAction* action(const QString& id, ActionPlace place = ActionPlace::MainMenu)
    {
        return window->commands().action(id, place);
    }
};

// The entry of the menu bar reached by captions, "&Soubor/&Nový".
QAction* menuEntry(QMenuBar* bar, const QString& path)
{
    const QStringList parts = path.split(u'/');
    QList<QAction*> level = bar->actions();
    QAction* found = nullptr;
    for (const QString& part : parts) {
        found = nullptr;
        for (QAction* a : level) {
            if (a->text() == part) {
                found = a;
                break;
            }
        }
        if (found == nullptr)
            return nullptr;
        level = found->menu() != nullptr ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
}

void setText(ScintillaEditor& e, const QString& text, qsizetype selStart, qsizetype selLength)
{
    e.setText(text);
    e.setSelectionStart(selStart);
    e.setSelectionLength(selLength);
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::clipboard()->clear(); }

    void everyMenuEntryHasItsCaptionAndKey();
    void everyCommandHasAHandler();
    void html5DocumentFromTheNewDropDownIsSavedAsUtf8();
    void encodingChosenFromTheMenuConvertsAtTheNextSave_data();
    void encodingChosenFromTheMenuConvertsAtTheNextSave();
    void altLettersOpenMenusAndNeverType();
    void fixedMarkupWritesItsRowThroughTheRealActions();
    void fixedMarkupHonoursCaseAndBrackets();
    void commandStatesFollowTheDocument();
    void editorPopupEnablingAndTagAtCaret();
    void rightClickOpensTheProgramsPopUpOnly_data();
    void rightClickOpensTheProgramsPopUpOnly();
    void textToolsAndDateRunOnTheCurrentEditor();
    void toolBarsWithoutSectionsStandInTheirDefaultPlaces();
    void toolBarLayoutSurvivesARestart();
    void toolBarButtonsCarryHintsAndIcons();
    void statusBarTexts();
    void statusBarShowsTheCaretFromTheFirstPaint_data();
    void statusBarShowsTheCaretFromTheFirstPaint();
    void viewTogglesArePersisted();
    void fullScreenHidesTheBandOnly();
    void recentFilesMenu();
    void aboutAndInsertFile();
    void droppedFilesOpenOnlyTheFirst();
    void handOffDuringASaveQuestionWaitsForTheAnswer_data();
    void handOffDuringASaveQuestionWaitsForTheAnswer();
    void handOffWaitsForAModalDialogToClose();
    void fileDialogsStartInTheDocumentsOrTheLastFolder_data();
    void fileDialogsStartInTheDocumentsOrTheLastFolder();
    void fileDialogsShowEachFilterNameOnce();
};

void MainWindowTest::everyMenuEntryHasItsCaptionAndKey()
{
    // Written from the menu list of the window's description, not from the
    // program's tables.
    struct Entry
    {
        const char* path;
        const char* key;
    };
    const Entry entries[] = {
        {"&Soubor/&Nový", "Ctrl+N"},
        {"&Soubor/&Otevřít...", "Ctrl+O"},
        {"&Soubor/Otevřít z internetu...", ""},
        {"&Soubor/Otevřít zn&ovu", ""},
        {"&Soubor/&Uložit", "Ctrl+S"},
        {"&Soubor/Uložit j&ako...", ""},
        {"&Soubor/Uložit vše", ""},
        {"&Soubor/&Zavřít", ""},
        {"&Soubor/Za&vřít vše", ""},
        {"&Soubor/&Exportovat/Text -->> rtf", ""},
        {"&Soubor/&Exportovat/Text -->> HTML", ""},
        {"&Soubor/Na&stavení tisku...", ""},
        {"&Soubor/&Tisk", "Ctrl+P"},
        {"&Soubor/&Konec", ""},
        {"Úpr&avy/Zpět", ""},
        {"Úpr&avy/Opakovat", ""},
        {"Úpr&avy/Vyjmout", "Ctrl+X"},
        {"Úpr&avy/Kopírovat", "Ctrl+C"},
        {"Úpr&avy/Vložit", "Ctrl+V"},
        {"Úpr&avy/Vložit jako nový dokument", "Ctrl+Shift+V"},
        {"Úpr&avy/Hledat...", "Ctrl+F"},
        {"Úpr&avy/Hledat další", "F3"},
        {"Úpr&avy/Nahradit...", "Ctrl+R"},
        {"Úpr&avy/Vybrat vše", "Ctrl+A"},
        {"Úpr&avy/Zalamování řádků", ""},
        {"Úpr&avy/Jdi na...", ""},
        {"&Zobrazit/Panel nástrojů/Hlavní", ""},
        {"&Zobrazit/Panel nástrojů/Editace", ""},
        {"&Zobrazit/Panel nástrojů/Formát písma", ""},
        {"&Zobrazit/Panel nástrojů/Možnosti", ""},
        {"&Zobrazit/Panel nástrojů/Tabulky a rámy", ""},
        {"&Zobrazit/Panel nástrojů/Ovládací prvky", ""},
        {"&Zobrazit/Stavový řádek", ""},
        {"&Zobrazit/Záložky", ""},
        {"&Zobrazit/HTML Panel", ""},
        {"&Zobrazit/Úpravy", "F11"},
        {"&Zobrazit/Náhled", "F12"},
        {"&Zobrazit/Celá obrazovka", ""},
        {"&Nástroje/Nastavení...", ""},
        {"&Nástroje/Datum a čas", "F5"},
        {"&Nástroje/Odstranit diakritiku", ""},
        {"&Nástroje/HTML/Převést text na HTML", ""},
        {"&Nástroje/HTML/Odstranit HTML", ""},
        {"&Nástroje/HTML/Odstranit přebytečné řádky", ""},
        {"&Nástroje/HTML/Konvertovat tagy na VELKÁ PÍSMENA", ""},
        {"&Nástroje/HTML/Konvertovat tagy na malá písmena", ""},
        {"&Nástroje/Velikost/VELKÁ PÍSMENA", ""},
        {"&Nástroje/Velikost/malá písmena", ""},
        {"&Nástroje/Velikost/oTOČIT", ""},
        {"&Nástroje/Velikost/První Velká", ""},
        {"&Nástroje/Vložit soubor...", ""},
        {"&Tag/Počáteční tag", "Ctrl+,"},
        {"&Tag/Konečný Tag", "Ctrl+."},
        {"&Tag/Tučné", "Ctrl+B"},
        {"&Tag/Kurzíva", "Ctrl+I"},
        {"&Tag/Obrázek...", "Ctrl+Shift+I"},
        {"&Tag/Odkaz...", "Ctrl+Shift+A"},
        {"&Tag/Vodorovná čára...", ""},
        {"&Tag/Komentář...", ""},
        {"&Tag/Písmo/Nastavení...", ""},
        {"&Tag/Písmo/F+", ""},
        {"&Tag/Písmo/F-", ""},
        {"&Tag/Písmo/<strong>", ""},
        {"&Tag/Písmo/<em>", ""},
        {"&Tag/Písmo/<pre>", ""},
        {"&Tag/Písmo/<sub>", ""},
        {"&Tag/Písmo/<sup>", ""},
        {"&Tag/Tabulka/Vložit tabulku...", ""},
        {"&Tag/Tabulka/Tabulka...", ""},
        {"&Tag/Tabulka/Řádek...", ""},
        {"&Tag/Tabulka/Hlavička...", ""},
        {"&Tag/Tabulka/Buňka...", ""},
        {"&Tag/Tabulka/<table>", ""},
        {"&Tag/Tabulka/<tr>", ""},
        {"&Tag/Tabulka/<th>", ""},
        {"&Tag/Tabulka/<td>", ""},
        {"&Tag/Seznam/Vložit seznam...", ""},
        {"&Tag/Seznam/<ul>", ""},
        {"&Tag/Seznam/<ol>", ""},
        {"&Tag/Seznam/<li>", ""},
        {"&Tag/Seznam/<dl>", ""},
        {"&Tag/Seznam/<dt>", ""},
        {"&Tag/Seznam/<dd>", ""},
        {"&Tag/Rámce/Vložit rámce...", ""},
        {"&Tag/Rámce/Frame...", ""},
        {"&Tag/Rámce/IFrame...", ""},
        {"&Tag/Rámce/<frameset>", ""},
        {"&Tag/Rámce/<frame>", ""},
        {"&Tag/Rámce/<iframe>", ""},
        {"&Tag/Rámce/<noframes>", ""},
        {"&Tag/Formulářová prvky/Vložit formulář...", ""},
        {"&Tag/Formulářová prvky/Tlačítko", ""},
        {"&Tag/Formulářová prvky/Tlačítko - Reset", ""},
        {"&Tag/Formulářová prvky/Tlačítko - Submit", ""},
        {"&Tag/Formulářová prvky/TextBox", ""},
        {"&Tag/Formulářová prvky/PasswordBox", ""},
        {"&Tag/Formulářová prvky/FileBox", ""},
        {"&Tag/Formulářová prvky/HiddenBox", ""},
        {"&Tag/Formulářová prvky/RadioButton", ""},
        {"&Tag/Formulářová prvky/CheckBox", ""},
        {"&Tag/Formulářová prvky/TextArea", ""},
        {"&Tag/Formulářová prvky/Select", ""},
        {"&Tag/Formulářová prvky/Image", ""},
        {"&Tag/Skripty/Vložit skript", ""},
        {"Nápo&věda/O aplikaci", ""},
    };
    Installation inst;
    Session s(inst);
    for (const Entry& e : entries) {
        const QString path = QString::fromUtf8(e.path);
        QAction* a = menuEntry(s.window->menuBar(), path);
        QVERIFY2(a != nullptr, qPrintable(path));
        QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(e.key), QKeySequence::PortableText));
    }
    // The two checked-at-start entries of the edit menu.
    QVERIFY(
        menuEntry(s.window->menuBar(), QStringLiteral("Úpr&avy/Zalamování řádků"))->isChecked());
    QVERIFY(!menuEntry(s.window->menuBar(), QStringLiteral("Úpr&avy/Hledat další"))->isEnabled());

    // The editor pop-up, with F4 on its first entry and live while closed.
    const QStringList popup = {QStringLiteral("Upravit HTML značku..."),
                               QStringLiteral("Zavřít"),
                               QStringLiteral("Vyjmout"),
                               QStringLiteral("Kopírovat"),
                               QStringLiteral("Vložit"),
                               QStringLiteral("Označený text")};
    QStringList shown;
    for (QAction* a : s.window->editorPopup()->actions()) {
        if (!a->isSeparator())
            shown << a->text();
    }
    QCOMPARE(shown, popup);
    QAction* editTag = s.action(QStringLiteral("popup.editTag"), ActionPlace::PopUp);
    QCOMPARE(editTag->shortcut(), QKeySequence(Qt::Key_F4));
    QVERIFY(s.window->actions().contains(editTag));
}

// Alt with a letter goes to the menu bar: the six menus open by their access
// letters, and no letter held with Alt is typed into the page.
void MainWindowTest::altLettersOpenMenusAndNeverType()
{
    Installation inst;
    Session s(inst);
    ScintillaEditor& e = s.editor();
    const QString text = QStringLiteral("<p>text</p>");
    setText(e, text, 3, 0);
    e.setModified(false);
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    e.setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &e);

    // Escape closes an open menu and then leaves the menu bar, as a person
    // gets back to the page.
    const auto closeMenus = [&] {
        for (int i = 0; i < 3 && QApplication::focusWidget() != &e; ++i) {
            QWidget* target = QApplication::activePopupWidget() != nullptr
                                  ? QApplication::activePopupWidget()
                                  : QApplication::focusWidget();
            QTest::keyClick(target, Qt::Key_Escape);
        }
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        QTRY_COMPARE(QApplication::focusWidget(), &e);
    };

    const struct
    {
        char letter;
        const char* caption;
    } menus[] = {{'s', "&Soubor"},   {'a', "Úpr&avy"}, {'z', "&Zobrazit"},
                 {'n', "&Nástroje"}, {'t', "&Tag"},    {'v', "Nápo&věda"}};
    for (const auto& m : menus) {
        const QString caption = QString::fromUtf8(m.caption);
        QAction* entry = menuEntry(s.window->menuBar(), caption);
        QVERIFY2(entry != nullptr && entry->menu() != nullptr, qPrintable(caption));
        QTest::keyClick(QApplication::focusWidget(), m.letter, Qt::AltModifier);
        QTRY_VERIFY2(entry->menu()->isVisible(), qPrintable(caption));
        QCOMPARE(QApplication::activePopupWidget(), entry->menu());
        closeMenus();
        QCOMPARE(e.text(), text);
    }

    for (char letter = 'a'; letter <= 'z'; ++letter) {
        QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier);
        closeMenus();
        QVERIFY2(e.text() == text, qPrintable(QStringLiteral("Alt+") + QLatin1Char(letter)));
    }
    QVERIFY(!e.isModified());
    // Without Alt the same letter is typed as ever.
    QTest::keyClick(QApplication::focusWidget(), 'x');
    QCOMPARE(e.text(), QStringLiteral("<p>xtext</p>"));
}

void MainWindowTest::everyCommandHasAHandler()
{
    Installation inst;
    Session s(inst);
    QStringList without;
    for (const CommandRow& row : commandRows()) {
        if (!s.window->commands().hasHandler(row.id.toString()))
            without << row.id.toString();
    }
    QCOMPARE(without, QStringList());
}

void MainWindowTest::fixedMarkupWritesItsRowThroughTheRealActions()
{
    Installation inst;
    Session s(inst);
    ScintillaEditor& e = s.editor();
    int checked = 0;
    for (const MarkupCommand& row : markupCommands()) {
        if (row.caretIntoBrackets)
            continue; // their caret rule is checked on its own below
        const QString id = markupActionId(row.id);
        QList<QAction*> places;
        if (QAction* a = s.action(id, ActionPlace::MainMenu))
            places << a;
        if (QAction* a = s.action(id, ActionPlace::DropDown))
            places << a;
        if (QAction* a = s.action(id, ActionPlace::ToolBar))
            places << a;
        QVERIFY2(!places.isEmpty(), qPrintable(id));
        for (QAction* a : places) {
            setText(e, QStringLiteral("a-x-b"), 2, 1);
            a->trigger();
            const bool wrap = row.operation == MarkupOperation::Wrap;
            const QString start = wrap ? asciiLower(row.startText) : row.startText.toString();
            const QString end = wrap ? asciiLower(row.endText) : QString();
            QCOMPARE(e.text(), QStringLiteral("a-") + start + QStringLiteral("x") + end +
                                   QStringLiteral("-b"));
            QCOMPARE(e.selectionStart(), 2 + start.size());
            QCOMPARE(e.selectionLength(), 1);
            ++checked;
        }
    }
    QVERIFY(checked > 40);
}

void MainWindowTest::fixedMarkupHonoursCaseAndBrackets()
{
    Installation inst;
    Session lower(inst, true);
    setText(lower.editor(), QString(), 0, 0);
    lower.action(markupActionId(MarkupCommandId::StartTag))->trigger();
    QCOMPARE(lower.editor().text(), QStringLiteral("<>"));
    QCOMPARE(lower.editor().selectionStart(), 1);

    // Ctrl+B typed into the editor reaches the same command.
    setText(lower.editor(), QString(), 0, 0);
    QTest::keyClick(&lower.editor(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(lower.editor().text(), QStringLiteral("<b></b>"));
    QCOMPARE(lower.editor().selectionStart(), 3);

    Session upper(inst, false);
    setText(upper.editor(), QString(), 0, 0);
    upper.action(markupActionId(MarkupCommandId::Email), ActionPlace::ToolBar)->trigger();
    QCOMPARE(upper.editor().text(), QStringLiteral("<A HREF=\"MAILTO:\"></A>"));
    // "&nbsp;" never changes its letters.
    setText(upper.editor(), QString(), 0, 0);
    upper.action(markupActionId(MarkupCommandId::NoBreakSpace), ActionPlace::ToolBar)->trigger();
    QCOMPARE(upper.editor().text(), QStringLiteral("&nbsp;"));
}

void MainWindowTest::commandStatesFollowTheDocument()
{
    Installation inst;
    Session s(inst);
    ScintillaEditor& e = s.editor();
    auto enabledEverywhere = [&](const char* id, bool expected) {
        for (ActionPlace place : {ActionPlace::MainMenu, ActionPlace::ToolBar}) {
            QAction* a = s.action(QString::fromLatin1(id), place);
            if (a != nullptr && a->isEnabled() != expected)
                return false;
        }
        return true;
    };

    setText(e, QStringLiteral("abc"), 1, 0);
    QVERIFY(enabledEverywhere("edit.cut", false));
    QVERIFY(enabledEverywhere("edit.copy", false));
    QVERIFY(!s.window->commands().menu(QStringLiteral("menu.selected"))->menuAction()->isEnabled());
    e.setSelectionLength(2);
    QVERIFY(enabledEverywhere("edit.cut", true));
    QVERIFY(enabledEverywhere("edit.copy", true));
    QVERIFY(s.window->commands().menu(QStringLiteral("menu.selected"))->menuAction()->isEnabled());

    QVERIFY(enabledEverywhere("edit.paste", false));
    QVERIFY(enabledEverywhere("edit.pasteAsNew", false));
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    QTRY_VERIFY(enabledEverywhere("edit.paste", true));
    QVERIFY(enabledEverywhere("edit.pasteAsNew", true));

    // Undo and redo follow the editor; the text tools need text.
    e.clearUndo();
    s.window->updateMenu();
    QVERIFY(enabledEverywhere("edit.undo", false));
    e.setSelectionLength(0);
    e.replaceSelection(QStringLiteral("z"));
    QVERIFY(enabledEverywhere("edit.undo", true));
    QVERIFY(enabledEverywhere("edit.redo", false));
    s.action(QStringLiteral("edit.undo"), ActionPlace::ToolBar)->trigger();
    QCOMPARE(e.text(), QStringLiteral("abc"));
    QVERIFY(enabledEverywhere("edit.redo", true));
    QVERIFY(s.window->commands().menu(QStringLiteral("menu.case"))->menuAction()->isEnabled());
    e.setText(QString());
    QVERIFY(!s.window->commands().menu(QStringLiteral("menu.case"))->menuAction()->isEnabled());
    QVERIFY(!s.action(QStringLiteral("tools.removeDiacritics"))->isEnabled());

    // Word wrap: the entry toggles the current editor only and shows its state.
    QAction* wrap = s.action(QStringLiteral("edit.wordWrap"));
    QVERIFY(wrap->isChecked());
    wrap->trigger();
    QVERIFY(!e.wordWrap());
    s.window->documents().openDocument();
    QVERIFY(s.editor().wordWrap());
    QVERIFY(wrap->isChecked());
    s.window->documents().activate(0);
    QVERIFY(!wrap->isChecked());
}

void MainWindowTest::editorPopupEnablingAndTagAtCaret()
{
    Installation inst;
    Session s(inst);
    ScintillaEditor& e = s.editor();
    QMenu* popup = s.window->editorPopup();
    QAction* editTag = s.action(QStringLiteral("popup.editTag"), ActionPlace::PopUp);
    QAction* cut = s.action(QStringLiteral("edit.cut"), ActionPlace::PopUp);
    QAction* paste = s.action(QStringLiteral("edit.paste"), ActionPlace::PopUp);

    // The caret inside a link's start tag: a key release finds and parses it.
    setText(e, QStringLiteral("x <a href=\"i.html\">link</a> y"), 5, 0);
    QTest::keyRelease(&e, Qt::Key_Shift);
    QCOMPARE(s.window->caretTag().attributes.tagName(), QStringLiteral("a"));
    Q_EMIT popup->aboutToShow();
    QVERIFY(editTag->isEnabled());
    QVERIFY(!cut->isEnabled());
    QVERIFY(!paste->isEnabled());

    // F4 selects the whole start tag and opens the link dialog (not modally
    // here: the test records it instead).
    QDialog* opened = nullptr;
    s.window->elementDialogs().setShowHook([&opened](QDialog& d) { opened = &d; });
    QTest::keyClick(&e, Qt::Key_F4);
    QVERIFY(opened != nullptr);
    QCOMPARE(e.selectedText(), QStringLiteral("<a href=\"i.html\">"));
    Q_EMIT popup->aboutToShow();
    QVERIFY(cut->isEnabled());

    // Between text and an end tag there is no tag: the entry goes off.
    setText(e, QStringLiteral("<b>bold</b>"), 7, 0);
    QTest::mouseRelease(e.viewport(), Qt::LeftButton);
    QVERIFY(!editTag->isEnabled()); // F4 is off before the pop-up ever opens
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    Q_EMIT popup->aboutToShow();
    QVERIFY(!editTag->isEnabled());
    QVERIFY(paste->isEnabled());

    // A right click in the editor opens the pop-up.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), e.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&e, &click);
    QTRY_VERIFY(popup->isVisible());
    popup->close();
}

void MainWindowTest::rightClickOpensTheProgramsPopUpOnly_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("editor") << QStringLiteral("editor");
    QTest::newRow("tab strip") << QStringLiteral("tabs");
}

void MainWindowTest::rightClickOpensTheProgramsPopUpOnly()
{
    QFETCH(QString, target);
    Installation inst;
    Session s(inst);
    setText(s.editor(), QStringLiteral("<p>text</p>"), 0, 3);
    // A mouse reaches the editor's viewport, not the editor itself.
    QWidget* widget = target == QStringLiteral("editor")
                          ? s.editor().viewport()
                          : static_cast<QWidget*>(s.window->documents().tabBar());
    const QPoint pos(10, widget->height() / 2);
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, pos);
    // The window system follows a right press with a context menu request to
    // the same widget; QTest does not, so it is sent here.
    QContextMenuEvent request(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &request);

    QMenu* popup = s.window->editorPopup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->actions().first()->text(), QStringLiteral("Upravit HTML značku..."));
    QVERIFY(s.action(QStringLiteral("edit.copy"), ActionPlace::PopUp)->isEnabled());
    QList<QMenu*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && menu->isVisible())
            shown << menu;
    }
    QCOMPARE(shown, QList<QMenu*>{popup});
    popup->close();
    // The click changed neither the document nor its selection.
    QCOMPARE(s.editor().selectedText(), QStringLiteral("<p>"));
}

void MainWindowTest::textToolsAndDateRunOnTheCurrentEditor()
{
    Installation inst;
    Session s(inst);
    ScintillaEditor& e = s.editor();
    setText(e, QStringLiteral("ahoj <a href=\"x\">"), 0, 0);
    s.action(QStringLiteral("tools.upper"))->trigger();
    QCOMPARE(e.text(), QStringLiteral("AHOJ <a href=\"x\">"));

    setText(e, QStringLiteral("a\r\nb"), 0, 4);
    s.action(QStringLiteral("popup.addBreaks"), ActionPlace::PopUp)->trigger();
    QCOMPARE(e.text(), QStringLiteral("a<br>\r\nb<br>\r\n"));

    // F5 takes the clock of the services.
    setText(e, QString(), 0, 0);
    QTest::keyClick(&e, Qt::Key_F5);
    MemoryEditor reference;
    insertDateTime(reference, s.ui.clock);
    QVERIFY(!reference.text().isEmpty());
    QCOMPARE(e.text(), reference.text());
}

void MainWindowTest::toolBarsWithoutSectionsStandInTheirDefaultPlaces()
{
    Installation inst; // html.dat without any TB section
    Session s(inst);
    auto bar = [&](ToolBarId id) {
        return s.window->toolBar(id);
    };
    // Rows: Hlavní, Formát písma / Úpravy, Možnosti, Skripty / Formulářové prvky, Tabulky a rámy.
    const QList<QList<ToolBarId>> rows = {{ToolBarId::Tool, ToolBarId::Fonts},
                                          {ToolBarId::Edit, ToolBarId::Head, ToolBarId::Script},
                                          {ToolBarId::Input, ToolBarId::Table}};
    int previousTop = -1;
    for (const QList<ToolBarId>& row : rows) {
        const int top = bar(row.first())->y();
        QVERIFY(top > previousTop);
        QVERIFY(s.window->toolBarBreak(bar(row.first())) == (previousTop >= 0));
        int previousLeft = -1;
        for (ToolBarId id : row) {
            QToolBar* b = bar(id);
            QVERIFY(!b->isFloating());
            QVERIFY(b->isVisible());
            QCOMPARE(s.window->toolBarArea(b), Qt::TopToolBarArea);
            QCOMPARE(b->y(), top);
            QVERIFY(b->x() > previousLeft);
            previousLeft = b->x();
        }
        previousTop = top;
    }
}

void MainWindowTest::toolBarLayoutSurvivesARestart()
{
    // Fonts floats at (300, 200), Script is hidden, Table shares the first
    // row with Tool, on its left.
    const QByteArray dat = "[TBTOOL]\r\nVISIBLE=1\r\nParent=1\r\nLEFT=400\r\nTOP=2\r\n"
                           "[TBTABLE]\r\nVISIBLE=1\r\nParent=1\r\nLEFT=11\r\nTOP=3\r\n"
                           "[TBFONTS]\r\nVISIBLE=1\r\nParent=0\r\nLEFT=300\r\nTOP=200\r\n"
                           "[TBSCRIPT]\r\nVISIBLE=0\r\nParent=1\r\nLEFT=453\r\nTOP=28\r\n";
    Installation inst(dat);
    for (int start = 0; start < 2; ++start) {
        Session s(inst);
        QToolBar* fonts = s.window->toolBar(ToolBarId::Fonts);
        QVERIFY(fonts->isFloating());
        QVERIFY(fonts->isVisible());
        QCOMPARE(fonts->pos(), QPoint(300, 200));
        QVERIFY(s.window->toolBar(ToolBarId::Script)->isHidden());
        QToolBar* table = s.window->toolBar(ToolBarId::Table);
        QToolBar* tool = s.window->toolBar(ToolBarId::Tool);
        QCOMPARE(table->y(), tool->y());
        QVERIFY(table->x() < tool->x());
        QVERIFY(s.window->toolBar(ToolBarId::Edit)->y() > tool->y());
        QVERIFY(s.window->close());
        const ToolBarLayout saved = s.context->settings.toolBar(ToolBarId::Fonts);
        QVERIFY(!saved.docked);
        QCOMPARE(saved.left, 300);
        QCOMPARE(saved.top, 200);
        QVERIFY(!s.context->settings.toolBar(ToolBarId::Script).visible);
    }
    QFile f(inst.path(QStringLiteral("prog/Data/Settings/html.dat")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QVERIFY(written.contains("[TBFONTS]"));
    QVERIFY(written.contains("[TBEDIT]"));
}

void MainWindowTest::toolBarButtonsCarryHintsAndIcons()
{
    Installation inst;
    Session s(inst);
    // Hints of a few bars in their order, as the window's description lists them.
    const QStringList head = {
        QStringLiteral("Body"),           QStringLiteral("P"),
        QStringLiteral("<BR>"),           QStringLiteral("&nbsp;"),
        QStringLiteral("Vložit odkaz"),   QStringLiteral("Vložit email"),
        QStringLiteral("Vložit obrázek"), QStringLiteral("Vložit horizontální čáru"),
        QStringLiteral("Vložit seznam"),  QStringLiteral("Vložit barvu"),
        QStringLiteral("Komentář")};
    const QStringList fonts = {QStringLiteral("Písmo"),     QStringLiteral("Písmo +1"),
                               QStringLiteral("Písmo -1"),  QStringLiteral("Zarovnat vlevo"),
                               QStringLiteral("Centrovat"), QStringLiteral("Zarovnat vpravo"),
                               QStringLiteral("Tučné"),     QStringLiteral("Kurzíva"),
                               QStringLiteral("H?")};
    const QStringList edit = {QStringLiteral("Vyjmout"), QStringLiteral("Kopírovat"),
                              QStringLiteral("Vložit"), QStringLiteral("Zpět"),
                              QStringLiteral("Opakovat")};
    const std::pair<ToolBarId, QStringList> bars[] = {
        {ToolBarId::Head, head}, {ToolBarId::Fonts, fonts}, {ToolBarId::Edit, edit}};
    for (const auto& [id, hints] : bars) {
        QStringList shown;
        for (QAction* a : s.window->toolBar(id)->actions()) {
            if (a->isSeparator())
                continue;
            shown << a->toolTip();
            QVERIFY2(!a->icon().pixmap(20, 20).isNull(), qPrintable(a->objectName()));
            auto* button = qobject_cast<QToolButton*>(s.window->toolBar(id)->widgetForAction(a));
            QVERIFY(button != nullptr);
            QCOMPARE(button->accessibleName(), a->toolTip());
        }
        QCOMPARE(shown, hints);
    }
    // The drop-down of "H?" holds H1 to H6.
    QAction* heading = s.action(markupActionId(MarkupCommandId::Heading), ActionPlace::ToolBar);
    QVERIFY(heading->menu() != nullptr);
    QCOMPARE(heading->menu()->actions().size(), 6);
    QCOMPARE(heading->menu()->actions().first()->text(), QStringLiteral("H1"));
}

void MainWindowTest::statusBarTexts()
{
    Installation inst;
    FakeUiServices ui;
    auto context = inst.context(ui);
    context->settings.docFromTemplate = false;
    MainWindow window(*context);
    QCOMPARE(window.statusText(0), QStringLiteral("1:1"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openStartFile(QString());
    ScintillaEditor& e = *window.documents().current();
    QCOMPARE(window.statusText(0), QStringLiteral(" ř. 1  sl. 1"));
    QCOMPARE(window.statusText(1), QString());
    QCOMPARE(window.statusText(2), QStringLiteral("Vkládání"));
    e.replaceSelection(QStringLiteral("ab\r\ncd"));
    // Scintilla reports the caret move when it next updates its view.
    QTRY_COMPARE(window.statusText(0), QStringLiteral(" ř. 2  sl. 3"));
    QCOMPARE(window.statusText(1), QStringLiteral("Změněno"));
    e.setOverwrite(true);
    QTest::keyRelease(&e, Qt::Key_Insert);
    QCOMPARE(window.statusText(2), QStringLiteral("Přepis"));
}

// A template of twelve lines with the caret where the foot begins (line 10).
// Its lines wrap in a window that is not laid out yet, and in no window
// that is.
const QByteArray kTemplateHtmlDat = "[SABLONA-HEAD]\r\n"
                                    "item0=<html lang=\"cs\">\r\n"
                                    "item1=<head>\r\n"
                                    "item2=<meta charset=\"windows-1250\">\r\n"
                                    "item3=<title>Moje stranka</title>\r\n"
                                    "item4=</head>\r\n"
                                    "item5=<body bgcolor=\"#FFFFFF\">\r\n"
                                    "item6=<h1>Nadpis stranky</h1>\r\n"
                                    "[SABLONA-FOOT]\r\n"
                                    "item0=</body>\r\n"
                                    "item1=</html>\r\n";

void MainWindowTest::statusBarShowsTheCaretFromTheFirstPaint_data()
{
    // Steps are command ids, or "open" (a second document) and "back" (its
    // tab left for the first one).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    const QString br = markupActionId(MarkupCommandId::LineBreak);
    QTest::newRow("start") << QStringList() << QStringLiteral(" ř. 10  sl. 1");
    QTest::newRow("other document")
        << QStringList{QStringLiteral("open")} << QStringLiteral(" ř. 1  sl. 1");
    QTest::newRow("back to the first")
        << QStringList{QStringLiteral("open"), QStringLiteral("back")}
        << QStringLiteral(" ř. 10  sl. 1");
    QTest::newRow("select all") << QStringList{QStringLiteral("edit.selectAll")}
                                << QStringLiteral(" ř. 12  sl. 1");
    QTest::newRow("go to line") << QStringList{QStringLiteral("edit.gotoLine")}
                                << QStringLiteral(" ř. 3  sl. 1");
    QTest::newRow("line break tag") << QStringList{br} << QStringLiteral(" ř. 10  sl. 5");
    QTest::newRow("undo") << QStringList{br, QStringLiteral("edit.undo")}
                          << QStringLiteral(" ř. 10  sl. 1");
}

void MainWindowTest::statusBarShowsTheCaretFromTheFirstPaint()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    Installation inst(kTemplateHtmlDat);
    const QString other = inst.path(QStringLiteral("other.html"));
    QFile f(other);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<p>\r\n</p>\r\n");
    f.close();
    FakeUiServices ui;
    ui.inputResults = {QStringLiteral("3")};
    auto context = inst.context(ui);
    // Started as the program starts; no key is touched afterwards, so what
    // the status bar shows comes from the start and the commands alone.
    MainWindow window(*context);
    window.showMaximized();
    window.openStartFile(QString());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString& step : steps) {
        if (step == QStringLiteral("open")) {
            QVERIFY(window.documents().openDocument(other));
        } else if (step == QStringLiteral("back")) {
            window.documents().activate(0);
        } else {
            QAction* a = window.commands().action(step, ActionPlace::MainMenu);
            if (a == nullptr)
                a = window.commands().action(step, ActionPlace::ToolBar);
            QVERIFY(a != nullptr);
            a->trigger();
        }
    }
    QTRY_COMPARE(window.statusText(0), expected);
}

void MainWindowTest::viewTogglesArePersisted()
{
    Installation inst;
    {
        Session s(inst);
        Q_EMIT s.window->viewMenu()->aboutToShow();
        QAction* status = s.action(QStringLiteral("view.statusBar"));
        QAction* tabs = s.action(QStringLiteral("view.tabs"));
        QAction* panel = s.action(QStringLiteral("view.leftPanel"));
        QVERIFY(status->isChecked() && tabs->isChecked() && panel->isChecked());
        status->trigger();
        tabs->trigger();
        panel->trigger();
        QVERIFY(s.window->statusBar()->isHidden());
        QVERIFY(s.window->documents().tabBar()->isHidden());
        QVERIFY(!s.window->leftPanelShown());
        Q_EMIT s.window->toolBarsMenu()->aboutToShow();
        QAction* input = s.action(QStringLiteral("view.tbInput"));
        QVERIFY(input->isChecked());
        input->trigger();
        QVERIFY(s.window->toolBar(ToolBarId::Input)->isHidden());
        QVERIFY(s.window->close());
    }
    Session again(inst);
    QVERIFY(again.window->statusBar()->isHidden());
    QVERIFY(again.window->documents().tabBar()->isHidden());
    QVERIFY(!again.window->leftPanelShown());
    QVERIFY(again.window->toolBar(ToolBarId::Input)->isHidden());
    Q_EMIT again.window->viewMenu()->aboutToShow();
    QVERIFY(!again.action(QStringLiteral("view.statusBar"))->isChecked());
    QVERIFY(!again.action(QStringLiteral("view.leftPanel"))->isChecked());
}

void MainWindowTest::fullScreenHidesTheBandOnly()
{
    Installation inst;
    {
        Session s(inst);
        s.action(QStringLiteral("view.fullScreen"))->trigger();
        QVERIFY(s.window->fullScreenFlag());
        for (ToolBarId id : {ToolBarId::Tool, ToolBarId::Edit, ToolBarId::Script})
            QVERIFY(s.window->toolBar(id)->isHidden());
        // The band's state is not the bars' own: they are stored as shown.
        QVERIFY(s.window->close());
        QVERIFY(s.context->settings.toolBar(ToolBarId::Tool).visible);
        s.action(QStringLiteral("view.fullScreenButton"), ActionPlace::ToolBar)->trigger();
        QVERIFY(!s.window->fullScreenFlag());
        QVERIFY(!s.window->toolBar(ToolBarId::Tool)->isHidden());
    }
    Session again(inst);
    QVERIFY(!again.window->fullScreenFlag());
    QVERIFY(again.window->toolBar(ToolBarId::Tool)->isVisible());
}

void MainWindowTest::recentFilesMenu()
{
    Installation inst;
    Session s(inst);
    const QString a = inst.path(QStringLiteral("a.htm"));
    const QString gone = inst.path(QStringLiteral("gone.htm"));
    QFile fa(a);
    QVERIFY(fa.open(QIODevice::WriteOnly));
    fa.write("<p>a</p>");
    fa.close();
    s.context->settings.recentFiles = {a, gone};
    Q_EMIT s.window->fileMenu()->aboutToShow();
    QMenu* recent = s.window->recentMenu();
    QVERIFY(recent->menuAction()->isVisible());
    QStringList captions;
    for (QAction* act : recent->actions())
        captions << (act->isSeparator() ? QStringLiteral("-") : act->text());
    QCOMPARE(captions, (QStringList{QStringLiteral("&1. ") + a, QStringLiteral("&2. ") + gone,
                                    QStringLiteral("-"), QStringLiteral("Smazat")}));
    QCOMPARE(recent->actions().at(1)->toolTip(), gone);

    recent->actions().at(1)->trigger();
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices.first().text,
             QStringLiteral("Soubor \"") + gone + QStringLiteral("\" nebyl nalezen!"));
    QCOMPARE(s.context->settings.recentFiles.size(), 2);

    recent->actions().at(0)->trigger();
    QCOMPARE(s.window->documents().currentPath(), a);

    recent->actions().last()->trigger(); // "Smazat"
    QVERIFY(s.context->settings.recentFiles.isEmpty());
    QVERIFY(!s.context->userStore.read().contains(QStringLiteral("RecentFiles")));
    Q_EMIT s.window->fileMenu()->aboutToShow();
    QVERIFY(!recent->menuAction()->isVisible());
}

void MainWindowTest::aboutAndInsertFile()
{
    Installation inst;
    Session s(inst);
    s.action(QStringLiteral("help.about"))->trigger();
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices.first().text, QStringLiteral("Quenwick"));

    const QString txt = inst.path(QStringLiteral("part.txt"));
    QFile f(txt);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("one\ntwo");
    f.close();
    setText(s.editor(), QStringLiteral("[sel]"), 0, 5);
    s.ui.openFileNames = {txt};
    s.action(QStringLiteral("tools.insertFile"))->trigger();
    QCOMPARE(s.editor().text(), QStringLiteral("one\r\ntwo\r\n"));
    QVERIFY(s.ui.allAnswersUsed());
}

void MainWindowTest::droppedFilesOpenOnlyTheFirst()
{
    Installation inst;
    Session s(inst);
    QList<QUrl> urls;
    for (const char* name : {"one.html", "two.html", "three.html"}) {
        QFile f(inst.path(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(name);
        urls << QUrl::fromLocalFile(f.fileName());
    }
    s.window->openDroppedUrls(urls);
    QCOMPARE(s.window->documents().count(), 2);
    QCOMPARE(s.window->documents().currentPath(), urls.first().toLocalFile());

    // A folder or a vanished file is ignored without a message.
    s.window->openDroppedUrls({QUrl::fromLocalFile(inst.path(QString()))});
    s.window->openDroppedUrls({QUrl::fromLocalFile(inst.path(QStringLiteral("gone.html")))});
    QCOMPARE(s.window->documents().count(), 2);
    QVERIFY(s.ui.notices.isEmpty());
}

void MainWindowTest::handOffDuringASaveQuestionWaitsForTheAnswer_data()
{
    QTest::addColumn<UiServices::Answer>("answer");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<bool>("saved");
    // Closing the only document leaves a new one, then the handed-over file.
    QTest::newRow("yes") << UiServices::Answer::Yes
                         << QStringList{QStringLiteral("dokument1"), QStringLiteral("predano.html")}
                         << true;
    QTest::newRow("no") << UiServices::Answer::No
                        << QStringList{QStringLiteral("dokument1"), QStringLiteral("predano.html")}
                        << false;
    QTest::newRow("cancel") << UiServices::Answer::Cancel
                            << QStringList{QStringLiteral("dokument1"),
                                           QStringLiteral("predano.html")}
                            << false;
}

void MainWindowTest::handOffDuringASaveQuestionWaitsForTheAnswer()
{
    QFETCH(UiServices::Answer, answer);
    QFETCH(QStringList, tabs);
    QFETCH(bool, saved);
    Installation inst;
    Session s(inst);
    const QString handed = inst.path(QStringLiteral("predano.html"));
    const QString target = inst.path(QStringLiteral("ulozeno.html"));
    QFile f(handed);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<p>jiný</p>");
    f.close();
    s.editor().selectAll();
    s.editor().replaceSelection(QStringLiteral("rozepsáno"));

    // A later start hands a file over while the question is open.
    QString currentWhileAsked;
    s.ui.whileAsking = [&] {
        s.window->receiveHandOff(handed);
        currentWhileAsked = s.window->documents().currentPath();
    };
    s.ui.yesNoCancelAnswers = {answer};
    s.ui.saveFileNames = {target};
    s.action(QStringLiteral("file.close"))->trigger();

    QCOMPARE(s.ui.questions,
             QStringList{QStringLiteral("Uložit změny v dokumentu - \"dokument1\"?")});
    QCOMPARE(currentWhileAsked, QStringLiteral("dokument1"));
    QCOMPARE(QFile::exists(target), saved);
    if (saved) {
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("rozeps\xE1no"));
    }
    // The waiting file opens once the question is answered.
    DocumentManager& docs = s.window->documents();
    QTRY_COMPARE(docs.count(), int(tabs.size()));
    QStringList shown;
    for (int i = 0; i < docs.tabBar()->count(); ++i)
        shown << docs.tabBar()->tabText(i);
    QCOMPARE(shown, tabs);
    QCOMPARE(docs.currentPath(), handed);
    // Kept after Cancel, the asked document still holds its text.
    QCOMPARE(docs.editorAt(0)->text().contains(QStringLiteral("rozepsáno")),
             answer == UiServices::Answer::Cancel);
}

void MainWindowTest::handOffWaitsForAModalDialogToClose()
{
    Installation inst;
    Session s(inst);
    const QString handed = inst.path(QStringLiteral("predano.html"));
    QFile f(handed);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    // A dialog of the program shown modally, as an element dialog is; shown
    // without its own event loop so the test does not wait on it.
    QDialog dialog(s.window.get());
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    s.window->receiveHandOff(handed);
    QTest::qWait(50);
    QCOMPARE(s.window->documents().count(), 1);
    dialog.hide();
    QTRY_COMPARE(s.window->documents().count(), 2);
    QCOMPARE(s.window->documents().currentPath(), handed);
}

void MainWindowTest::fileDialogsStartInTheDocumentsOrTheLastFolder_data()
{
    // Steps: "open F" and "save F" choose F in the open or the Save As
    // dialog, "new" makes a document, "tab N" activates a tab, "restart"
    // closes the window and starts another on the same installation. Then the
    // dialog named by "dialog" is shown; "folder" is where it must start.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("folder");
    const QString open = QStringLiteral("open");
    const QString save = QStringLiteral("save");
    QTest::newRow("nothing chosen yet") << QStringList() << open << QString();
    QTest::newRow("a document's own folder")
        << QStringList{QStringLiteral("open a/x.html"), QStringLiteral("open b/y.html"),
                       QStringLiteral("tab 1")}
        << open << QStringLiteral("a");
    QTest::newRow("a new document takes the last")
        << QStringList{QStringLiteral("open a/x.html"), QStringLiteral("open b/y.html"),
                       QStringLiteral("tab 0")}
        << open << QStringLiteral("b");
    QTest::newRow("save as of a saved document")
        << QStringList{QStringLiteral("open a/x.html"), QStringLiteral("open b/y.html"),
                       QStringLiteral("tab 1")}
        << save << QStringLiteral("a");
    QTest::newRow("save as of a new document")
        << QStringList{QStringLiteral("open a/x.html"), QStringLiteral("tab 0")} << save
        << QStringLiteral("a");
    QTest::newRow("save as chooses the last")
        << QStringList{QStringLiteral("save c/z.html"), QStringLiteral("new")} << open
        << QStringLiteral("c");
    QTest::newRow("kept across starts")
        << QStringList{QStringLiteral("open a/x.html"), QStringLiteral("restart")} << open
        << QStringLiteral("a");
}

void MainWindowTest::fileDialogsStartInTheDocumentsOrTheLastFolder()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, dialog);
    QFETCH(QString, folder);
    Installation inst;
    for (const char* name : {"a/x.html", "b/y.html"}) {
        const QString path = inst.path(QString::fromLatin1(name));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir().mkpath(inst.path(QStringLiteral("c"))));
    auto s = std::make_unique<Session>(inst);
    for (const QString& step : steps) {
        const QString arg = step.section(u' ', 1);
        if (step.startsWith(QStringLiteral("open "))) {
            s->ui.openFileNames = {inst.path(arg)};
            s->action(QStringLiteral("file.open"))->trigger();
        } else if (step.startsWith(QStringLiteral("save "))) {
            s->ui.saveFileNames = {inst.path(arg)};
            s->action(QStringLiteral("file.saveAs"))->trigger();
        } else if (step == QStringLiteral("new")) {
            s->action(QStringLiteral("file.new"))->trigger();
        } else if (step.startsWith(QStringLiteral("tab "))) {
            s->window->documents().activate(arg.toInt());
        } else if (step == QStringLiteral("restart")) {
            QVERIFY(s->window->close());
            s = std::make_unique<Session>(inst);
        }
        QVERIFY(s->ui.allAnswersUsed());
    }
    const QString expected = folder.isEmpty() ? QString() : inst.path(folder);
    if (dialog == QStringLiteral("open")) {
        s->action(QStringLiteral("file.open"))->trigger();
        QCOMPARE(s->ui.openFolders.last(), expected);
    } else {
        s->action(QStringLiteral("file.saveAs"))->trigger();
        QCOMPARE(s->ui.saveRequests.last().folder, expected);
        // The proposed name is the document's: a bare name for a new one.
        QCOMPARE(s->ui.saveRequests.last().proposed, s->window->documents().currentPath());
    }
}

void MainWindowTest::fileDialogsShowEachFilterNameOnce()
{
    // The desktop's dialogs are all made here; exec() is never called.
    QTemporaryDir folder;
    const QString filter = qtDialogFilter(QStringLiteral(
        "HTML soubory (*.htm;*.html)|*.htm;*.html;*.HTM;*.HTML|Všechny soubory (*.*)|*.*|"));
    const std::unique_ptr<QFileDialog> dialog =
        makeFileDialog(nullptr, QStringLiteral("Otevřít"), folder.path(), filter);
    QVERIFY(dialog->testOption(QFileDialog::HideNameFilterDetails));
    QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
    const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types != nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    QCOMPARE(shown, (QStringList{QStringLiteral("HTML soubory (*.htm;*.html)"),
                                 QStringLiteral("Všechny soubory (*.*)")}));
}

QTEST_MAIN(MainWindowTest)
// As a new user: "Nový dokument HTML5" from the drop-down of "Nový", Czech
// typed in, saved: the file is the HTML5 page in UTF-8.
void MainWindowTest::html5DocumentFromTheNewDropDownIsSavedAsUtf8()
{
    Installation inst;
    Session s(inst);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const int tabs = s.window->documents().count();
    QAction* newButton = s.action(QStringLiteral("file.new"), ActionPlace::ToolBar);
    QVERIFY(newButton != nullptr && newButton->menu() != nullptr);
    QStringList captions;
    QAction* html5 = nullptr;
    for (QAction* a : newButton->menu()->actions()) {
        captions << a->text();
        if (a->text() == QStringLiteral("Nový dokument HTML5"))
            html5 = a;
    }
    QVERIFY2(html5 != nullptr, qPrintable(captions.join(u", ")));
    QVERIFY(html5->isEnabled());
    html5->trigger();

    const NewPageText page = buildHtml5Page();
    QCOMPARE(s.window->documents().count(), tabs + 1);
    QCOMPARE(s.editor().text(), page.text);
    QCOMPARE(s.editor().selectionStart(), page.caret);
    QVERIFY(!s.editor().isModified());

    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    s.editor().setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));
    for (const QChar c : QStringLiteral("Žluťoučký kůň"))
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    QVERIFY(s.editor().text().contains(QStringLiteral("Žluťoučký kůň")));
    const QString target = dir.filePath(QStringLiteral("nova.html"));
    s.ui.saveFileNames << target;
    s.action(QStringLiteral("file.save"))->trigger();
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.startsWith("<!DOCTYPE html>\r\n"));
    QVERIFY(bytes.contains(QStringLiteral("<body>\r\nŽluťoučký kůň").toUtf8()));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
}

void MainWindowTest::encodingChosenFromTheMenuConvertsAtTheNextSave_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("updateDeclaration");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray body = QStringLiteral("<p>ž → x</p>\r\n").toUtf8();
    QTest::newRow("to Windows-1250, declaration updated")
        << QStringLiteral("Windows-1250") << QStringLiteral("Windows-1250") << true
        << QByteArray("<meta charset=\"windows-1250\">\r\n<p>\x9E &#8594; x</p>\r\n");
    QTest::newRow("to Windows-1250, declaration kept")
        << QStringLiteral("Windows-1250") << QStringLiteral("Windows-1250") << false
        << QByteArray("<meta charset=\"utf-8\">\r\n<p>\x9E &#8594; x</p>\r\n");
    QTest::newRow("to UTF-8 with a byte-order mark: no question")
        << QStringLiteral("UTF-8 s BOM") << QStringLiteral("UTF-8 s BOM") << false
        << "\xEF\xBB\xBF<meta charset=\"utf-8\">\r\n" + body;
}

// "Soubor" > "Kódování": the status bar names the encoding at once, the next
// save converts, and the page's declaration follows when the user agrees.
void MainWindowTest::encodingChosenFromTheMenuConvertsAtTheNextSave()
{
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    QFETCH(bool, updateDeclaration);
    QFETCH(QByteArray, saved);
    Installation inst;
    Session s(inst);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.html"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<meta charset=\"utf-8\">\r\n<p>ž → x</p>\r\n").toUtf8());
    }
    QVERIFY(s.window->documents().openDocument(path));
    QCOMPARE(s.window->statusText(4), QStringLiteral("UTF-8"));

    const bool asks = entry == QStringLiteral("Windows-1250");
    if (asks)
        s.ui.yesNoAnswers << updateDeclaration;
    QAction* choice = menuEntry(s.window->menuBar(), QStringLiteral("&Soubor/Kó&dování/") + entry);
    QVERIFY(choice != nullptr);
    QVERIFY(choice->isEnabled());
    choice->trigger();
    QCOMPARE(s.ui.questions.size(), asks ? 1 : 0);
    if (asks) {
        QCOMPARE(s.ui.questions.constFirst(),
                 QStringLiteral("Stránka uvádí kódování „utf-8“. Změnit je na „windows-1250“?"));
    }
    QCOMPARE(s.window->statusText(4), shown);

    s.action(QStringLiteral("file.save"))->trigger();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), saved);
}

#include "tst_mainwindow.moc"
