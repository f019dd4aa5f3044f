// The settings dialog "Nastavení" in a real window, opened through its menu
// command. The dialogs run through a scripted runner (no modal loop) and
// every question goes to FakeUiServices; the association writes into the
// test installation's own configuration and data homes.

#include "app/editor/HtmlLexer.h"
#include "app/editor/ScintillaEditor.h"
#include "app/preview/PreviewFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/services/ColorCombo.h"
#include "app/settings/BrowserDialog.h"
#include "app/settings/SettingsDialog.h"
#include "app/settings/SettingsFeature.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;
using qw::test::fileBytes;

namespace {

struct Session
{
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    // What the user does while the settings dialog is open, and while the
    // browser dialog is; each runs instead of a modal loop.
    std::function<void(SettingsDialog&)> whileOpen;
    std::function<void(BrowserDialog&)> whileBrowserOpen;
    int settingsShown = 0;
    int browserShown = 0;

    explicit Session(const qw::test::TestInstallation& inst)
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->settingsFeature().setProgramPath(u"/opt/quenwick/quenwick"_s);
        window->settingsFeature().setRunner([this](QDialog& d) {
            if (auto* b = qobject_cast<BrowserDialog*>(&d)) {
                ++browserShown;
                b->setResult(QDialog::Rejected);
                if (whileBrowserOpen)
                    whileBrowserOpen(*b);
            } else if (auto* s = qobject_cast<SettingsDialog*>(&d)) {
                ++settingsShown;
                s->setResult(QDialog::Rejected);
                s->show();
                QVERIFY(QTest::qWaitForWindowExposed(s));
                if (whileOpen)
                    whileOpen(*s);
                s->hide();
            }
        });
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void trigger(const char* id)
    {
        const QList<QAction*> actions = window->commands().actions(QString::fromLatin1(id));
        QVERIFY(!actions.isEmpty());
        QVERIFY(actions.constFirst()->isEnabled());
        actions.constFirst()->trigger();
    }
    // "Nástroje" > "Nastavení..." with the user's steps.
    void openSettings(std::function<void(SettingsDialog&)> steps)
    {
        whileOpen = std::move(steps);
        trigger("tools.settings");
    }
    ScintillaEditor& editor() { return *window->documents().current(); }
};

void click(QAbstractButton* b)
{
    QVERIFY(b != nullptr);
    QVERIFY(b->isEnabled());
    // A check box takes clicks on its box and caption only, at its left.
    const QPoint at = qobject_cast<QCheckBox*>(b) != nullptr
                          ? QPoint(b->height() / 2, b->height() / 2)
                          : b->rect().center();
    QTest::mouseClick(b, Qt::LeftButton, {}, at);
}

void showPage(SettingsDialog& d, int page)
{
    QTabBar* bar = d.pages()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    QCOMPARE(d.pages()->currentIndex(), page);
}

void clickRow(QTreeWidget* list, int row)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item != nullptr);
    const QRect r = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

QStringList rows(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + u'|' + list->topLevelItem(i)->text(1);
    return out;
}

ColorRef styleFore(ScintillaEditor& e, StyleClass c)
{
    return ColorRef(e.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE,
                                    static_cast<unsigned long>(HtmlLexer::styleOfClass(c))));
}
// QScintilla hands the font's weight to Scintilla negated.
bool styleBold(ScintillaEditor& e, StyleClass c)
{
    return e.SendScintilla(QsciScintillaBase::SCI_STYLEGETWEIGHT,
                           static_cast<unsigned long>(HtmlLexer::styleOfClass(c))) ==
           -long(QFont::Bold);
}

