// Spelling of the page's text in a real window: the underlines of the
// misspelt words (only the text a reader sees, in the page's languages),
// the pop-up menu's corrections through real right clicks on the editor's
// viewport, the personal word list across a restart, the setting and the
// pass through the page (F7). Uses the dictionaries scripts/install-deps
// installs.

#include "app/editor/ScintillaEditor.h"
#include "app/settings/SettingsDialog.h"
#include "app/settings/SettingsFeature.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "app/spelling/SpellCheckDialog.h"
#include "app/spelling/SpellUnderline.h"
#include "app/spelling/Speller.h"
#include "app/spelling/SpellingFeature.h"
#include "app/spelling/WebSpelling.h"
#include "core/settings/AppSettings.h"
#include "support/DialogAccessibility.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;

namespace {

constexpr int kSettle = 15000;

struct Session
{
    qw::test::TestInstallation& inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    Session(qw::test::TestInstallation& installation, const QByteArray& page) : inst(installation)
    {
        const QString path = inst.path(u"stranka.html"_s);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
        f.close();
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(path);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        editor().setFocus();
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    SpellUnderline& underline() { return *SpellUnderline::of(&editor()); }
    QWidget* focus() const
    {
        QWidget* target = QApplication::focusWidget();
        return target != nullptr ? target : window.get();
    }
    bool settle()
    {
        return QTest::qWaitFor([this] { return underline().isSettled(); }, kSettle);
    }
    long find(const QByteArray& what, int nth = 0) const
    {
        const QByteArray text = window->documents().current()->utf8Text();
        long at = -1;
        for (int i = 0; i <= nth; ++i)
            at = text.indexOf(what, at + 1);
        return at;
    }
    // The underlined pieces of the text, in order.
    QStringList underlined()
    {
        QStringList out;
        const QByteArray text = editor().utf8Text();
        long pos = 0;
        while (pos < text.size()) {
            const long value = editor().SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                                      SpellUnderline::kIndicator, pos);
            const long end = editor().SendScintilla(QsciScintillaBase::SCI_INDICATOREND,
                                                    SpellUnderline::kIndicator, pos);
            if (value != 0)
                out.append(QString::fromUtf8(text.mid(pos, end - pos)));
            if (end <= pos)
                break;
            pos = end;
        }
        return out;
    }
    // A person's right click on the byte position: press, the menu event the
    // window system sends, release; all on the editor's viewport.
    QMenu* rightClick(long position)
    {
        ScintillaEditor& e = editor();
        e.SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, position, position);
        const long x = e.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, position);
        const long y = e.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, position);
        const long h = e.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL);
        const QPoint at(static_cast<int>(x) + 3, static_cast<int>(y + h / 2));
        QWidget* viewport = e.viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &menuEvent);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
        QMenu* menu = window->editorPopup();
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000))
            return nullptr;
        return menu;
    }
    static QStringList captions(const QMenu* menu)
    {
        QStringList out;
        for (const QAction* a : menu->actions())
            out.append(a->isSeparator() ? u"-"_s : a->text());
        return out;
    }
    static void choose(QMenu* menu, const QString& caption)
    {
        for (QAction* a : menu->actions()) {
            if (a->text() == caption) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        }
        QFAIL(qPrintable(u"no entry "_s + caption));
    }
};

const QByteArray kAcceptancePage =
    "<!DOCTYPE html>\n<html>\n<head><title>Obec</title></head>\n<body>\n"
    "<p>Příliš žlutoučký kůň</p>\n<img src=\"obr.png\" alt=\"obrázk\">\n</body>\n</html>\n";

} // namespace

class SpellingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void misspeltTextIsUnderlinedAndARightClickFixesIt();
    void languageOfAnElementChoosesItsDictionary();
    void typingUnderlinesAndCorrectingRemovesTheLine();
    void personalWordStaysAcceptedAfterARestart();
    void ignoredWordAndSwitchedOffChecking();
    void passThroughThePageReplacesSkipsAndAdds();
    void designPageEngineGetsTheSameDictionary();
};

