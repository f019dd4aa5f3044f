// The design page in the main window with a stand-in document: saving,
// closing, exporting and printing take the design document into the editor
// first, a save there leaves the tab modified, and the property commands of
// the context menu reach the window's element dialogs.

#include "app/design/DesignFeature.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/MainWindow.h"
#include "support/FakeDesignDocument.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QAction>
#include <QMenu>
#include <QTabBar>
#include <QTest>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

namespace {

struct Session
{
    TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    FakeDesignDocument* document = nullptr;
    QList<TextReplacement> answer;
    QStringList writeBackSources;
    QDialog* shownDialog = nullptr;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->design().setDocumentFactory([this](QVBoxLayout*) -> DesignDocument* {
            document = new FakeDesignDocument(window.get());
            return document;
        });
        window->design().setWriteBack([this](const QString& source, const DesignSnapshot&,
                                             const DesignSnapshot&, const DesignWriteBackOptions&) {
            writeBackSources << source;
            return answer;
        });
        window->elementDialogs().setShowHook([this](QDialog& d) {
            shownDialog = &d;
            d.show();
        });
        window->resize(900, 600);
        window->show();
        window->openStartFile(QString());
    }

    ScintillaEditor& editor() { return *window->documents().current(); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = inst.path(name);
        writeBytes(path, bytes);
        return path;
    }

    bool run(const char* id) { return test::runMenuCommand(*window, id); }

    // Enters the design page and changes "one" to "ONE" there.
    void editInDesign()
    {
        window->pages().switchTo(PageMode::Design);
        QCOMPARE(window->pages().pageMode(), PageMode::Design);
        const QString text = document->loadedHtml.last();
        answer = {{text.indexOf(u"one"), 3, u"ONE"_s}};
        document->edit(DesignSnapshot{{}, {}, {u"<p>ONE</p>"_s}});
    }
};

const QByteArray kPage = "<html>\r\n<body>\r\n<p>one</p>\r\n</body>\r\n</html>\r\n";
const QByteArray kEdited = "<html>\r\n<body>\r\n<p>ONE</p>\r\n</body>\r\n</html>\r\n";

} // namespace

class DesignWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theDesignTabIsOffered();
    void saveOnTheDesignPageWritesTheEditAndKeepsTheTabModified();
    void closingOnTheDesignPageAsksAboutTheEdit();
    void saveAllTakesTheDesignDocumentFirst();
    void aNewDocumentOnTheDesignPageIsShownThere();
    void exportAndPrintTakeTheDesignDocumentFirst_data();
    void exportAndPrintTakeTheDesignDocumentFirst();
    void theImageEntryOfTheMenuEditsThePicture();
    void insertFilePastesIntoTheDesignDocument();
};

void DesignWindowTest::theDesignTabIsOffered()
{
    Session s;
    QTabBar* tabs = s.window->pages().tabBar();
    QVERIFY(tabs->isTabVisible(int(PageMode::Design)));
    QCOMPARE(tabs->tabText(int(PageMode::Design)), u"Design"_s);
    tabs->setCurrentIndex(int(PageMode::Design));
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);
    QVERIFY(s.document != nullptr);
    QCOMPARE(s.window->pages().designTarget(), s.document);
}

void DesignWindowTest::saveOnTheDesignPageWritesTheEditAndKeepsTheTabModified()
{
    Session s;
    const QString path = s.writeFile(u"page.html"_s, kPage);
    QVERIFY(s.window->documents().openDocument(path));
    QVERIFY(!s.editor().isModified());

    // Entered and saved without an edit: the same bytes, still unmodified.
    s.window->pages().switchTo(PageMode::Design);
    QVERIFY(s.run("file.save"));
    QCOMPARE(fileBytes(path), kPage);
    QVERIFY(!s.editor().isModified());
    QVERIFY(s.writeBackSources.isEmpty());

    s.editInDesign();
    QVERIFY(s.run("file.save"));
    QCOMPARE(fileBytes(path), kEdited);
    QVERIFY(s.editor().isModified());
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);

    // On the source page a save clears the flag as always.
    s.window->pages().switchTo(PageMode::Source);
    QVERIFY(s.run("file.save"));
    QVERIFY(!s.editor().isModified());
    QCOMPARE(fileBytes(path), kEdited);
}

void DesignWindowTest::closingOnTheDesignPageAsksAboutTheEdit()
{
    Session s;
    const QString path = s.writeFile(u"page.html"_s, kPage);
    QVERIFY(s.window->documents().openDocument(path));
    s.editInDesign();
    s.ui.yesNoCancelAnswers << UiServices::Answer::Cancel;
    QVERIFY(s.run("file.close"));
    // The edit made the document modified: the question came, Cancel kept it.
    QCOMPARE(s.ui.questions.size(), 1);
    QCOMPARE(s.window->documents().currentPath(), path);
    QCOMPARE(s.editor().text(), QString::fromLatin1(kEdited));
    QVERIFY(s.ui.allAnswersUsed());
}

