// The design page's feature with a stand-in document: what entering,
// leaving, changing tabs and file commands hand between the source editor and
// the design document, and the design page's context menu.

#include "app/design/DesignFeature.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"
#include "support/FakeDesignDocument.h"
#include "support/FakeUiServices.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace qw;
using namespace Qt::StringLiterals;
using namespace qw::test;

namespace {

class TestDocuments : public DocumentAccess
{
public:
    ScintillaEditor* editor = nullptr;
    QString path;

    ScintillaEditor* current() const override { return editor; }
    QString currentFilePath() const override { return path; }
    TextEncoding currentEncoding() const override { return TextEncoding::Utf8; }
    void openTextAsNewDocument(const QString&, TextEncoding) override {}
    ScintillaEditor* editorOfFile(const QString&) const override { return nullptr; }
    ScintillaEditor* showDocumentOf(const QString&) override { return nullptr; }
};

struct WriteBackCall
{
    QString source;
    DesignSnapshot loaded;
    DesignSnapshot left;
    bool upperTag = false;
};

DesignSnapshot bodyOf(const QStringList& nodes)
{
    DesignSnapshot s;
    s.bodyNodes = nodes;
    return s;
}

struct Fixture
{
    QTemporaryDir temp;
    QWidget window;
    QStackedWidget* stack = new QStackedWidget;
    ScintillaEditor* first = new ScintillaEditor;
    ScintillaEditor* second = new ScintillaEditor;
    FakeUiServices ui;
    AppSettings settings;
    AppPaths paths{temp.path(), temp.path(), temp.path(), temp.path()};
    ActionRegistry registry;
    TestDocuments documents;
    PageSwitcher* pages = nullptr;
    int inspectorClears = 0;
    std::unique_ptr<DesignFeature> feature;
    FakeDesignDocument* document = nullptr;
    bool canCreate = true;
    // The write-back asked of the core, and what it answers.
    QList<WriteBackCall> calls;
    QList<TextReplacement> answer;
    QList<DesignProperty> opened;

    Fixture()
    {
        stack->addWidget(first);
        stack->addWidget(second);
        documents.editor = first;
        pages = new PageSwitcher(
            stack, new QLabel(QStringLiteral("strip")), [this] { return documents.editor; },
            &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(pages->widget());
        FeatureContext context{&window, ui, settings, paths, registry, *pages, documents, [this] {
                                   ++inspectorClears;
                               }};
        feature = std::make_unique<DesignFeature>(
            context, [this](const QString& source, const DesignSnapshot& loaded,
                            const DesignSnapshot& left, const DesignWriteBackOptions& options) {
                calls.append({source, loaded, left, options.tagCase.upperTag});
                return answer;
            });
        feature->setDocumentFactory([this](QVBoxLayout* page) -> DesignDocument* {
            if (!canCreate || page == nullptr)
                return nullptr;
            document = new FakeDesignDocument(&window);
            document->loaded = bodyOf({QStringLiteral("<p>one</p>")});
            return document;
        });
        feature->setPropertyOpener([this](DesignProperty p) { opened << p; });
        window.resize(500, 400);
        window.show();
    }

    void setText(ScintillaEditor* e, const QString& text, bool modified)
    {
        e->setText(text);
        e->setModified(modified);
    }
};

const QString kPage = QStringLiteral("<!DOCTYPE html>\r\n<!-- kept -->\r\n<P CLASS=x>one</P>\r\n"
                                     "<script>var a = 1 < 2;</script>\r\n<p>two</p>");

} // namespace

class DesignFeatureTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aDocumentThatCannotBeMadeSendsTheUserBack();
    void enteringLoadsTheCurrentTextWithItsFolder();
    void leavingUneditedLeavesTextAndFlag_data();
    void leavingUneditedLeavesTextAndFlag();
    void anEditIsWrittenBackAsOneUndoStep_data();
    void anEditIsWrittenBackAsOneUndoStep();
    void aWriteBackIsTheBaseOfTheNext();
    void aTabChangeWritesIntoTheEditorTheViewCameFrom();
    void aChangedEditorTakesTheWholeResultInOneStep();
    void anEditNotYetReportedIsTakenBack_data();
    void anEditNotYetReportedIsTakenBack();
    void aDocumentThatCannotBeHadIsKept_data();
    void aDocumentThatCannotBeHadIsKept();
    void reportedEditsMarkTheLoadedEditorUntilTakenBack();
    void menuEntriesFollowTheirCommands_data();
    void menuEntriesFollowTheirCommands();
    void propertyEntriesFollowTheSelectedElement_data();
    void propertyEntriesFollowTheSelectedElement();
    void insertTableFromTheMenu();
    void theDocumentsRequestPopsTheMenuUp();
};

