// The window's markup and edit commands on the design page, through the
// real main window: the design document is the real one over a web view,
// shown on the design page by a small page handler of the test's own.

#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/commands/FormElementCommands.h"
#include "core/commands/MarkupCommandTable.h"
#include "core/shell/CommandCatalog.h"
#include "core/transform/DateTimeText.h"
#include "support/DesignViewProbe.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(qw::MarkupCommandId)

namespace {

// Shows the design document on the design page, loaded from the editor,
// and hands the body back into the editor.
class DesignPageByHand : public PageHandler
{
public:
    DesignPageByHand(MainWindow& window, WebDesignDocument& doc) : m_window(window), m_doc(doc) {}

    bool showPage() override
    {
        if (m_doc.view()->parentWidget() == nullptr)
            m_window.pages().contentLayout(PageMode::Design)->addWidget(m_doc.view(), 1);
        m_doc.view()->show();
        m_doc.setHtml(m_window.documents().current()->text(), QString());
        m_window.pages().setDesignDocument(&m_doc);
        m_doc.view()->setFocus();
        return true;
    }

    void followDocument() override
    {
        m_doc.setHtml(m_window.documents().current()->text(), QString());
    }

    // A plain hand-over, enough for the pages of these tests: the editor
    // takes the body as the view holds it.
    bool syncIntoEditor() override
    {
        const std::optional<DesignSnapshot> s = m_doc.snapshot();
        if (s)
            m_window.documents().current()->setText(s->bodyNodes.join(QString()));
        return s.has_value();
    }

private:
    MainWindow& m_window;
    WebDesignDocument& m_doc;
};

struct Session
{
    qw::test::TestInstallation inst;
    qw::test::FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WebDesignDocument> doc;
    std::unique_ptr<DesignPageByHand> handler;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        doc = std::make_unique<WebDesignDocument>(inst.path(u"tmp/"_s));
        handler = std::make_unique<DesignPageByHand>(*window, *doc);
        window->pages().setHandler(PageMode::Design, handler.get());
    }

    ~Session()
    {
        window->pages().setDesignDocument(nullptr);
        doc.reset();
    }

    // The design page shows text; true once it can be edited.
    bool enter(const QString& text)
    {
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        window->documents().current()->setText(text);
        QSignalSpy ready(doc.get(), &DesignDocument::ready);
        window->pages().switchTo(PageMode::Design);
        return window->pages().designTarget() == doc.get() &&
               (ready.count() > 0 || ready.wait(20000));
    }

    QWidget* surface() const
    {
        return doc->view()->focusProxy() ? doc->view()->focusProxy() : doc->view();
    }

    QPoint pointIn(const QString& selector) { return test::pointInDesign(doc->view(), selector); }

    void click(const QString& selector)
    {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, pointIn(selector));
    }

    void doubleClick(const QString& selector)
    {
        test::doubleClickDesign(surface(), pointIn(selector));
    }

    void trigger(const QString& command, ActionPlace place = ActionPlace::MainMenu)
    {
        window->commands().trigger(command, place);
    }

    QString body() { return doc->snapshot().value_or(DesignSnapshot{}).bodyNodes.join(QString()); }
};

} // namespace

class DesignCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formatsSwitchOnAndOff_data();
    void formatsSwitchOnAndOff();
    void fragmentsArePastedButNeverOverAnObject();
    void tableRowAndCellButtons();
    void editCommandsRunOnTheDesignDocument();
    void editCommandStatesFollowTheDesignDocument();
    void dateAndTimeGoToTheDesignSelection();
    void diacriticsGoFromTheDesignDocument();
    void findUsesTheViewsOwnSearch();
};

void DesignCommandsTest::formatsSwitchOnAndOff_data()
{
    QTest::addColumn<MarkupCommandId>("command");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("bold") << MarkupCommandId::Bold << u"<p id=\"t\">one <b>two</b> three</p>"_s;
    QTest::newRow("italic") << MarkupCommandId::Italic << u"<p id=\"t\">one <i>two</i> three</p>"_s;
    QTest::newRow("centre") << MarkupCommandId::AlignCenter
                            << u"<p id=\"t\" style=\"text-align: center;\">one two three</p>"_s;
}

