// The user tag page and the dialog "Vlastní tag" on real widgets over a
// temporary user tag folder: the round trip through the disk, the context
// menu, refused names, the group commands, and the double-click that wraps
// the current editor's selection in the main window. Every question and
// input box is scripted; the dialog is answered without its modal loop.

#include "app/editor/ScintillaEditor.h"
#include "app/panels/LeftPanel.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "app/usertags/UserTagDialog.h"
#include "app/usertags/UserTagPanel.h"
#include "core/usertags/UserTagName.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;
using qw::test::fileBytes;
using qw::test::writeBytes;

namespace {

// The tree as "group: tag, tag" lines.
QStringList treeText(const QTreeWidget* tree)
{
    QStringList lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* group = tree->topLevelItem(i);
        QStringList tags;
        for (int j = 0; j < group->childCount(); ++j)
            tags << group->child(j)->text(0);
        lines << group->text(0) + QStringLiteral(": ") + tags.join(QStringLiteral(", "));
    }
    return lines;
}

// The captions of the entries the menu shows, "-" for a separator.
QStringList visibleEntries(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        if (a->isVisible())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return entries;
}

// Also keeps each input box's title, prompt and initial text.
struct RecordingUi : FakeUiServices
{
    QStringList inputs;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override
    {
        inputs << title + u'|' + prompt + u'|' + initial;
        return FakeUiServices::inputText(parent, title, prompt, initial);
    }
};

// Answers the dialog like a user: fills the fields and presses OK.
struct DialogAnswer
{
    QString name;
    QString start;
    QString end;
};

} // namespace

class UserTagsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void userTagRoundTripThroughTheDisk();
    void menuShowsWhatTheSelectionAllows_data();
    void menuShowsWhatTheSelectionAllows();
    void badNamesAreRefusedBeforeAnythingIsWritten_data();
    void badNamesAreRefusedBeforeAnythingIsWritten();
    void groupCommands();
    void dialogFieldsTheirLabelsAndTypedAngleBrackets();
    void doubleClickWrapsTheSelectionInTheWindow_data();
    void doubleClickWrapsTheSelectionInTheWindow();
    void libraryOfANewUserSurvivesARestart();
    void pageTabIsNamedAndAnEmptyPageSaysWhatToDo();

private:
    // Runs the dialog without a modal loop, answering with the queued answers.
    void answerDialogs(UserTagPanel& panel);

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
    QList<DialogAnswer> m_answers;
    QList<UserTagDialog::Mode> m_modes; // the mode each dialog opened in
    QList<DialogAnswer> m_shownFields;  // what each dialog showed when opened
    QList<bool> m_commits;              // what each OK returned
};

void UserTagsTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The trash and the file panel's start folder stay inside the test.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("data"))));
}

void UserTagsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("caseXXXXXX")));
    QVERIFY(m_dir->isValid());
    m_root = m_dir->filePath(QStringLiteral("Tag"));
    m_answers.clear();
    m_modes.clear();
    m_shownFields.clear();
    m_commits.clear();
}

void UserTagsTest::answerDialogs(UserTagPanel& panel)
{
    panel.setDialogRunner([this](UserTagDialog& dialog) {
        m_modes << dialog.mode();
        m_shownFields << DialogAnswer{dialog.nameField()->text(),
                                      dialog.startField()->toPlainText(),
                                      dialog.endField()->toPlainText()};
        QVERIFY(!m_answers.isEmpty());
        const DialogAnswer answer = m_answers.takeFirst();
        dialog.nameField()->setText(answer.name);
        dialog.startField()->setPlainText(answer.start);
        dialog.endField()->setPlainText(answer.end);
        m_commits << dialog.commit();
        // A refused name keeps the dialog open; the user then cancels.
        if (!m_commits.last())
            dialog.cancelButton()->click();
    });
}