QByteArray htmlDatWithFilters()
{
    return QByteArrayLiteral("[FILTRY]\r\nfiltr0=A|*.a|\r\nfiltr1=B|*.b|\r\nfiltr2=C|*.c|\r\n");
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheFirstPageFilledFromTheSettings();
    void defaultExtensionIsStoredWithItsPoint_data();
    void defaultExtensionIsStoredWithItsPoint();
    void stornoChangesNothing();
    void newFilterIsStoredAndOfferedAtOnce();
    void filterQuestionsCancelledAddNothing();
    void movingFiltersStopsAtTheEnds_data();
    void movingFiltersStopsAtTheEnds();
    void tagColourReachesEveryOpenEditor();
    void stornoAfterAStyleChangeLeavesTheEditors();
    void browserAddedByBrowsingIsInTheMenuAtOnce();
    void editingABrowserWithoutASelectionDoesNothing();
    void editorFieldsReachTheCurrentEditorAndTheSettings();
    void writingAidsAreSwitchedOnTheEditorPage();
    void associationActsAtOnceAlsoWhenCancelled();
    void associationThatCannotBeWrittenIsReported();
};

void SettingsTest::opensOnTheFirstPageFilledFromTheSettings()
{
    qw::test::TestInstallation inst(QByteArrayLiteral(
        "[BROWSER]\r\nbrowser0=Moje|/opt/b/run|x\r\n[SABLONA-HEAD]\r\nitem0=<html>\r\n"
        "item1=<body>\r\n"));
    Session s(inst);
    s.context->settings.saveFormat = u"UNIX"_s;
    s.context->settings.fontSize = 11;
    s.openSettings([](SettingsDialog& d) {
        QCOMPARE(d.windowTitle(), u"Nastavení"_s);
        QCOMPARE(d.pages()->currentIndex(), 0);
        const QStringList captions = {u"Nastavení editoru"_s, u"Dialogy"_s, u"HTML šablona"_s,
                                      u"Prohlížeče"_s, u"Nastavení písma"_s};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(d.pages()->tabText(i), captions.at(i));
        QCOMPARE(d.saveFormat()->currentText(), u"UNIX"_s);
        QCOMPARE(d.fontSize()->value(), 11);
        QCOMPARE(d.fontName()->currentText(), u"Verdana"_s);
        QCOMPARE(d.defaultExt()->text(), u".html"_s);
        // The path is all after the first bar.
        QCOMPARE(rows(d.browserList()), QStringList{u"Moje|/opt/b/run|x"_s});
        QCOMPARE(d.templateHead()->text(), u"<html>\r\n<body>"_s);
        QCOMPARE(d.extensionList()->count(), 22);
        QVERIFY(d.okButton()->isDefault());
        // The style page selects its first entry and shows its style.
        showPage(d, SettingsDialog::StylePage);
        QCOMPARE(d.styleList()->currentRow(), 0);
        QCOMPARE(d.styleList()->currentItem()->text(), u"HTML Tagy"_s);
        QVERIFY(d.styleItalic()->isChecked()); // the tags' default look
        QVERIFY(!d.styleBold()->isChecked());
        QCOMPARE(d.styleColor()->color(), QColor(0xFF, 0x00, 0x80));
    });
    QCOMPARE(s.settingsShown, 1);
    QVERIFY(s.ui.allAnswersUsed());
    QVERIFY(s.ui.unscripted().isEmpty());
}

void SettingsTest::defaultExtensionIsStoredWithItsPoint_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("without point") << u"htm"_s << u".htm"_s;
    QTest::newRow("with point") << u".php"_s << u".php"_s;
    QTest::newRow("empty stays empty") << QString() << QString();
}

void SettingsTest::defaultExtensionIsStoredWithItsPoint()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    qw::test::TestInstallation inst;
    Session s(inst);
    s.openSettings([&](SettingsDialog& d) {
        d.defaultExt()->setFocus();
        d.defaultExt()->selectAll();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        click(d.okButton());
    });
    QCOMPARE(s.context->settings.defaultExt, stored);
    // The save dialog goes on with the extension of the start.
    s.ui.saveFileNames = {QString()};
    s.trigger("file.saveAs");
    QCOMPARE(s.ui.saveRequests.size(), 1);
    QCOMPARE(s.ui.saveRequests.constFirst().defaultSuffix, u"html"_s);
}