void DesignFeatureTest::aDocumentThatCannotBeMadeSendsTheUserBack()
{
    Fixture f;
    QVERIFY(f.pages->available(PageMode::Design));
    f.canCreate = false;
    f.pages->switchTo(PageMode::Design);
    QCOMPARE(f.pages->pageMode(), PageMode::Source);
    QCOMPARE(f.pages->tabBar()->currentIndex(), int(PageMode::Source));
    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.notices.constFirst().text, QStringLiteral("Chyba při vytvoření DHTML.ocx!"));
    QVERIFY(f.inspectorClears > 0);
    QVERIFY(f.pages->designTarget() == nullptr);

    // The next showing tries again.
    f.canCreate = true;
    f.pages->switchTo(PageMode::Design);
    QCOMPARE(f.pages->pageMode(), PageMode::Design);
    QVERIFY(f.document != nullptr);
    QCOMPARE(f.pages->designTarget(), f.document);
    QCOMPARE(f.ui.notices.size(), 1);
}

void DesignFeatureTest::enteringLoadsTheCurrentTextWithItsFolder()
{
    Fixture f;
    f.setText(f.first, kPage, false);
    f.documents.path = f.temp.filePath(QStringLiteral("site/page.html"));
    f.pages->switchTo(PageMode::Design);
    QCOMPARE(f.document->loadedHtml, QStringList{kPage});
    QCOMPARE(f.document->loadedFolders, QStringList{f.temp.filePath(QStringLiteral("site"))});
    QCOMPARE(f.feature->loadedEditor(), f.first);

    // An unsaved document has no folder of its own; each entering reloads.
    f.pages->switchTo(PageMode::Source);
    QVERIFY(f.pages->designTarget() == nullptr);
    f.documents.path.clear();
    f.first->setText(QStringLiteral("<p>changed in the source</p>"));
    f.pages->switchTo(PageMode::Design);
    QCOMPARE(f.document->loadedHtml.size(), 2);
    QCOMPARE(f.document->loadedHtml.last(), QStringLiteral("<p>changed in the source</p>"));
    QCOMPARE(f.document->loadedFolders.last(), QString());
}

void DesignFeatureTest::leavingUneditedLeavesTextAndFlag_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("editedBack");
    // editedBack: the user changed something and undid it in the view.
    for (const char* way : {"leave", "sync", "tab"}) {
        for (bool modified : {false, true}) {
            QTest::addRow("%s, %s", way, modified ? "modified" : "unmodified")
                << QString::fromLatin1(way) << modified << false;
        }
        QTest::addRow("%s, edited back", way) << QString::fromLatin1(way) << false << true;
    }
}

void DesignFeatureTest::leavingUneditedLeavesTextAndFlag()
{
    QFETCH(QString, way);
    QFETCH(bool, modified);
    QFETCH(bool, editedBack);
    Fixture f;
    f.setText(f.first, kPage, modified);
    const bool couldUndo = f.first->canUndo();
    f.pages->switchTo(PageMode::Design);
    if (editedBack)
        f.document->edit(f.document->loaded);
    // A write-back asked anyway would change the text.
    f.answer = {{0, 5, QStringLiteral("XXXXX")}};
    if (way == u"leave") {
        f.pages->switchTo(PageMode::Source);
    } else if (way == u"sync") {
        QVERIFY(f.pages->syncIntoEditor());
    } else {
        f.documents.editor = f.second;
        f.pages->followCurrentDocument();
    }
    QVERIFY(f.calls.isEmpty());
    QCOMPARE(f.first->text(), kPage);
    QCOMPARE(f.first->isModified(), modified);
    QCOMPARE(f.first->canUndo(), couldUndo);
}