void UserTagsTest::userTagRoundTripThroughTheDisk()
{
    FakeUiServices ui;
    UserTagPanel panel(m_root, ui);
    answerDialogs(panel);
    panel.refresh();
    QCOMPARE(panel.tree()->topLevelItemCount(), 0);

    ui.inputResults << QStringLiteral("Web");
    panel.action(QStringLiteral("mnuAddGroup"))->trigger();
    QVERIFY(QFileInfo(m_root + QStringLiteral("/Web")).isDir());
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: ")}));

    // New: written into the selected group, shown at its end and selected.
    m_answers << DialogAnswer{QStringLiteral("tučně"), QStringLiteral("<b>\n<i>"),
                              QStringLiteral("</i></b>")};
    panel.action(QStringLiteral("mnuAddUserTag"))->trigger();
    QCOMPARE(m_modes, QList<UserTagDialog::Mode>({UserTagDialog::Mode::New}));
    QCOMPARE(m_commits, QList<bool>({true}));
    const QString startFile = m_root + QStringLiteral("/Web/tučně.qws");
    const QString endFile = m_root + QStringLiteral("/Web/tučně.qwe");
    QCOMPARE(fileBytes(startFile), QByteArray("<b>\r\n<i>\r\n"));
    QCOMPARE(fileBytes(endFile), QByteArray("</i></b>\r\n"));
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: tučně")}));
    QCOMPARE(panel.tree()->currentItem()->text(0), QStringLiteral("tučně"));

    // Edit, changing only the letter case: the dialog shows the disk's texts,
    // and the files end up under the new name only.
    m_answers << DialogAnswer{QStringLiteral("Tučně"), QStringLiteral("<strong>"), QString()};
    panel.action(QStringLiteral("mnuEditUserTag"))->trigger();
    QCOMPARE(m_modes.last(), UserTagDialog::Mode::Edit);
    QCOMPARE(m_shownFields.last().name, QStringLiteral("tučně"));
    QCOMPARE(m_shownFields.last().start, QStringLiteral("<b>\n<i>"));
    QCOMPARE(m_shownFields.last().end, QStringLiteral("</i></b>"));
    QCOMPARE(m_commits.last(), true);
    QCOMPARE(fileBytes(m_root + QStringLiteral("/Web/Tučně.qws")), QByteArray("<strong>\r\n"));
    QCOMPARE(fileBytes(m_root + QStringLiteral("/Web/Tučně.qwe")), QByteArray());
    QVERIFY(!QFile::exists(startFile));
    QVERIFY(!QFile::exists(endFile));
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: Tučně")}));

    // The dialog is back in new mode with empty fields after it closed.
    QCOMPARE(panel.dialog()->mode(), UserTagDialog::Mode::New);
    QVERIFY(panel.dialog()->nameField()->text().isEmpty());
    QVERIFY(panel.dialog()->startField()->toPlainText().isEmpty());

    // Written again under a name the group holds: one pair of files, one node;
    // the same when an edited user tag takes the name of another.
    m_answers << DialogAnswer{QStringLiteral("odkaz"), QStringLiteral("<a>"),
                              QStringLiteral("</a>")}
              << DialogAnswer{QStringLiteral("odkaz"), QStringLiteral("<a href>"), QString()}
              << DialogAnswer{QStringLiteral("odkaz"), QStringLiteral("<strong>"), QString()};
    panel.action(QStringLiteral("mnuAddUserTag"))->trigger();
    panel.action(QStringLiteral("mnuAddUserTag"))->trigger();
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: Tučně, odkaz")}));
    QCOMPARE(fileBytes(m_root + QStringLiteral("/Web/odkaz.qws")), QByteArray("<a href>\r\n"));
    QVERIFY(panel.selectNode(QStringLiteral("Web"), QStringLiteral("Tučně")));
    panel.action(QStringLiteral("mnuEditUserTag"))->trigger();
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: odkaz")}));
    QCOMPARE(panel.tree()->currentItem()->text(0), QStringLiteral("odkaz"));
    QVERIFY(!QFile::exists(m_root + QStringLiteral("/Web/Tučně.qws")));
    QCOMPARE(fileBytes(m_root + QStringLiteral("/Web/odkaz.qws")), QByteArray("<strong>\r\n"));
    QCOMPARE(m_commits, QList<bool>({true, true, true, true, true}));
    // Back from outside the program, for the rest of the story.
    writeBytes(m_root + QStringLiteral("/Web/Tučně.qws"), "<strong>\r\n");
    panel.refresh();
    QVERIFY(panel.selectNode(QStringLiteral("Web"), QStringLiteral("Tučně")));

    // A second page over the same folder (a restart) shows the same library.
    UserTagPanel again(m_root, ui);
    again.refresh();
    QCOMPARE(treeText(again.tree()), QStringList({QStringLiteral("Web: odkaz, Tučně")}));

    // Delete: No keeps it, Yes removes both files and the node.
    ui.yesNoAnswers << false << true;
    panel.action(QStringLiteral("mnuRemoveUserTag"))->trigger();
    QVERIFY(QFile::exists(m_root + QStringLiteral("/Web/Tučně.qws")));
    panel.action(QStringLiteral("mnuRemoveUserTag"))->trigger();
    QCOMPARE(ui.questions, QStringList({QStringLiteral("Opravdu chcete smazat \"Tučně\"?"),
                                        QStringLiteral("Opravdu chcete smazat \"Tučně\"?")}));
    QVERIFY(!QFile::exists(m_root + QStringLiteral("/Web/Tučně.qws")));
    QVERIFY(!QFile::exists(m_root + QStringLiteral("/Web/Tučně.qwe")));
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: odkaz")}));
    QVERIFY(ui.unscripted().isEmpty());
    QVERIFY(ui.allAnswersUsed());
}