void SettingsTest::stornoChangesNothing()
{
    qw::test::TestInstallation inst(htmlDatWithFilters());
    Session s(inst);
    const AppSettings before = s.context->settings;
    s.ui.inputResults = {u"Web"_s, u"*.htm"_s};
    s.openSettings([](SettingsDialog& d) {
        d.defaultExt()->setText(u"txt"_s);
        d.fontSize()->setValue(30);
        showPage(d, SettingsDialog::DialogsPage);
        click(d.button(u"Nový filtr"_s));
        QCOMPARE(d.filterList()->topLevelItemCount(), 4);
        click(d.cancelButton());
    });
    QVERIFY(s.context->settings == before);
    // Opened again, the dialog shows the settings, not what was cancelled.
    s.openSettings([](SettingsDialog& d) {
        QCOMPARE(d.defaultExt()->text(), u".html"_s);
        QCOMPARE(d.fontSize()->value(), 9);
        QCOMPARE(d.filterList()->topLevelItemCount(), 3);
    });
}

void SettingsTest::newFilterIsStoredAndOfferedAtOnce()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.ui.inputResults = {u"Web"_s, u"*.htm;*.html"_s};
    s.openSettings([](SettingsDialog& d) {
        showPage(d, SettingsDialog::DialogsPage);
        click(d.button(u"Nový filtr"_s));
        QCOMPARE(rows(d.filterList()), QStringList{u"Web|*.htm;*.html"_s});
        QVERIFY(d.filterList()->topLevelItem(0)->isSelected());
        click(d.okButton());
    });
    QCOMPARE(s.ui.events.filter(u"input: "_s),
             QStringList({u"input: Vložte název nového filtru :"_s, u"input: Vložte filtr :"_s}));
    QCOMPARE(s.context->settings.filters, QStringList{u"Web|*.htm;*.html|"_s});
    s.ui.openFileNames = {QString()};
    s.trigger("file.open");
    QCOMPARE(s.ui.openFilters.constLast(), u"Web (*.htm *.html)"_s);
    QVERIFY(s.ui.allAnswersUsed());
}

void SettingsTest::filterQuestionsCancelledAddNothing()
{
    qw::test::TestInstallation inst(htmlDatWithFilters());
    Session s(inst);
    // The name confirmed, the mask cancelled; then editing with the mask
    // cancelled; then without a selection nothing is asked at all.
    s.ui.inputResults = {u"Web"_s, std::nullopt, u"Nové"_s, std::nullopt};
    s.openSettings([](SettingsDialog& d) {
        showPage(d, SettingsDialog::DialogsPage);
        click(d.button(u"Nový filtr"_s));
        d.filterList()->clearSelection();
        click(d.button(u"Upravit filtr"_s));
        click(d.button(u"Smazat filtr"_s));
        clickRow(d.filterList(), 1);
        click(d.button(u"Upravit filtr"_s));
        QCOMPARE(rows(d.filterList()), QStringList({u"A|*.a"_s, u"B|*.b"_s, u"C|*.c"_s}));
        click(d.button(u"Smazat filtr"_s));
        click(d.okButton());
    });
    QCOMPARE(s.context->settings.filters, QStringList({u"A|*.a|"_s, u"C|*.c|"_s}));
    QVERIFY(s.ui.allAnswersUsed());
}

void SettingsTest::movingFiltersStopsAtTheEnds_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("selectedAfter");
    const QStringList unchanged = {u"A|*.a|"_s, u"B|*.b|"_s, u"C|*.c|"_s};
    QTest::newRow("first up") << 0 << u"Nahoru"_s << unchanged << 0;
    QTest::newRow("last down") << 2 << u"Dolů"_s << unchanged << 2;
    QTest::newRow("first down") << 0 << u"Dolů"_s
                                << QStringList({u"B|*.b|"_s, u"A|*.a|"_s, u"C|*.c|"_s}) << 1;
    QTest::newRow("last up") << 2 << u"Nahoru"_s
                             << QStringList({u"A|*.a|"_s, u"C|*.c|"_s, u"B|*.b|"_s}) << 1;
}