void SpellingTest::misspeltTextIsUnderlinedAndARightClickFixesIt()
{
    qw::test::TestInstallation inst;
    Session s(inst, kAcceptancePage);
    QVERIFY(s.settle());
    // "žlutoučký" lacks the soft t of "žluťoučký"; tag names, the address and
    // the doctype are never checked.
    QCOMPARE(s.underlined(), (QStringList{u"žlutoučký"_s, u"obrázk"_s}));

    QMenu* menu = s.rightClick(s.find("obr\xC3\xA1zk\"") + 2);
    QVERIFY(menu != nullptr);
    const QStringList entries = Session::captions(menu);
    QCOMPARE(entries.value(0), u"obrázek"_s);
    const qsizetype add = entries.indexOf(u"Přidat do slovníku"_s);
    QVERIFY2(add >= 1 && add <= 5, qPrintable(entries.join(u'|')));
    QCOMPARE(entries.value(add + 1), u"Ignorovat"_s);
    // The window's own entries follow.
    QCOMPARE(entries.value(add + 2), u"-"_s);
    QVERIFY(entries.size() > add + 4);
    Session::choose(menu, u"obrázek"_s);
    QTRY_VERIFY(s.editor().utf8Text().contains("alt=\"obr\xC3\xA1zek\""));
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), (QStringList{u"žlutoučký"_s}));

    // One undo step takes the whole correction back.
    // Back in the window, as a click into the text brings a person.
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    s.editor().setFocus();
    QTRY_VERIFY(QApplication::focusWidget() == &s.editor());
    QTest::keyClick(s.focus(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(s.editor().utf8Text().contains("alt=\"obr\xC3\xA1zk\""));
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), (QStringList{u"žlutoučký"_s, u"obrázk"_s}));

    // A right click on a correct word or on markup adds nothing.
    for (long at : {s.find("kůň"), s.find("<img") + 2}) {
        QMenu* plain = s.rightClick(at);
        QVERIFY(plain != nullptr);
        QVERIFY(!Session::captions(plain).contains(u"Přidat do slovníku"_s));
        plain->hide();
    }
}

void SpellingTest::languageOfAnElementChoosesItsDictionary()
{
    qw::test::TestInstallation inst;
    Session s(inst, "<html lang=\"cs\"><body>\n<p>Dobrý den, <span lang=\"en\">good morning "
                    "and recieve</span> a morning.</p>\n"
                    "<p lang=\"en-US\" title=\"color of the sky\">blue skies</p>\n"
                    "<p lang=\"xx\">Nebe je modré</p>\n</body></html>\n");
    QVERIFY(s.settle());
    // English words in the English span are English; outside it they are
    // Czech and wrong. A language without a dictionary reads as the
    // setting's (Czech).
    QCOMPARE(s.underlined(), (QStringList{u"recieve"_s, u"morning"_s}));
    QVERIFY(s.find("morning.") > 0);
    const long second = s.find("morning.");
    QVERIFY(s.editor().SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                     SpellUnderline::kIndicator, second) != 0);

    // Taking the language away from the span makes its words Czech.
    const long lang = s.find(" lang=\"en\"");
    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, lang + 10);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(s.focus(), Qt::Key_Backspace);
    QVERIFY(s.editor().utf8Text().contains("<span>good"));
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(),
             (QStringList{u"good"_s, u"morning"_s, u"and"_s, u"recieve"_s, u"morning"_s}));
}