void DesignWindowTest::saveAllTakesTheDesignDocumentFirst()
{
    Session s;
    const QString first = s.writeFile(u"first.html"_s, kPage);
    const QString second = s.writeFile(u"second.html"_s, kPage);
    QVERIFY(s.window->documents().openDocument(first));
    QVERIFY(s.window->documents().openDocument(second));
    s.editInDesign();
    s.ui.yesNoCancelAnswers << UiServices::Answer::Yes;
    QVERIFY(s.run("file.saveAll"));
    QCOMPARE(fileBytes(second), kEdited);
    QCOMPARE(fileBytes(first), kPage);
    QVERIFY(s.ui.allAnswersUsed());
    // Each tab was shown on the way; the page ends on the one it started at.
    QCOMPARE(s.window->documents().currentPath(), second);
    QTRY_COMPARE(s.document->loadedHtml.last(), QString::fromLatin1(kEdited));
}

void DesignWindowTest::aNewDocumentOnTheDesignPageIsShownThere()
{
    Session s;
    const QString path = s.writeFile(u"page.html"_s, kPage);
    QVERIFY(s.window->documents().openDocument(path));
    ScintillaEditor* page = &s.editor();
    s.editInDesign();
    QVERIFY(s.run("file.new"));
    QVERIFY(&s.editor() != page);
    QCOMPARE(page->text(), QString::fromLatin1(kEdited));
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);
    // The new document is shown with the text it was made with.
    QTRY_COMPARE(s.document->loadedHtml.last(), s.editor().text());
    QVERIFY(!s.editor().text().isEmpty());
    QCOMPARE(s.window->design().loadedEditor(), &s.editor());
}

void DesignWindowTest::exportAndPrintTakeTheDesignDocumentFirst_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("html listing") << u"file.exportHtml"_s;
    QTest::newRow("rtf listing") << u"file.exportRtf"_s;
    QTest::newRow("print") << u"file.print"_s;
}

void DesignWindowTest::exportAndPrintTakeTheDesignDocumentFirst()
{
    QFETCH(QString, command);
    Session s;
    const QString path = s.writeFile(u"page.html"_s, kPage);
    QVERIFY(s.window->documents().openDocument(path));
    s.editInDesign();
    const QString target = s.inst.path(u"listing.out"_s);
    s.ui.saveFileNames << target;
    // The print dialog is cancelled: what matters is the text it would print.
    s.ui.printerSetups << [](QPrinter&) {
        return false;
    };
    QVERIFY(s.run(command.toLatin1().constData()));
    QCOMPARE(s.editor().text(), QString::fromLatin1(kEdited));
    if (command != u"file.print") {
        const QByteArray listing = fileBytes(target);
        QVERIFY(listing.contains("ONE"));
        QVERIFY(!listing.contains(">one<"));
    }
}

void DesignWindowTest::theImageEntryOfTheMenuEditsThePicture()
{
    Session s;
    s.window->pages().switchTo(PageMode::Design);
    s.document->element =
        DesignElement{u"IMG"_s, {{u"src"_s, u"logo.gif"_s}, {u"alt"_s, u"staré"_s}}, {}};
    Q_EMIT s.document->contextMenuRequested(s.window->mapToGlobal(QPoint(200, 200)));
    QMenu* menu = s.window->design().contextMenu();
    QVERIFY(menu != nullptr);
    QAction* image = menu->findChild<QAction*>(u"miImage"_s);
    QVERIFY(image != nullptr && image->isVisible());
    image->trigger();
    menu->close();
    auto* dialog = qobject_cast<ElementDialog*>(s.shownDialog);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), u"Upravit obrázek"_s);
    QCOMPARE(dialog->fieldText(u"edALT"), u"staré"_s);
    dialog->setFieldText(u"edALT", u"nové"_s);
    QVERIFY(dialog->runOk());
    QCOMPARE(s.document->elementChanges.size(), 1);
    QVERIFY(s.document->elementChanges[0].contains(
        QPair<QString, std::optional<QString>>(u"alt"_s, u"nové"_s)));
}

void DesignWindowTest::insertFilePastesIntoTheDesignDocument()
{
    for (const QString& selection : {u"Text"_s, u"Control"_s}) {
        Session s;
        s.window->pages().switchTo(PageMode::Design);
        s.document->selection = selection;
        const QString piece = s.writeFile(u"piece.txt"_s, "<em>vložený</em> text\r\n");
        s.ui.openFileNames << piece;
        QVERIFY(s.run("tools.insertFile"));
        if (selection == u"Control") {
            // A selected object takes nothing: no file is even asked for.
            QVERIFY(s.document->pasted.isEmpty());
            QCOMPARE(s.ui.openFileNames.size(), 1);
        } else {
            QCOMPARE(s.document->pasted, QStringList{u"<em>vložený</em> text\r\n"_s});
            QVERIFY(s.ui.allAnswersUsed());
        }
        QCOMPARE(s.editor().text(), s.document->loadedHtml.last());
    }
}

QTEST_MAIN(DesignWindowTest)
#include "tst_designwindow.moc"