void SettingsTest::movingFiltersStopsAtTheEnds()
{
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QStringList, stored);
    QFETCH(int, selectedAfter);
    qw::test::TestInstallation inst(htmlDatWithFilters());
    Session s(inst);
    s.openSettings([&](SettingsDialog& d) {
        showPage(d, SettingsDialog::DialogsPage);
        clickRow(d.filterList(), row);
        // The filter page's own button, not the browser page's.
        QAbstractButton* b = nullptr;
        for (QAbstractButton* c :
             d.pages()->widget(SettingsDialog::DialogsPage)->findChildren<QAbstractButton*>()) {
            if (c->toolTip() == button)
                b = c;
        }
        click(b);
        const QList<QTreeWidgetItem*> selected = d.filterList()->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(d.filterList()->indexOfTopLevelItem(selected.constFirst()), selectedAfter);
        click(d.okButton());
    });
    QCOMPARE(s.context->settings.filters, stored);
}

void SettingsTest::tagColourReachesEveryOpenEditor()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(u"<p class=\"x\">a</p><foo>"_s);
    ScintillaEditor* first = &s.editor();
    s.trigger("file.blank");
    ScintillaEditor* second = &s.editor();
    QVERIFY(first != second);
    const StyleClass tagClasses[] = {StyleClass::HtmlTag, StyleClass::HtmlKeyword,
                                     StyleClass::Bracket, StyleClass::UnknownTag};
    const ColorRef green = 0x008000;
    s.openSettings([&](SettingsDialog& d) {
        showPage(d, SettingsDialog::StylePage);
        d.styleColor()->setCurrentIndex(d.styleColor()->findText(u"Zelená"_s));
        // The sample shows it at once, the documents only after OK.
        for (StyleClass c : tagClasses) {
            QCOMPARE(styleFore(*d.sample(), c), green);
            QVERIFY(styleFore(*first, c) != green);
        }
        click(d.okButton());
    });
    for (ScintillaEditor* e : {first, second}) {
        for (StyleClass c : tagClasses) {
            QCOMPARE(styleFore(*e, c), green);
            QVERIFY(!styleBold(*e, c)); // the shown tag look: italic, not bold
        }
        QCOMPARE(styleFore(*e, StyleClass::HtmlAttribute), ColorRef(0x008000));
        QCOMPARE(styleFore(*e, StyleClass::HtmlComment), ColorRef(0x008080));
    }
    QCOMPARE(styleOf(s.context->settings.styles, StyleClass::UnknownTag).foreground, green);
}

void SettingsTest::stornoAfterAStyleChangeLeavesTheEditors()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const HighlightStyles before = s.context->settings.styles;
    s.openSettings([&](SettingsDialog& d) {
        showPage(d, SettingsDialog::StylePage);
        d.styleList()->setCurrentRow(1); // "HTML atributy"
        click(d.styleBold());
        QVERIFY(d.styleBold()->isChecked());
        QVERIFY(styleOf(d.styles(), StyleClass::HtmlAttribute).bold);
        QVERIFY(styleBold(*d.sample(), StyleClass::HtmlAttribute));
        click(d.cancelButton());
    });
    QVERIFY(!styleBold(s.editor(), StyleClass::HtmlAttribute));
    QVERIFY(s.context->settings.styles == before);
    s.openSettings(
        [](SettingsDialog& d) { QVERIFY(!styleBold(*d.sample(), StyleClass::HtmlAttribute)); });
}