void SpellingTest::typingUnderlinesAndCorrectingRemovesTheLine()
{
    qw::test::TestInstallation inst;
    QByteArray page = "<html><body>\n";
    // More text than one background slice takes, so edits meet checkpoints.
    for (int i = 0; i < 400; ++i)
        page += "<p>Vesnice leží v údolí mezi lesy a <b>loukami</b>.</p>\n";
    page += "<p>Konec</p>\n</body></html>\n";
    Session s(inst, page);
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), QStringList());

    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, s.find("Konec") + 5);
    QTest::keyClicks(s.focus(), u" vesnyce"_s);
    QTRY_COMPARE(s.underlined(), (QStringList{u"vesnyce"_s}));
    // Correcting the letter takes the line away.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(s.focus(), Qt::Key_Left);
    QTest::keyClick(s.focus(), Qt::Key_Backspace);
    QTest::keyClicks(s.focus(), u"i"_s);
    QVERIFY(s.editor().utf8Text().contains("Konec vesnice"));
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), QStringList());

    // Opening a comment before a misspelt word hides it from checking;
    // the words after the edit are checked again in the background.
    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, s.find("Konec") + 5);
    QTest::keyClicks(s.focus(), u" slovoo"_s);
    QTRY_COMPARE(s.underlined(), (QStringList{u"slovoo"_s}));
    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, s.find("<p>Vesnice", 350));
    QTest::keyClicks(s.focus(), u"<!--"_s);
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), QStringList());
}

void SpellingTest::personalWordStaysAcceptedAfterARestart()
{
    qw::test::TestInstallation inst;
    const QByteArray page = "<p>Autor: Kryštof Zbyhněvský, obrázk</p>\n";
    {
        Session s(inst, page);
        QVERIFY(s.settle());
        QCOMPARE(s.underlined(), (QStringList{u"Zbyhněvský"_s, u"obrázk"_s}));
        QMenu* menu = s.rightClick(s.find("Zbyh") + 1);
        QVERIFY(menu != nullptr);
        Session::choose(menu, u"Přidat do slovníku"_s);
        QVERIFY(s.settle());
        QCOMPARE(s.underlined(), (QStringList{u"obrázk"_s}));
        QCOMPARE(s.editor().utf8Text(), QByteArray(page).replace("\n", "\r\n")); // untouched
    }
    QFile list(SpellingFeature::personalListPath(inst.path(u"data"_s)));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), QByteArray("Zbyhněvský\n"));
    list.close();

    Session again(inst, page);
    QVERIFY(again.settle());
    QCOMPARE(again.underlined(), (QStringList{u"obrázk"_s}));
}

void SpellingTest::ignoredWordAndSwitchedOffChecking()
{
    qw::test::TestInstallation inst;
    Session s(inst, "<p>Slovo kočkka a pssík.</p>\n");
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), (QStringList{u"kočkka"_s, u"pssík"_s}));
    QMenu* menu = s.rightClick(s.find("pss") + 1);
    QVERIFY(menu != nullptr);
    Session::choose(menu, u"Ignorovat"_s);
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), (QStringList{u"kočkka"_s}));
    QVERIFY(!QFile::exists(SpellingFeature::personalListPath(inst.path(u"data"_s))));

    // "Kontrolovat pravopis" off in "Nastavení": no line, no menu entries.
    SettingsFeature& settings = s.window->settingsFeature();
    settings.setRunner([](QDialog&) {});
    settings.open();
    QVERIFY(settings.dialog().spellCheck()->isChecked());
    settings.dialog().spellCheck()->setChecked(false);
    settings.confirm();
    QVERIFY(!s.context->settings.spellCheck);
    QCOMPARE(s.underlined(), QStringList());
    QMenu* plain = s.rightClick(s.find("kočkka") + 1);
    QVERIFY(plain != nullptr);
    QVERIFY(!Session::captions(plain).contains(u"Přidat do slovníku"_s));
    plain->hide();

    settings.open();
    settings.dialog().spellCheck()->setChecked(true);
    settings.confirm();
    QVERIFY(s.settle());
    QCOMPARE(s.underlined(), (QStringList{u"kočkka"_s}));
}