void UserTagsTest::menuShowsWhatTheSelectionAllows_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("entries");
    const QString addGroup = QStringLiteral("Přidat složku");
    const QString refresh = QStringLiteral("Obnovit");
    const QString addTag = QStringLiteral("Přidat vlastní tag");
    const QString sep = QStringLiteral("-");
    QTest::newRow("nothing selected")
        << QString() << QString() << QStringList({addGroup, sep, sep, refresh});
    QTest::newRow("a group") << QStringLiteral("Web") << QString()
                             << QStringList({addGroup, QStringLiteral("Smazat složku"),
                                             QStringLiteral("Přejmenovat složku"), sep, addTag, sep,
                                             refresh});
    QTest::newRow("a user tag") << QStringLiteral("Web") << QStringLiteral("odkaz")
                                << QStringList({addGroup, sep, addTag,
                                                QStringLiteral("Editovat vlastní tag"),
                                                QStringLiteral("Smazat vlastní tag"), sep,
                                                refresh});
}

void UserTagsTest::menuShowsWhatTheSelectionAllows()
{
    QFETCH(QString, group);
    QFETCH(QString, tag);
    QFETCH(QStringList, entries);
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Web")));
    writeBytes(m_root + QStringLiteral("/Web/odkaz.qws"), "<a>\r\n");
    FakeUiServices ui;
    UserTagPanel panel(m_root, ui);
    panel.refresh();
    if (!group.isEmpty())
        QVERIFY(panel.selectNode(group, tag));
    panel.prepareMenu();
    QCOMPARE(visibleEntries(panel.contextMenu()), entries);
    QCOMPARE(panel.contextMenu()->defaultAction(), panel.action(QStringLiteral("mnuAddUserTag")));
}

void UserTagsTest::badNamesAreRefusedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << QStringLiteral("../venku");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("hidden") << QStringLiteral(".skryty");
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    QTest::newRow("empty") << QString();
}