void SettingsTest::browserAddedByBrowsingIsInTheMenuAtOnce()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.ui.openFileNames = {u"/usr/bin/firefox-esr"_s, u"/opt/other/chromium"_s};
    int round = 0;
    s.whileBrowserOpen = [&](BrowserDialog& b) {
        QCOMPARE(b.windowTitle(), u"Přidat"_s);
        if (round++ == 0) {
            QCOMPARE(b.nameField()->text(), QString());
            click(b.browseButton());
            QCOMPARE(b.pathField()->text(), u"/usr/bin/firefox-esr"_s);
            QCOMPARE(b.nameField()->text(), u"firefox-esr"_s);
        } else {
            // The fields keep what they last held; a name there stays.
            QCOMPARE(b.nameField()->text(), u"firefox-esr"_s);
            click(b.browseButton());
            QCOMPARE(b.pathField()->text(), u"/opt/other/chromium"_s);
            QCOMPARE(b.nameField()->text(), u"firefox-esr"_s);
            b.nameField()->setText(u"Chromium"_s);
        }
        click(b.okButton());
    };
    s.openSettings([](SettingsDialog& d) {
        showPage(d, SettingsDialog::BrowsersPage);
        click(d.button(u"Přidat..."_s));
        click(d.button(u"Přidat..."_s));
        click(d.okButton());
    });
    QCOMPARE(s.browserShown, 2);
    QCOMPARE(s.ui.programDialogs, 2);
    QCOMPARE(s.context->settings.browsers,
             QList<BrowserEntry>({{u"firefox-esr"_s, u"/usr/bin/firefox-esr"_s},
                                  {u"Chromium"_s, u"/opt/other/chromium"_s}}));
    QMenu* menu = s.window->preview().browserMenu();
    QVERIFY(menu != nullptr);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    QCOMPARE(captions, QStringList({u"firefox-esr"_s, u"Chromium"_s}));
}

void SettingsTest::editingABrowserWithoutASelectionDoesNothing()
{
    qw::test::TestInstallation inst(
        QByteArrayLiteral("[BROWSER]\r\nbrowser0=X|/x\r\nbrowser1=Y|/y\r\n"));
    Session s(inst);
    s.whileBrowserOpen = [](BrowserDialog& b) {
        QCOMPARE(b.windowTitle(), u"Upravit"_s);
        QCOMPARE(b.nameField()->text(), u"Y"_s);
        QCOMPARE(b.pathField()->text(), u"/y"_s);
        b.pathField()->setText(u"/usr/bin/y"_s);
        click(b.okButton());
    };
    s.openSettings([&](SettingsDialog& d) {
        showPage(d, SettingsDialog::BrowsersPage);
        click(d.button(u"Upravit..."_s));
        click(d.button(u"Smazat"_s));
        QCOMPARE(s.browserShown, 0);
        QCOMPARE(d.browserList()->topLevelItemCount(), 2);
        clickRow(d.browserList(), 1);
        click(d.button(u"Upravit..."_s));
        click(d.findChild<QAbstractButton*>(u"browserUp"_s));
        click(d.okButton());
    });
    QCOMPARE(s.context->settings.browsers,
             QList<BrowserEntry>({{u"Y"_s, u"/usr/bin/y"_s}, {u"X"_s, u"/x"_s}}));
}

void SettingsTest::editorFieldsReachTheCurrentEditorAndTheSettings()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    // A view the dialog does not show stays as the user left it.
    Q_EMIT s.window->viewMenu()->aboutToShow();
    s.window->commands().action(u"view.statusBar"_s, ActionPlace::MainMenu)->trigger();
    QVERIFY(s.window->statusBar()->isHidden());
    s.openSettings([](SettingsDialog& d) {
        d.fontSize()->setValue(14);
        d.tabWidth()->setValue(4);
        d.backColor()->setCurrentIndex(d.backColor()->findText(u"Žlutá"_s));
        d.saveFormat()->setCurrentIndex(d.saveFormat()->findText(u"MAC"_s));
        for (QCheckBox* box : d.findChildren<QCheckBox*>()) {
            if (box->text() == u"vkládat HTML malými písmeny"_s ||
                box->text() == u"relativní cesta"_s)
                click(box);
        }
        showPage(d, SettingsDialog::TemplatePage);
        d.templateFoot()->setText(u"</body>\r\n</html>\r\n"_s);
        click(d.okButton());
    });
    const AppSettings& set = s.context->settings;
    QCOMPARE(set.fontSize, 14);
    QCOMPARE(set.tabWidth, 4);
    QCOMPARE(set.backColor, ColorRef(0x00FFFF));
    QCOMPARE(set.saveFormat, u"MAC"_s);
    QVERIFY(!set.upperTag);
    QVERIFY(!set.relativePath);
    QVERIFY(set.lowerFileName);
    QCOMPARE(set.templateFoot, QStringList({u"</body>"_s, u"</html>"_s}));
    QCOMPARE(s.editor().htmlLexer()->lookFont().pointSize(), 14);
    QCOMPARE(s.editor().tabWidth(), 4);
    QVERIFY(s.window->statusBar()->isHidden());
}