void SpellingTest::passThroughThePageReplacesSkipsAndAdds()
{
    qw::test::TestInstallation inst;
    Session s(inst, "<p title=\"pes a kočkka\">kočkka, mlíko, p&#345;&iacute;lis, kočkka</p>\n"
                    "<p>Zbyhněvský mlíko</p>\n");
    QVERIFY(s.settle());
    QTest::keyClick(s.focus(), Qt::Key_F7);
    SpellCheckDialog* d = s.window->spelling().checkDialog();
    QVERIFY(d != nullptr);
    QTRY_VERIFY(d->isVisible());
    // Each field read by its label, Tab in reading order.
    const QStringList problems = qw::test::dialogAccessibilityProblems(*d);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    QCOMPARE(d->currentWord(), u"kočkka"_s);
    QCOMPARE(d->replacementField()->text(), u"kočka"_s);
    QCOMPARE(s.editor().selectedText(), u"kočkka"_s);

    // Every "kočkka" of the readable text at once, one undo step.
    QTest::mouseClick(d->replaceAllButton(), Qt::LeftButton);
    QCOMPARE(s.editor().utf8Text(),
             QByteArray("<p title=\"pes a kočka\">kočka, mlíko, p&#345;&iacute;lis, kočka</p>\n"
                        "<p>Zbyhněvský mlíko</p>\n")
                 .replace("\n", "\r\n"));
    QCOMPARE(d->currentWord(), u"mlíko"_s);
    QTest::mouseClick(d->skipButton(), Qt::LeftButton);
    // A word written with references is shown and replaced decoded.
    QCOMPARE(d->currentWord(), u"přílis"_s);
    const QList<QListWidgetItem*> wanted =
        d->suggestionList()->findItems(u"příliš"_s, Qt::MatchExactly);
    QVERIFY(!wanted.isEmpty());
    QListWidget* list = d->suggestionList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(wanted.constFirst()).center());
    QCOMPARE(d->replacementField()->text(), u"příliš"_s);
    QTest::mouseClick(d->replaceButton(), Qt::LeftButton);
    QVERIFY(s.editor().utf8Text().contains("mlíko, příliš, kočka"));
    QCOMPARE(d->currentWord(), u"Zbyhněvský"_s);
    QTest::mouseClick(d->addButton(), Qt::LeftButton);
    // The skipped word comes again further on; then the pass is done.
    QCOMPARE(d->currentWord(), u"mlíko"_s);
    QTest::mouseClick(d->skipButton(), Qt::LeftButton);
    QCOMPARE(d->currentWord(), QString());
    QCOMPARE(d->statusLabel()->text(), u"Kontrola pravopisu je dokončena."_s);
    QVERIFY(!d->replaceButton()->isEnabled());

    // Undo takes back the single replacement, then all of "Nahradit vše".
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    s.editor().setFocus();
    QTRY_VERIFY(QApplication::focusWidget() == &s.editor());
    QTest::keyClick(s.focus(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(s.editor().utf8Text().contains("p&#345;&iacute;lis"));
    QTest::keyClick(s.focus(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.editor().utf8Text().count("kočkka"), 3);
}

void SpellingTest::designPageEngineGetsTheSameDictionary()
{
    qw::test::TestInstallation inst;
    Session s(inst, "<p>slovo</p>\n");
    const auto languages = [] {
        return qApp->property(kWebSpellLanguagesProperty).toStringList();
    };
    qApp->setProperty(kWebSpellLanguagesProperty, QVariant());
    // The engine's copy of the Czech dictionary is made in the data home the
    // first time, then the design page's engine is told its language.
    s.window->spelling().prepareDesignSpelling();
    QTRY_COMPARE_WITH_TIMEOUT(languages(), QStringList{u"cs-CZ"_s}, 20000);
    const QFileInfo copy(webDictionaryFolder(inst.path(u"data"_s)) + u"/cs-CZ.bdic"_s);
    QVERIFY(copy.size() > 100000);
    QVERIFY(!QFileInfo::exists(copy.filePath() + u".part"_s));

    // Spelling switched off: the engine checks nothing either.
    SettingsFeature& settings = s.window->settingsFeature();
    settings.setRunner([](QDialog&) {});
    settings.open();
    settings.dialog().spellCheck()->setChecked(false);
    settings.confirm();
    s.window->spelling().prepareDesignSpelling();
    QCOMPARE(languages(), QStringList());
}

QTEST_MAIN(SpellingTest)
#include "tst_spelling.moc"