void DesignCommandsTest::formatsSwitchOnAndOff()
{
    QFETCH(MarkupCommandId, command);
    QFETCH(QString, formatted);
    Session s;
    QVERIFY(s.enter(u"<p id=t>one two three</p>"_s));
    s.doubleClick(u"#t"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Text"_s);
    s.trigger(markupActionId(command), ActionPlace::ToolBar);
    QTRY_COMPARE(s.body(), formatted);
    // The editor behind the page is not touched.
    QCOMPARE(s.window->documents().current()->text(), u"<p id=t>one two three</p>"_s);
}

void DesignCommandsTest::fragmentsArePastedButNeverOverAnObject()
{
    Session s;
    QVERIFY(s.enter(
        u"<p id=t>ab</p><p id=p>x<img id=pic src=none.gif width=30 height=30>y</p><p id=f>cd</p>"_s));
    s.doubleClick(u"#t"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Text"_s);
    s.trigger(markupActionId(MarkupCommandId::LineBreak), ActionPlace::ToolBar);
    QTRY_VERIFY2(s.body().startsWith(u"<p id=\"t\"><br>"_s), qPrintable(s.body()));
    const QString before = s.body();
    s.click(u"#pic"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Control"_s);
    s.trigger(markupActionId(MarkupCommandId::NoBreakSpace), ActionPlace::ToolBar);
    s.trigger(markupActionId(MarkupCommandId::LineBreak), ActionPlace::ToolBar);
    s.trigger(formActionId(FormElementId::CheckBox), ActionPlace::ToolBar);
    QCOMPARE(s.body(), before);

    // A form control is a fixed fragment too.
    s.doubleClick(u"#f"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Text"_s);
    s.trigger(formActionId(FormElementId::CheckBox), ActionPlace::MainMenu);
    QTRY_VERIFY2(s.body().contains(u"<input type=\"checkbox\" value=\"\">"_s),
                 qPrintable(s.body()));
    QVERIFY2(s.body().endsWith(u"<p id=\"f\"><input type=\"checkbox\" value=\"\"></p>"_s),
             qPrintable(s.body()));
}

void DesignCommandsTest::tableRowAndCellButtons()
{
    Session s;
    QVERIFY(s.enter(u"<p id=t>ab</p>"_s));
    s.click(u"#t"_s);
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::InsertTable), DesignStatus::Enabled);
    // The row and cell buttons need a cell.
    s.trigger(markupActionId(MarkupCommandId::TableRow), ActionPlace::ToolBar);
    s.trigger(markupActionId(MarkupCommandId::TableCell), ActionPlace::ToolBar);
    QCOMPARE(s.body(), u"<p id=\"t\">ab</p>"_s);
    s.trigger(markupActionId(MarkupCommandId::Table), ActionPlace::ToolBar);
    QTRY_VERIFY2(
        s.body().contains(u"<table border=\"1\" width=\"100\"><tbody><tr><td></td><td></td>"
                          "</tr></tbody></table>"_s),
        qPrintable(s.body()));
    // Into its first cell, then a row above and a cell before it.
    s.click(u"td"_s);
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::InsertRow), DesignStatus::Enabled);
    s.trigger(markupActionId(MarkupCommandId::TableRow), ActionPlace::ToolBar);
    QTRY_VERIFY2(s.body().contains(u"<tbody><tr><td></td><td></td></tr><tr><td></td><td></td>"
                                   "</tr></tbody>"_s),
                 qPrintable(s.body()));
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::InsertCell), DesignStatus::Enabled);
    s.trigger(markupActionId(MarkupCommandId::TableCell), ActionPlace::ToolBar);
    QTRY_VERIFY2(s.body().contains(u"<tbody><tr><td></td><td></td><td></td></tr>"_s),
                 qPrintable(s.body()));
}

void DesignCommandsTest::editCommandsRunOnTheDesignDocument()
{
    Session s;
    QVERIFY(s.enter(u"<p id=t>one two three</p>"_s));
    s.doubleClick(u"#t"_s);
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::Cut), DesignStatus::Enabled);
    s.trigger(u"edit.cut"_s);
    QTRY_VERIFY2(!s.body().contains(u"two"_s), qPrintable(s.body()));
    s.trigger(u"edit.undo"_s);
    QTRY_COMPARE(s.body(), u"<p id=\"t\">one two three</p>"_s);
    s.trigger(u"edit.selectAll"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Text"_s);
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::Copy), DesignStatus::Enabled);
    s.trigger(u"edit.copy"_s);
    QTRY_COMPARE(QApplication::clipboard()->text(), u"one two three"_s);
    // The editor's own undo history is left alone.
    QCOMPARE(s.window->documents().current()->text(), u"<p id=t>one two three</p>"_s);
}