void DesignFeatureTest::anEditIsWrittenBackAsOneUndoStep_data()
{
    QTest::addColumn<bool>("upperTag");
    // The setting as the user set it reaches the write-back.
    QTest::newRow("small letters") << true;
    QTest::newRow("capitals") << false;
}

void DesignFeatureTest::anEditIsWrittenBackAsOneUndoStep()
{
    QFETCH(bool, upperTag);
    Fixture f;
    f.settings.upperTag = upperTag;
    f.setText(f.first, kPage, false);
    f.pages->switchTo(PageMode::Design);
    const DesignSnapshot edited = bodyOf({QStringLiteral("<p>one <b>bold</b></p>")});
    f.document->edit(edited);
    // Two regions, in source order: the first paragraph's text and the last.
    const qsizetype one = kPage.indexOf(u"one");
    const qsizetype two = kPage.indexOf(u"two");
    f.answer = {{one, 3, QStringLiteral("one <B>bold</B>")}, {two, 3, QStringLiteral("2")}};
    f.pages->switchTo(PageMode::Source);

    QCOMPARE(f.calls.size(), 1);
    QCOMPARE(f.calls[0].source, kPage);
    QCOMPARE(f.calls[0].loaded, f.document->loaded);
    QCOMPARE(f.calls[0].left, edited);
    QCOMPARE(f.calls[0].upperTag, upperTag);
    QString expected = kPage;
    expected.replace(two, 3, QStringLiteral("2"));
    expected.replace(one, 3, QStringLiteral("one <B>bold</B>"));
    QCOMPARE(f.first->text(), expected);
    QVERIFY(f.first->isModified());

    // One Ctrl+Z on the source page gives the page back as it was.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.first));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.first->text(), kPage);
}

void DesignFeatureTest::aWriteBackIsTheBaseOfTheNext()
{
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>one</p>\r\n<p>two</p>"), false);
    f.pages->switchTo(PageMode::Design);
    const DesignSnapshot firstEdit = bodyOf({QStringLiteral("<p>uno</p>")});
    f.document->edit(firstEdit);
    f.answer = {{3, 3, QStringLiteral("uno")}};
    // A save on the design page takes the document and stays there.
    QVERIFY(f.pages->syncIntoEditor());
    QCOMPARE(f.first->text(), QStringLiteral("<p>uno</p>\r\n<p>two</p>"));
    QCOMPARE(f.pages->pageMode(), PageMode::Design);

    const DesignSnapshot secondEdit = bodyOf({QStringLiteral("<p>due</p>")});
    f.document->edit(secondEdit);
    f.answer = {{3, 3, QStringLiteral("due")}};
    f.pages->switchTo(PageMode::Source);
    QCOMPARE(f.calls.size(), 2);
    // The second write-back starts from the text and snapshot the first left.
    QCOMPARE(f.calls[1].source, QStringLiteral("<p>uno</p>\r\n<p>two</p>"));
    QCOMPARE(f.calls[1].loaded, firstEdit);
    QCOMPARE(f.calls[1].left, secondEdit);
    QCOMPARE(f.first->text(), QStringLiteral("<p>due</p>\r\n<p>two</p>"));

    // Synced and left with nothing changed since: nothing more is written.
    f.pages->switchTo(PageMode::Design);
    f.document->edit(firstEdit);
    f.answer = {{3, 3, QStringLiteral("uno")}};
    QVERIFY(f.pages->syncIntoEditor());
    f.pages->switchTo(PageMode::Source);
    QCOMPARE(f.calls.size(), 3);
}