void UserTagsTest::badNamesAreRefusedBeforeAnythingIsWritten()
{
    QFETCH(QString, name);
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Web")));
    FakeUiServices ui;
    UserTagPanel panel(m_root, ui);
    answerDialogs(panel);
    panel.refresh();
    QVERIFY(panel.selectNode(QStringLiteral("Web")));
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);

    m_answers << DialogAnswer{name, QStringLiteral("<x>"), QStringLiteral("</x>")};
    panel.action(QStringLiteral("mnuAddUserTag"))->trigger();
    QCOMPARE(m_commits, QList<bool>({false}));
    QCOMPARE(ui.notices.size(), 1);
    QCOMPARE(ui.notices.at(0).icon, UiServices::Icon::Error);
    QCOMPARE(ui.notices.at(0).text, userTagNameProblem(name, UserTagNameKind::Tag));
    QVERIFY(QDir(m_root + QStringLiteral("/Web")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: ")}));

    // The same name for a group: refused, nothing created anywhere.
    ui.inputResults << name;
    panel.action(QStringLiteral("mnuAddGroup"))->trigger();
    if (!name.isEmpty()) {
        QCOMPARE(ui.notices.size(), 2);
        QCOMPARE(ui.notices.at(1).icon, UiServices::Icon::Error);
        QCOMPARE(ui.notices.at(1).text, userTagNameProblem(name, UserTagNameKind::Group));
    }
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Web: ")}));
    QCOMPARE(QDir(m_root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("Web")}));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void UserTagsTest::groupCommands()
{
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Web")));
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Formuláře")));
    writeBytes(m_root + QStringLiteral("/Web/odkaz.qws"), "<a>\r\n");
    writeBytes(m_root + QStringLiteral("/Web/odkaz.qwe"), "</a>\r\n");
    RecordingUi ui;
    UserTagPanel panel(m_root, ui);
    panel.refresh();
    const QStringList start = {QStringLiteral("Formuláře: "), QStringLiteral("Web: odkaz")};
    QCOMPARE(treeText(panel.tree()), start);

    // Adding an existing group adds nothing; cancelling does nothing.
    ui.inputResults << QStringLiteral("Web") << std::nullopt;
    panel.action(QStringLiteral("mnuAddGroup"))->trigger();
    panel.action(QStringLiteral("mnuAddGroup"))->trigger();
    QCOMPARE(treeText(panel.tree()), start);

    // Renaming drops "<" and ">"; an existing name or an empty one changes nothing.
    QVERIFY(panel.selectNode(QStringLiteral("Web")));
    ui.inputResults << QStringLiteral("Formuláře") << QStringLiteral("<>")
                    << QStringLiteral("<Stránky>");
    for (int i = 0; i < 3; ++i)
        panel.action(QStringLiteral("mnuRenameGroup"))->trigger();
    QCOMPARE(treeText(panel.tree()),
             QStringList({QStringLiteral("Formuláře: "), QStringLiteral("Stránky: odkaz")}));
    QVERIFY(QFile::exists(m_root + QStringLiteral("/Stránky/odkaz.qws")));
    QVERIFY(!QFileInfo::exists(m_root + QStringLiteral("/Web")));
    const QString box = QStringLiteral("Přidat novou složku|Zadejte jméno:|");
    QCOMPARE(ui.inputs, QStringList({box, box, box + QStringLiteral("Web"),
                                     box + QStringLiteral("Web"), box + QStringLiteral("Web")}));

    // Removing asks nothing and takes the user tags along, to the trash.
    QVERIFY(panel.selectNode(QStringLiteral("Stránky")));
    panel.action(QStringLiteral("mnuRemoveGroup"))->trigger();
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Formuláře: ")}));
    QVERIFY(ui.questions.isEmpty());
    QVERIFY(ui.notices.isEmpty());
    QVERIFY(!QFileInfo::exists(m_root + QStringLiteral("/Stránky")));
    QVERIFY(QFile::exists(m_home.filePath(QStringLiteral("data/Trash/files/Stránky/odkaz.qws"))));
    panel.refresh();
    QCOMPARE(treeText(panel.tree()), QStringList({QStringLiteral("Formuláře: ")}));
    QVERIFY(ui.unscripted().isEmpty());
}

void UserTagsTest::dialogFieldsTheirLabelsAndTypedAngleBrackets()
{
    FakeUiServices ui;
    UserTagStore store(m_root);
    UserTagDialog dialog(store, ui);
    QTest::keyClicks(dialog.nameField(), QStringLiteral("a<b>c"));
    QCOMPARE(dialog.nameField()->text(), QStringLiteral("abc"));
    // Pasting is not typing.
    dialog.nameField()->insert(QStringLiteral("<d>"));
    QCOMPARE(dialog.nameField()->text(), QStringLiteral("abc<d>"));
    // The memos take any character.
    QTest::keyClicks(dialog.startField(), QStringLiteral("<p>"));
    QCOMPARE(dialog.startField()->toPlainText(), QStringLiteral("<p>"));

    // Each field is named by its label, which leads to it.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vlastní tag"));
    const QList<QPair<QWidget*, QString>> fields = {
        {dialog.nameField(), QStringLiteral("Název:")},
        {dialog.startField(), QStringLiteral("Počáteční tag:")},
        {dialog.endField(), QStringLiteral("Koncový tag:")}};
    for (const auto& [field, caption] : fields) {
        QCOMPARE(field->accessibleName(), caption);
        bool labelled = false;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labelled = labelled || (label->text() == caption && label->buddy() == field);
        QVERIFY2(labelled, qPrintable(caption));
    }
    QVERIFY(dialog.okButton()->isDefault());
    QCOMPARE(dialog.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("Storno"));
}

void UserTagsTest::doubleClickWrapsTheSelectionInTheWindow_data()
{
    QTest::addColumn<QByteArray>("startFile");
    QTest::addColumn<QByteArray>("endFile");
    QTest::addColumn<QString>("expected");
    // The start loses one break at its very end, the end keeps a break after
    // each of its lines; the three selected lines stay selected between them.
    QTest::newRow("two lines and one")
        << QByteArray("x\r\ny\r\n") << QByteArray("z") << QStringLiteral("x\r\nyA\r\nB\r\nCz\r\n");
    QTest::newRow("LF breaks, start ends twice")
        << QByteArray("<div>\n\n") << QByteArray("</div>\n")
        << QStringLiteral("<div>\r\nA\r\nB\r\nC</div>\r\n");
    QTest::newRow("empty start, no end file")
        << QByteArray() << QByteArray("<missing>") << QStringLiteral("A\r\nB\r\nC");
}

void UserTagsTest::doubleClickWrapsTheSelectionInTheWindow()
{
    QFETCH(QByteArray, startFile);
    QFETCH(QByteArray, endFile);
    QFETCH(QString, expected);

    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Web")));
    writeBytes(m_root + QStringLiteral("/Web/blok.qws"), startFile);
    if (endFile != "<missing>")
        writeBytes(m_root + QStringLiteral("/Web/blok.qwe"), endFile);

    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("prog/Data/Settings"))));
    FakeUiServices ui;
    AppPaths paths(m_dir->filePath(QStringLiteral("prog")), m_dir->filePath(QStringLiteral("cfg")),
                   m_dir->filePath(QStringLiteral("data")), m_dir->filePath(QStringLiteral("tmp")));
    AppContext context(paths, ui);
    context.loadSettings();
    context.settings.userTagPath = m_root;
    MainWindow window(context);
    window.resize(1000, 700);
    window.show();
    window.openStartFile(QString());
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    ScintillaEditor& editor = *window.documents().current();
    editor.setText(QStringLiteral("A\r\nB\r\nC"));
    editor.selectAll();
    const qsizetype selected = editor.selectionLength();

    UserTagPanel* panel = window.userTagPanel();
    QVERIFY(panel != nullptr);
    window.leftPanel()->showPage(panel);
    QTRY_VERIFY(panel->isVisible());
    // Shown: read from the disk.
    QCOMPARE(treeText(panel->tree()), QStringList({QStringLiteral("Web: blok")}));

    // A double-click on the group inserts nothing.
    QTreeWidgetItem* group = panel->tree()->topLevelItem(0);
    group->setExpanded(true);
    const QRect groupRect = panel->tree()->visualItemRect(group);
    QTest::mouseClick(panel->tree()->viewport(), Qt::LeftButton, {}, groupRect.center());
    QTest::mouseDClick(panel->tree()->viewport(), Qt::LeftButton, {}, groupRect.center());
    QCOMPARE(editor.text(), QStringLiteral("A\r\nB\r\nC"));

    // (It folds the group like any tree; open it again.)
    group->setExpanded(true);
    const QRect tagRect = panel->tree()->visualItemRect(group->child(0));
    QTest::mouseClick(panel->tree()->viewport(), Qt::LeftButton, {}, tagRect.center());
    QTest::mouseDClick(panel->tree()->viewport(), Qt::LeftButton, {}, tagRect.center());
    QCOMPARE(editor.text(), expected);
    QCOMPARE(editor.selectedText(), QStringLiteral("A\r\nB\r\nC"));
    QCOMPARE(editor.selectionLength(), selected);
    QTRY_VERIFY(editor.hasFocus());
    QVERIFY(ui.unscripted().isEmpty());
}