void DesignCommandsTest::editCommandStatesFollowTheDesignDocument()
{
    Session s;
    QApplication::clipboard()->setText(u"schránka"_s);
    QVERIFY(s.enter(u"<p id=t>one two three</p>"_s));
    auto enabled = [&](const char* command) {
        const QAction* a =
            s.window->commands().action(QString::fromLatin1(command), ActionPlace::MainMenu);
        return a != nullptr && a->isEnabled();
    };
    s.click(u"#t"_s);
    QTRY_COMPARE(s.doc->selectedElement().value_or(DesignElement{}).tagName, u"P"_s);
    QTRY_VERIFY(!enabled("edit.cut"));
    QVERIFY(!enabled("edit.copy"));
    QVERIFY(enabled("edit.paste"));
    QVERIFY(enabled("edit.selectAll"));
    QVERIFY(!enabled("edit.pasteAsNew"));
    // A word selected in the view enables cutting and copying.
    s.doubleClick(u"#t"_s);
    QTRY_VERIFY(enabled("edit.cut"));
    QVERIFY(enabled("edit.copy"));
    QVERIFY(!enabled("edit.pasteAsNew"));

    // The source page takes the editor's states again.
    s.window->pages().switchTo(PageMode::Source);
    QVERIFY(!enabled("edit.cut"));
    QVERIFY(enabled("edit.pasteAsNew"));
    QVERIFY(enabled("edit.selectAll"));
}

void DesignCommandsTest::dateAndTimeGoToTheDesignSelection()
{
    Session s;
    s.ui.clock = QDateTime(QDate(2026, 12, 10), QTime(18, 5, 7));
    QVERIFY(s.enter(u"<p id=t>ab</p>"_s));
    s.doubleClick(u"#t"_s);
    QTRY_COMPARE(s.doc->selectionType(), u"Text"_s);
    s.trigger(u"tools.dateTime"_s);
    QTRY_VERIFY(!s.body().contains(u"ab"_s));
    const auto p = s.doc->selectedElement();
    QVERIFY(p.has_value());
    QCOMPARE(p->tagName, u"P"_s);
    QCOMPARE(QString(p->innerText).replace(QChar(0xA0), u' '), dateTimeText(s.ui.clock));
    QCOMPARE(s.window->documents().current()->text(), u"<p id=t>ab</p>"_s);
}

void DesignCommandsTest::diacriticsGoFromTheDesignDocument()
{
    Session s;
    QVERIFY(s.enter(u"<p id=t>Příliš žluťoučký kůň</p>"_s));
    QSignalSpy ready(s.doc.get(), &DesignDocument::ready);
    s.trigger(u"tools.removeDiacritics"_s);
    QCOMPARE(s.window->documents().current()->text(), u"<p id=\"t\">Prilis zlutoucky kun</p>"_s);
    // The design page shows the result, loaded anew.
    QVERIFY(ready.count() > 0 || ready.wait(20000));
    QCOMPARE(s.body(), u"<p id=\"t\">Prilis zlutoucky kun</p>"_s);
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);
}

void DesignCommandsTest::findUsesTheViewsOwnSearch()
{
    Session s;
    QVERIFY(s.enter(u"<p id=t>alfa beta gama beta</p>"_s));
    s.click(u"#t"_s);
    QTRY_COMPARE(s.doc->commandStatus(DesignCommand::FindText), DesignStatus::Enabled);
    QSignalSpy found(s.doc->view()->page(), &QWebEnginePage::findTextFinished);
    // The view reports a search in steps; the last report counts.
    auto last = [&] {
        return found.isEmpty() ? QWebEngineFindTextResult()
                               : found.constLast().at(0).value<QWebEngineFindTextResult>();
    };
    s.ui.inputResults << std::optional<QString>(u"beta"_s);
    s.trigger(u"edit.find"_s);
    QCOMPARE(s.ui.inputResults.size(), 0);
    // Both occurrences are found, one of them is the current one.
    QTRY_COMPARE(last().numberOfMatches(), 2);
    QVERIFY(last().activeMatch() >= 1);
    // Find next searches the same text again, without asking.
    qsizetype reports = found.size();
    s.trigger(u"edit.findNext"_s);
    QTRY_VERIFY(found.size() > reports);
    QCOMPARE(last().numberOfMatches(), 2);
    QCOMPARE(s.ui.inputResults.size(), 0);
    // A cancelled question keeps the text: find next still looks for it.
    s.ui.inputResults << std::nullopt;
    s.trigger(u"edit.find"_s);
    QCOMPARE(s.ui.inputResults.size(), 0);
    QTest::qWait(200);
    reports = found.size();
    s.trigger(u"edit.findNext"_s);
    QTRY_VERIFY(found.size() > reports);
    QCOMPARE(last().numberOfMatches(), 2);
}

QTEST_MAIN(DesignCommandsTest)
#include "tst_design_commands.moc"