void DesignFeatureTest::aTabChangeWritesIntoTheEditorTheViewCameFrom()
{
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>first</p>"), false);
    f.setText(f.second, QStringLiteral("<p>second</p>"), true);
    f.pages->switchTo(PageMode::Design);
    f.document->edit(bodyOf({QStringLiteral("<p>FIRST</p>")}));
    f.answer = {{3, 5, QStringLiteral("FIRST")}};
    f.documents.editor = f.second;
    f.pages->followCurrentDocument();

    QCOMPARE(f.first->text(), QStringLiteral("<p>FIRST</p>"));
    QCOMPARE(f.second->text(), QStringLiteral("<p>second</p>"));
    QVERIFY(f.second->isModified());
    // The view loads the new document once the change is complete.
    QTRY_COMPARE(f.document->loadedHtml.last(), QStringLiteral("<p>second</p>"));
    QCOMPARE(f.feature->loadedEditor(), f.second);

    // The next write-back goes into the second editor, from its own text.
    f.document->edit(bodyOf({QStringLiteral("<p>SECOND</p>")}));
    f.answer = {{3, 6, QStringLiteral("SECOND")}};
    f.pages->switchTo(PageMode::Source);
    QCOMPARE(f.calls.last().source, QStringLiteral("<p>second</p>"));
    QCOMPARE(f.second->text(), QStringLiteral("<p>SECOND</p>"));
    QCOMPARE(f.first->text(), QStringLiteral("<p>FIRST</p>"));

    // A closed editor takes nothing.
    f.pages->switchTo(PageMode::Design);
    f.document->edit(bodyOf({QStringLiteral("<p>gone</p>")}));
    delete f.second;
    f.second = nullptr;
    f.documents.editor = f.first;
    f.pages->followCurrentDocument();
    QCOMPARE(f.calls.size(), 2);
    QTRY_COMPARE(f.document->loadedHtml.last(), QStringLiteral("<p>FIRST</p>"));
}

void DesignFeatureTest::aChangedEditorTakesTheWholeResultInOneStep()
{
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>a</p>\r\n<p>b</p>"), false);
    f.pages->switchTo(PageMode::Design);
    // Something wrote into the editor behind the view's back.
    f.first->setSelectionStart(f.first->length());
    f.first->replaceSelection(QStringLiteral("\r\n<p>c</p>"));
    f.document->edit(bodyOf({QStringLiteral("<p>A</p>")}));
    f.answer = {{3, 1, QStringLiteral("A")}};
    f.pages->switchTo(PageMode::Source);
    // The offsets belong to the loaded text: the result is that text edited.
    QCOMPARE(f.first->text(), QStringLiteral("<p>A</p>\r\n<p>b</p>"));
    f.first->undo();
    QCOMPARE(f.first->text(), QStringLiteral("<p>a</p>\r\n<p>b</p>\r\n<p>c</p>"));
}