void SettingsTest::writingAidsAreSwitchedOnTheEditorPage()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const QStringList captions{u"Nabízet tagy, atributy a entity"_s, u"Automaticky uzavírat tagy"_s,
                               u"Zvýrazňovat párový tag"_s, u"Přejmenovat párový tag"_s};
    bool AppSettings::*const aids[] = {&AppSettings::completeMarkup, &AppSettings::autoCloseTags,
                                       &AppSettings::highlightPartnerTag,
                                       &AppSettings::renamePartnerTag};
    // Each box turns its own aid off, then on again, and shows it as set.
    for (int i = 0; i < captions.size(); ++i) {
        for (const bool on : {false, true}) {
            s.openSettings([&](SettingsDialog& d) {
                auto* box = qobject_cast<QCheckBox*>(d.button(captions[i]));
                QVERIFY2(box, qPrintable(captions[i]));
                QCOMPARE(box->isChecked(), !on);
                click(box);
                click(d.okButton());
            });
            for (int j = 0; j < captions.size(); ++j)
                QCOMPARE(s.context->settings.*aids[j], j == i ? on : true);
        }
    }
}

void SettingsTest::associationActsAtOnceAlsoWhenCancelled()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.openSettings([](SettingsDialog& d) {
        showPage(d, SettingsDialog::DialogsPage);
        QListWidget* list = d.extensionList();
        for (const QString& ext : {u"html"_s, u"htm"_s}) {
            QListWidgetItem* item = list->findItems(ext, Qt::MatchExactly).constFirst();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
        }
        click(d.associateButton());
        click(d.cancelButton());
    });
    QVERIFY(s.ui.notices.isEmpty());
    const QString entry = inst.path(u"data/applications/quenwick.desktop"_s);
    const QByteArray entryText = fileBytes(entry);
    QVERIFY(entryText.contains("\nExec=/opt/quenwick/quenwick %F\n"));
    QVERIFY(entryText.contains("\nMimeType=text/html;\n"));
    QVERIFY(fileBytes(inst.path(u"cfg/mimeapps.list"_s))
                .contains("[Default Applications]\ntext/html=quenwick.desktop;\n"));

    const QString xdgMime = QStandardPaths::findExecutable(u"xdg-mime"_s);
    if (xdgMime.isEmpty())
        return;
    QProcess query;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, inst.path(u"cfg"_s));
    env.insert(u"XDG_DATA_HOME"_s, inst.path(u"data"_s));
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "XDG_CONFIG_DIRS"})
        env.remove(QString::fromLatin1(name));
    query.setProcessEnvironment(env);
    query.start(xdgMime, {u"query"_s, u"default"_s, u"text/html"_s});
    QVERIFY(query.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), u"quenwick.desktop"_s);
}

void SettingsTest::associationThatCannotBeWrittenIsReported()
{
    qw::test::TestInstallation inst;
    // A file where the applications folder belongs fails for root too.
    QVERIFY(QDir().mkpath(inst.path(u"data"_s)));
    QFile blocker(inst.path(u"data/applications"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Session s(inst);
    s.openSettings([](SettingsDialog& d) {
        showPage(d, SettingsDialog::DialogsPage);
        d.extensionList()->item(0)->setSelected(true);
        click(d.associateButton());
        click(d.cancelButton());
    });
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices.constFirst().icon, UiServices::Icon::Error);
    QVERIFY(s.ui.notices.constFirst().text.contains(u"quenwick.desktop"_s));
    QVERIFY(!QFile::exists(inst.path(u"cfg/mimeapps.list"_s)));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