void UserTagsTest::libraryOfANewUserSurvivesARestart()
{
    // The default user tag folder of a fresh installation, made on first use.
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("prog/Data/Settings"))));
    const AppPaths paths(
        m_dir->filePath(QStringLiteral("prog")), m_dir->filePath(QStringLiteral("cfg")),
        m_dir->filePath(QStringLiteral("data")), m_dir->filePath(QStringLiteral("tmp")));
    FakeUiServices ui;
    {
        AppContext context(paths, ui);
        context.loadSettings();
        MainWindow window(context);
        window.show();
        window.openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        UserTagPanel* panel = window.userTagPanel();
        window.leftPanel()->showPage(panel);
        QCOMPARE(panel->tree()->topLevelItemCount(), 0);

        ui.inputResults << QStringLiteral("Moje");
        panel->action(QStringLiteral("mnuAddGroup"))->trigger();
        answerDialogs(*panel);
        m_answers << DialogAnswer{QStringLiteral("zvýraznit"), QStringLiteral("<em>"),
                                  QStringLiteral("</em>")};
        panel->action(QStringLiteral("mnuAddUserTag"))->trigger();
        QCOMPARE(m_commits, QList<bool>({true}));

        ScintillaEditor& editor = *window.documents().current();
        editor.setText(QStringLiteral("jedno slovo"));
        editor.setSelectionStart(6);
        editor.setSelectionLength(5);
        QTreeWidgetItem* tag = panel->tree()->currentItem();
        QCOMPARE(tag->text(0), QStringLiteral("zvýraznit"));
        const QPoint at = panel->tree()->visualItemRect(tag).center();
        QTest::mouseClick(panel->tree()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(panel->tree()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(editor.text(), QStringLiteral("jedno <em>slovo</em>\r\n"));
        QCOMPARE(editor.selectedText(), QStringLiteral("slovo"));
        editor.setModified(false);
        window.close();
    }
    AppContext context(paths, ui);
    context.loadSettings();
    MainWindow window(context);
    window.show();
    window.leftPanel()->showPage(window.userTagPanel());
    QCOMPARE(treeText(window.userTagPanel()->tree()),
             QStringList({QStringLiteral("Moje: zvýraznit")}));
    QVERIFY(ui.unscripted().isEmpty());
}

void UserTagsTest::pageTabIsNamedAndAnEmptyPageSaysWhatToDo()
{
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("prog/Data/Settings"))));
    FakeUiServices ui;
    AppPaths paths(m_dir->filePath(QStringLiteral("prog")), m_dir->filePath(QStringLiteral("cfg")),
                   m_dir->filePath(QStringLiteral("data")), m_dir->filePath(QStringLiteral("tmp")));
    AppContext context(paths, ui);
    context.loadSettings();
    context.settings.userTagPath = m_root;
    QVERIFY(QDir().mkpath(m_root));
    MainWindow window(context);
    window.resize(1000, 700);
    window.show();
    window.openStartFile(QString());
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The tab shows only an icon, yet says its name on hovering and to a
    // screen reader.
    LeftPanel* panel = window.leftPanel();
    UserTagPanel* page = window.userTagPanel();
    const int tab = panel->indexOf(page);
    QVERIFY(tab >= 0);
    QCOMPARE(panel->tabText(tab), QString());
    QVERIFY(!panel->tabIcon(tab).isNull());
    const QString name = QStringLiteral("Vlastní tag");
    QCOMPARE(panel->tabToolTip(tab), name);
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(panel->tabBar());
    QVERIFY(tabs != nullptr && tabs->child(tab) != nullptr);
    QCOMPARE(tabs->child(tab)->text(QAccessible::Name), name);
    QCOMPARE(page->accessibleName(), name);

    // An empty page says, in one line, where groups and user tags come from.
    panel->showPage(page);
    QTRY_VERIFY(page->isVisible());
    QLabel* hint = page->emptyHint();
    QVERIFY(hint->isVisible());
    QVERIFY(hint->text().contains(QStringLiteral("pravým tlačítkem")));
    QVERIFY(hint->fontMetrics().horizontalAdvance(hint->text()) <= hint->contentsRect().width());
    ui.inputResults << QStringLiteral("Web");
    page->action(QStringLiteral("mnuAddGroup"))->trigger();
    QCOMPARE(treeText(page->tree()), QStringList({QStringLiteral("Web: ")}));
    QVERIFY(!hint->isVisible());
    QVERIFY(page->selectNode(QStringLiteral("Web")));
    page->action(QStringLiteral("mnuRemoveGroup"))->trigger();
    QCOMPARE(page->tree()->topLevelItemCount(), 0);
    QVERIFY(hint->isVisible());
    // A library with groups shows no hint from the start.
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/Tabulky")));
    page->refresh();
    QVERIFY(!hint->isVisible());
    QVERIFY(ui.unscripted().isEmpty());
}

QTEST_MAIN(UserTagsTest)
#include "tst_usertags.moc"