void DesignFeatureTest::anEditNotYetReportedIsTakenBack_data()
{
    QTest::addColumn<QString>("way");
    for (const char* way : {"leave", "sync", "tab"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

void DesignFeatureTest::anEditNotYetReportedIsTakenBack()
{
    QFETCH(QString, way);
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>one</p>"), false);
    f.pages->switchTo(PageMode::Design);
    // The view holds the edit; its report is still on the way.
    f.document->current = bodyOf({QStringLiteral("<p>ONE</p>")});
    f.answer = {{3, 3, QStringLiteral("ONE")}};
    if (way == u"leave") {
        f.pages->switchTo(PageMode::Source);
    } else if (way == u"sync") {
        QVERIFY(f.pages->syncIntoEditor());
    } else {
        f.documents.editor = f.second;
        f.pages->followCurrentDocument();
    }
    QCOMPARE(f.calls.size(), 1);
    QCOMPARE(f.calls[0].left, f.document->current);
    QCOMPARE(f.first->text(), QStringLiteral("<p>ONE</p>"));
}

void DesignFeatureTest::aDocumentThatCannotBeHadIsKept_data()
{
    QTest::addColumn<QString>("way");
    for (const char* way : {"leave", "sync", "tab"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

void DesignFeatureTest::aDocumentThatCannotBeHadIsKept()
{
    QFETCH(QString, way);
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>one</p>"), false);
    f.setText(f.second, QStringLiteral("<p>two</p>"), false);
    f.pages->switchTo(PageMode::Design);
    f.document->edit(bodyOf({QStringLiteral("<p>ONE</p>")}));
    f.document->snapshotFails = true;
    f.answer = {{3, 3, QStringLiteral("XXX")}};
    if (way == u"leave") {
        f.pages->switchTo(PageMode::Source);
        QCOMPARE(f.pages->pageMode(), PageMode::Design);
        QCOMPARE(f.pages->tabBar()->currentIndex(), int(PageMode::Design));
    } else if (way == u"sync") {
        QVERIFY(!f.pages->syncIntoEditor());
    } else {
        // Another way to a new current document than the window's tab
        // change, which asks first: the view keeps the edited one.
        f.documents.editor = f.second;
        f.pages->followCurrentDocument();
        QTest::qWait(20);
        QCOMPARE(f.document->loadedHtml.size(), 1);
        QCOMPARE(f.feature->loadedEditor(), f.first);
    }
    QVERIFY(f.calls.isEmpty());
    QCOMPARE(f.first->text(), QStringLiteral("<p>one</p>"));
    QVERIFY(!f.first->isModified());
    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.notices[0].icon, UiServices::Icon::Error);
    QVERIFY(f.ui.notices[0].text.startsWith(
        QStringLiteral("Úpravy ze stránky Design se nepodařilo převzít do dokumentu.")));

    // Once the view answers, the edit goes where it belongs.
    f.document->snapshotFails = false;
    f.answer = {{3, 3, QStringLiteral("ONE")}};
    f.documents.editor = f.first;
    f.pages->switchTo(PageMode::Source);
    QCOMPARE(f.pages->pageMode(), PageMode::Source);
    QCOMPARE(f.first->text(), QStringLiteral("<p>ONE</p>"));
}

void DesignFeatureTest::reportedEditsMarkTheLoadedEditorUntilTakenBack()
{
    Fixture f;
    f.setText(f.first, QStringLiteral("<p>one</p>"), false);
    f.pages->switchTo(PageMode::Design);
    QSignalSpy changes(f.feature.get(), &DesignFeature::pendingEditsChanged);
    QVERIFY(!f.feature->holdsEditsOf(f.first));
    QVERIFY(!f.feature->holdsEditsNow(f.first));

    f.document->edit(bodyOf({QStringLiteral("<p>ONE</p>")}));
    f.document->edit(bodyOf({QStringLiteral("<p>ONE!</p>")}));
    QVERIFY(f.feature->holdsEditsOf(f.first));
    QVERIFY(!f.feature->holdsEditsOf(f.second));
    QCOMPARE(changes.size(), 1); // once per change of the answer, not per report

    f.answer = {{3, 3, QStringLiteral("ONE!")}};
    QVERIFY(f.pages->syncIntoEditor());
    QVERIFY(!f.feature->holdsEditsOf(f.first));
    QCOMPARE(changes.size(), 2);

    // Asked of the document itself: an edit whose report has not come, and
    // a document that cannot answer.
    f.document->current = bodyOf({QStringLiteral("<p>later</p>")});
    QVERIFY(!f.feature->holdsEditsOf(f.first));
    QVERIFY(f.feature->holdsEditsNow(f.first));
    f.document->current = bodyOf({QStringLiteral("<p>ONE!</p>")});
    QVERIFY(!f.feature->holdsEditsNow(f.first));
    f.document->snapshotFails = true;
    QVERIFY(f.feature->holdsEditsNow(f.first));
    QVERIFY(!f.feature->holdsEditsNow(f.second));
}

void DesignFeatureTest::menuEntriesFollowTheirCommands_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("wanted"); // the status that enables the entry
    QTest::addColumn<int>("option");
    const struct
    {
        const char* entry;
        DesignCommand command;
        DesignStatus wanted;
        int option;
    } rows[] = {
        {"miCut", DesignCommand::Cut, DesignStatus::Enabled, 1},
        {"miCopy", DesignCommand::Copy, DesignStatus::Enabled, 1},
        {"miPaste", DesignCommand::Paste, DesignStatus::Enabled, 1},
        {"miInsertRow", DesignCommand::InsertRow, DesignStatus::Enabled, 0},
        {"miInsertCol", DesignCommand::InsertCol, DesignStatus::Enabled, 0},
        {"miInsertCell", DesignCommand::InsertCell, DesignStatus::Enabled, 0},
        {"miSplitCell", DesignCommand::SplitCell, DesignStatus::Enabled, 0},
        {"miMergeCells", DesignCommand::MergeCells, DesignStatus::Enabled, 0},
        {"miDeleteCells", DesignCommand::DeleteCells, DesignStatus::Enabled, 0},
        {"miInsertOrdered", DesignCommand::OrderList, DesignStatus::Enabled, 1},
        {"miInsertUnordered", DesignCommand::UnorderList, DesignStatus::Enabled, 1},
        {"miRemoveOrdered", DesignCommand::OrderList, DesignStatus::Latched, 1},
        {"miRemoveUnordered", DesignCommand::UnorderList, DesignStatus::Latched, 1},
        {"miUnlink", DesignCommand::Unlink, DesignStatus::Enabled, 1},
    };
    for (const auto& r : rows)
        QTest::newRow(r.entry) << QString::fromLatin1(r.entry) << int(r.command) << int(r.wanted)
                               << r.option;
}

void DesignFeatureTest::menuEntriesFollowTheirCommands()
{
    QFETCH(QString, entry);
    QFETCH(int, command);
    QFETCH(int, wanted);
    QFETCH(int, option);
    Fixture f;
    f.pages->switchTo(PageMode::Design);
    const auto id = DesignCommand(command);
    for (DesignStatus status :
         {DesignStatus::NotSupported, DesignStatus::Disabled, DesignStatus::Enabled,
          DesignStatus::Latched, DesignStatus::Mixed}) {
        f.document->statuses.insert(id, status);
        f.document->runs.clear();
        std::unique_ptr<QMenu> menu(f.feature->buildContextMenu(&f.window));
        auto* action = menu->findChild<QAction*>(entry);
        QVERIFY(action != nullptr);
        QVERIFY(action->isVisible());
        const bool enabled = status == DesignStatus(wanted);
        QCOMPARE(action->isEnabled(), enabled);
        action->trigger();
        if (enabled) {
            QCOMPARE(f.document->runs.size(), 1);
            QCOMPARE(f.document->runs[0].command, id);
            QCOMPARE(f.document->runs[0].option, option);
        } else {
            QVERIFY(f.document->runs.isEmpty());
        }
    }
}

void DesignFeatureTest::propertyEntriesFollowTheSelectedElement_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("shown"); // the one element entry shown, if any
    QTest::addColumn<int>("property");
    QTest::newRow("cell") << "TD"
                          << "miCell" << int(DesignProperty::Cell);
    QTest::newRow("table") << "TABLE"
                           << "miTable" << int(DesignProperty::Table);
    QTest::newRow("inline frame") << "IFRAME"
                                  << "miIFrame" << int(DesignProperty::InlineFrame);
    QTest::newRow("rule") << "HR"
                          << "miRule" << int(DesignProperty::Rule);
    QTest::newRow("picture, lower case") << "img"
                                         << "miImage" << int(DesignProperty::Image);
    QTest::newRow("link") << "A"
                          << "miLink" << int(DesignProperty::Link);
    QTest::newRow("paragraph") << "P"
                               << "" << -1;
    QTest::newRow("abbreviation is no link") << "ABBR"
                                             << "" << -1;
    QTest::newRow("nothing selected") << ""
                                      << "" << -1;
}

void DesignFeatureTest::propertyEntriesFollowTheSelectedElement()
{
    QFETCH(QString, tag);
    QFETCH(QString, shown);
    QFETCH(int, property);
    Fixture f;
    f.pages->switchTo(PageMode::Design);
    if (!tag.isEmpty())
        f.document->element = DesignElement{tag, {}, {}};
    const QStringList entries = {QStringLiteral("miIFrame"), QStringLiteral("miCell"),
                                 QStringLiteral("miTable"),  QStringLiteral("miRule"),
                                 QStringLiteral("miImage"),  QStringLiteral("miLink")};
    for (bool fontSettable : {false, true}) {
        f.document->statuses.insert(DesignCommand::SetFontName,
                                    fontSettable ? DesignStatus::Enabled : DesignStatus::Disabled);
        std::unique_ptr<QMenu> menu(f.feature->buildContextMenu(&f.window));
        for (const QString& name : entries)
            QCOMPARE(menu->findChild<QAction*>(name)->isVisible(), name == shown);
        // The separator before the document's entry goes with the six.
        const QList<QAction*> actions = menu->actions();
        const int document = actions.indexOf(menu->findChild<QAction*>(u"miDocument"_s));
        QVERIFY(document > 0);
        QVERIFY(actions[document - 1]->isSeparator());
        QCOMPARE(actions[document - 1]->isVisible(), !shown.isEmpty());
        QVERIFY(actions[document]->isVisible());
        QCOMPARE(menu->findChild<QAction*>(u"miFont"_s)->isVisible(), fontSettable);
        // The entry opens its dialog.
        f.opened.clear();
        if (!shown.isEmpty()) {
            menu->findChild<QAction*>(shown)->trigger();
            QCOMPARE(f.opened, QList<DesignProperty>{DesignProperty(property)});
        }
        menu->findChild<QAction*>(u"miDocument"_s)->trigger();
        QCOMPARE(f.opened.last(), DesignProperty::Document);
    }
}

void DesignFeatureTest::insertTableFromTheMenu()
{
    Fixture f;
    f.pages->switchTo(PageMode::Design);
    for (DesignStatus status : {DesignStatus::Disabled, DesignStatus::Enabled}) {
        f.document->statuses.insert(DesignCommand::InsertTable, status);
        std::unique_ptr<QMenu> menu(f.feature->buildContextMenu(&f.window));
        QMenu* table = menu->findChild<QMenu*>(u"miTableMenu"_s);
        QVERIFY(table != nullptr);
        QCOMPARE(table->title(), QStringLiteral("Tabulka"));
        QAction* insert = table->findChild<QAction*>(u"miInsertTable"_s);
        QCOMPARE(insert->text(), QStringLiteral("Vložit tabulku"));
        QCOMPARE(insert->isEnabled(), status == DesignStatus::Enabled);
        insert->trigger();
    }
    QCOMPARE(f.document->tables.size(), 1);
    const DesignTableParams& p = f.document->tables[0];
    QCOMPARE(p.rows, 1);
    QCOMPARE(p.columns, 2);
    QCOMPARE(p.tableAttributes, QStringLiteral("border=1 width=100"));
    QCOMPARE(p.cellAttributes, QString());
    QCOMPARE(p.caption, QString());
}

void DesignFeatureTest::theDocumentsRequestPopsTheMenuUp()
{
    Fixture f;
    f.pages->switchTo(PageMode::Design);
    f.document->element = DesignElement{QStringLiteral("IMG"), {}, {}};
    const QPoint at = f.window.mapToGlobal(QPoint(40, 30));
    Q_EMIT f.document->contextMenuRequested(at);
    QMenu* menu = f.feature->contextMenu();
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), at);
    // Its states were read when it opened.
    QVERIFY(menu->findChild<QAction*>(u"miImage"_s)->isVisible());
    menu->close();
}

QTEST_MAIN(DesignFeatureTest)
#include "tst_designfeature.moc"
