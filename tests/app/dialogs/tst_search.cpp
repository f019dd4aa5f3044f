// Find, find next, replace and go to line driven through the real dialogs'
// buttons and keys on a real Scintilla editor. Every notice and the go-to-line
// question go to the scripted FakeUiServices.

#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/dialogs/SearchController.h"
#include "app/editor/ScintillaEditor.h"
#include "support/FakeUiServices.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;
using Icon = UiServices::Icon;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

template<typename T> T* child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeUiServices> m_ui;
    std::unique_ptr<QWidget> m_window;
    ScintillaEditor* m_editor = nullptr;
    SearchController* m_search = nullptr;
    int m_inspectorClears = 0;

    FindDialog* findDialog() const { return m_search->findDialog(); }
    ReplaceDialog* replaceDialog() const { return m_search->replaceDialog(); }

    // Opens the find dialog, types the search text and presses Enter.
    void findFromDialog(const QString& what)
    {
        m_search->showFind();
        child<QLineEdit>(findDialog(), "edFind")->setText(what);
        QTest::keyClick(child<QLineEdit>(findDialog(), "edFind"), Qt::Key_Return);
    }

    void showReplace(const QString& what, const QString& replacement)
    {
        m_search->showReplace();
        child<QLineEdit>(replaceDialog(), "edFind")->setText(what);
        child<QLineEdit>(replaceDialog(), "edReplace")->setText(replacement);
    }

    void clickReplace(const char* button)
    {
        QTest::mouseClick(child<QPushButton>(replaceDialog(), button), Qt::LeftButton);
    }

    QStringList noticeTexts() const
    {
        QStringList texts;
        for (const auto& n : m_ui->notices)
            texts << n.text;
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_ui = std::make_unique<FakeUiServices>();
        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 400);
        auto* layout = new QVBoxLayout(m_window.get());
        m_editor = new ScintillaEditor(m_window.get());
        layout->addWidget(m_editor);
        m_inspectorClears = 0;
        m_search = new SearchController(
            *m_ui, m_window.get(), [this]() -> EditorWidget* { return m_editor; },
            [this] { ++m_inspectorClears; }, m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_ui.reset();
    }

    // "tag tag": Enter in the dialog selects the first one with the caret at
    // its end, "Hledat další" the second, and one more finds nothing: the
    // exact notice, the selection left alone, "Hledat další" switched off.
    void findThenFindNext()
    {
        m_editor->setText(QStringLiteral("tag tag"));
        m_editor->setSelectionStart(0);
        QSignalSpy enabled(m_search, &SearchController::findNextEnabledChanged);
        QVERIFY(!m_search->findNextEnabled());

        findFromDialog(QStringLiteral("tag"));
        QCOMPARE(m_editor->selectionStart(), 3);
        QCOMPARE(m_editor->selectionLength(), -3);
        QVERIFY(m_search->findNextEnabled());
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), true);
        QCOMPARE(m_inspectorClears, 1);
        QVERIFY(m_editor->hasFocus());

        m_search->findNext();
        QCOMPARE(m_editor->selectionStart(), 7);
        QCOMPARE(m_editor->selectionLength(), -3);
        QVERIFY(m_ui->notices.isEmpty());

        m_search->findNext();
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices[0].icon, Icon::Information);
        QCOMPARE(m_ui->notices[0].text, QStringLiteral("Hledané slovo \"tag\" nebylo nalezeno!"));
        QCOMPARE(m_editor->selectionStart(), 7);
        QCOMPARE(m_editor->selectionLength(), -3);
        QVERIFY(!m_search->findNextEnabled());
        QCOMPARE(enabled.size(), 2);
        QCOMPARE(enabled.at(1).at(0).toBool(), false);
        QCOMPARE(m_inspectorClears, 2);
    }

    void findUpwards()
    {
        m_editor->setText(QStringLiteral("tag tag"));
        m_editor->setSelectionStart(7);
        m_search->showFind();
        QTest::mouseClick(child<QRadioButton>(findDialog(), "rbUp"), Qt::LeftButton);
        findFromDialog(QStringLiteral("tag"));
        QCOMPARE(m_editor->selectionStart(), 4);
        QCOMPARE(m_editor->selectionLength(), 3);
        m_search->findNext();
        QCOMPARE(m_editor->selectionStart(), 0);
        QCOMPARE(m_editor->selectionLength(), 3);
    }

    // The options the user ticks in the dialog are the ones the search uses.
    void dialogOptionsReachTheSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWords");
        QTest::addColumn<bool>("found");
        QTest::newRow("brackets bound no word") << s("(a)") << s("a") << false << true << false;
        QTest::newRow("= and ; bound a word") << s("=a;") << s("a") << false << true << true;
        QTest::newRow("part of a word") << s("aha") << s("h") << false << true << false;
        QTest::newRow("part of a word, no whole words")
            << s("aha") << s("h") << false << false << true;
        QTest::newRow("Č is not č") << s("čas") << s("ČAS") << false << false << false;
        QTest::newRow("ASCII ignores case") << s("text") << s("TEXT") << false << false << true;
        QTest::newRow("match case") << s("text") << s("TEXT") << true << false << false;
    }

    void dialogOptionsReachTheSearch()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWords);
        QFETCH(bool, found);
        m_editor->setText(text);
        m_editor->setSelectionStart(0);
        m_search->showFind();
        child<QCheckBox>(findDialog(), "chbMatchCase")->setChecked(matchCase);
        child<QCheckBox>(findDialog(), "chbWholeWords")->setChecked(wholeWords);
        findFromDialog(what);
        QCOMPARE(m_search->findNextEnabled(), found);
        QCOMPARE(m_ui->notices.isEmpty(), found);
        QCOMPARE(m_editor->selectedText().isEmpty(), !found);
    }

    // Find: down, both options off; replace: match case on. Escape hides the
    // dialog, and the next showing has the same text and options.
    void optionsAtStartAndKeptBetweenUses()
    {
        QVERIFY(child<QRadioButton>(findDialog(), "rbDown")->isChecked());
        QVERIFY(!child<QCheckBox>(findDialog(), "chbMatchCase")->isChecked());
        QVERIFY(!child<QCheckBox>(findDialog(), "chbWholeWords")->isChecked());
        QVERIFY(child<QCheckBox>(replaceDialog(), "chbMatchCase")->isChecked());
        QVERIFY(!child<QCheckBox>(replaceDialog(), "chbWholeWords")->isChecked());
        QVERIFY(!findDialog()->isModal());
        QVERIFY(!replaceDialog()->isModal());

        m_search->showFind();
        QVERIFY(findDialog()->isVisible());
        auto* edit = child<QLineEdit>(findDialog(), "edFind");
        edit->setText(QStringLiteral("abc"));
        child<QCheckBox>(findDialog(), "chbWholeWords")->setChecked(true);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!findDialog()->isVisible());

        m_search->showFind();
        QVERIFY(findDialog()->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("abc"));
        QCOMPARE(edit->selectedText(), QStringLiteral("abc"));
        QVERIFY(child<QCheckBox>(findDialog(), "chbWholeWords")->isChecked());
        QCOMPARE(edit->accessibleName(), QStringLiteral("Najít"));
        // The replace dialog keeps its own text.
        QVERIFY(child<QLineEdit>(replaceDialog(), "edFind")->text().isEmpty());
        QVERIFY(!child<QPushButton>(replaceDialog(), "btnReplaceAll")->isEnabled());
    }

    // A failed search from the replace dialog leaves "Hledat další" as the
    // find dialog's last search set it.
    void replaceDialogFindLeavesFindNextAlone()
    {
        m_editor->setText(QStringLiteral("tag"));
        m_editor->setSelectionStart(0);
        findFromDialog(QStringLiteral("tag"));
        QVERIFY(m_search->findNextEnabled());
        QSignalSpy enabled(m_search, &SearchController::findNextEnabledChanged);

        showReplace(QStringLiteral("xyz"), QString());
        clickReplace("btnFindNext");
        QCOMPARE(noticeTexts(),
                 QStringList{QStringLiteral("Hledané slovo \"xyz\" nebylo nalezeno!")});
        QVERIFY(m_search->findNextEnabled());
        QCOMPARE(enabled.size(), 0);
    }

    void replaceAllCountsAndClosesInOneUndoStep()
    {
        m_editor->setText(QStringLiteral("a a"));
        m_editor->setSelectionStart(0);
        showReplace(QStringLiteral("a"), QStringLiteral("aa"));
        clickReplace("btnReplaceAll");
        QCOMPARE(m_editor->text(), QStringLiteral("aa aa"));
        QVERIFY(!replaceDialog()->isVisible());
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices[0].icon, Icon::Information);
        QCOMPARE(m_ui->notices[0].text, QStringLiteral("Počet nahrazení : 2."));
        m_editor->undo();
        QCOMPARE(m_editor->text(), QStringLiteral("a a"));
    }

    // Nothing replaced is reported as such, never as silence that looks
    // like success; from the start of the text there is nothing to go on to.
    void replaceAllWithoutMatchReportsZero()
    {
        m_editor->setText(QStringLiteral("a a"));
        m_editor->setSelectionStart(0);
        m_editor->setModified(false);
        showReplace(QStringLiteral("b"), QStringLiteral("c"));
        clickReplace("btnReplaceAll");
        QVERIFY(!replaceDialog()->isVisible());
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices[0].icon, Icon::Information);
        QCOMPARE(m_ui->notices[0].text, QStringLiteral("Počet nahrazení : 0."));
        QVERIFY(m_ui->questions.isEmpty());
        QCOMPARE(m_editor->text(), QStringLiteral("a a"));
        QVERIFY(!m_editor->isModified());
        QCOMPARE(m_inspectorClears, 0);
    }

    // The caret after the only match: the first pass finds nothing, the
    // question offers the text before the caret, and the answer decides.
    void replaceAllGoesOnFromTheStartWhenAsked_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("notice");
        QTest::newRow("yes") << true << s("<B>tučně</B>") << s("Počet nahrazení : 1.");
        QTest::newRow("no") << false << s("<b>tučně</B>") << s("Počet nahrazení : 0.");
    }

    void replaceAllGoesOnFromTheStartWhenAsked()
    {
        QFETCH(bool, goOn);
        QFETCH(QString, result);
        QFETCH(QString, notice);
        m_editor->setText(s("<b>tučně</B>"));
        m_editor->setSelectionStart(3);
        m_ui->yesNoAnswers << goOn;
        showReplace(QStringLiteral("<b>"), QStringLiteral("<B>"));
        clickReplace("btnReplaceAll");
        QCOMPARE(m_ui->questions,
                 QStringList{s("Nahrazování došlo na konec dokumentu. Pokračovat od začátku?")});
        QCOMPARE(m_editor->text(), result);
        QCOMPARE(noticeTexts(), QStringList{notice});
        QVERIFY(!replaceDialog()->isVisible());
        QVERIFY(m_ui->allAnswersUsed());
        if (goOn) {
            QCOMPARE(m_editor->selectionStart(), 3);
            m_editor->undo();
            QCOMPARE(m_editor->text(), s("<b>tučně</B>"));
        }
    }

    // Text before the caret is not replaced by replace one, nor by the
    // first pass of replace all.
    void replaceStartsAtTheCaret()
    {
        m_editor->setText(QStringLiteral("a a"));
        m_editor->setSelectionStart(1);
        m_ui->yesNoAnswers << false;
        showReplace(QStringLiteral("a"), QStringLiteral("aa"));
        clickReplace("btnReplaceAll");
        QCOMPARE(m_editor->text(), QStringLiteral("a aa"));
        QCOMPARE(noticeTexts(), QStringList{QStringLiteral("Počet nahrazení : 1.")});
        QCOMPARE(m_ui->questions.size(), 1);

        m_ui->notices.clear();
        m_editor->setText(QStringLiteral("x1 x2"));
        m_editor->setSelectionStart(1);
        showReplace(QStringLiteral("x"), QStringLiteral("yy"));
        clickReplace("btnReplace");
        QCOMPARE(m_editor->text(), QStringLiteral("x1 yy2"));
        QCOMPARE(m_editor->selectionStart(), 5);
        QCOMPARE(m_editor->selectionLength(), 0);
        clickReplace("btnReplace");
        QCOMPARE(m_editor->text(), QStringLiteral("x1 yy2"));
        QCOMPARE(noticeTexts(),
                 QStringList{QStringLiteral("Hledané slovo \"x\" nebylo nalezeno!")});
        QVERIFY(replaceDialog()->isVisible());
    }

    // "Najít další" then "Nahradit" replaces the match just found, not the
    // next one; the inspector is cleared before the text changes.
    void replaceOneReplacesTheFoundMatch()
    {
        m_editor->setText(QStringLiteral("x1 x2 x3"));
        m_editor->setSelectionStart(2);
        showReplace(QStringLiteral("x"), QStringLiteral("y"));
        clickReplace("btnFindNext");
        QCOMPARE(m_editor->selectionStart(), 4);
        QCOMPARE(m_editor->selectionLength(), -1);
        int clearsBeforeReplace = -1;
        m_inspectorClears = 0;
        // Watch the order through the counter: the text is still unchanged
        // when the inspector is cleared.
        connect(m_editor, &QsciScintilla::textChanged, this,
                [&] { clearsBeforeReplace = m_inspectorClears; });
        clickReplace("btnReplace");
        QCOMPARE(m_editor->text(), QStringLiteral("x1 y2 x3"));
        QCOMPARE(clearsBeforeReplace, 1);
        QVERIFY(m_editor->hasFocus());
        QVERIFY(m_ui->notices.isEmpty());
    }

    void gotoLine_data()
    {
        QTest::addColumn<std::optional<QString>>("input");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("clears");
        QTest::newRow("first") << std::optional(QStringLiteral("1")) << 0 << QString() << 1;
        QTest::newRow("second") << std::optional(QStringLiteral(" 2 ")) << 1 << QString() << 1;
        QTest::newRow("past the end") << std::optional(QStringLiteral("99")) << 2 << QString() << 1;
        QTest::newRow("zero") << std::optional(QStringLiteral("0")) << 0 << QString() << 1;
        QTest::newRow("letters") << std::optional(QStringLiteral("abc")) << 1
                                 << QStringLiteral("Zadaná hodnota musí být celé číslo!") << 0;
        QTest::newRow("empty") << std::optional(QString()) << 1
                               << QStringLiteral("Zadaná hodnota musí být celé číslo!") << 0;
        QTest::newRow("cancel") << std::optional<QString>() << 1 << QString() << 0;
    }

    void gotoLine()
    {
        QFETCH(std::optional<QString>, input);
        QFETCH(int, caretLine);
        QFETCH(QString, notice);
        QFETCH(int, clears);
        m_editor->setText(QStringLiteral("one\r\ntwo\r\nthree"));
        m_editor->setSelectionStart(m_editor->lineStart(1) + 2);
        m_ui->inputResults << input;

        m_search->gotoLine();

        QCOMPARE(m_ui->events.value(0), QStringLiteral("input: Jdi na řádek 1-4"));
        QVERIFY(m_ui->unscripted().isEmpty());
        QCOMPARE(noticeTexts(), notice.isEmpty() ? QStringList() : QStringList{notice});
        QCOMPARE(m_editor->caretLine(), caretLine);
        if (clears > 0)
            QCOMPARE(m_editor->selectionStart(), m_editor->lineStart(caretLine));
        else
            QCOMPARE(m_editor->selectionStart(), m_editor->lineStart(1) + 2);
        QCOMPARE(m_inspectorClears, clears);
    }
};

QTEST_MAIN(SearchTest)
#include "tst_search.moc"
