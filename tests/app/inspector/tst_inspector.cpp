// The tag inspector in a real, offscreen window with the shipped "tag.dat":
// the rows of the tag at the caret, typing into a value editor rewriting the
// tag at every key release, navigation with Enter, Up and Down in every kind
// of row, long values kept whole, the file and picture entries through the
// scripted dialogs, the special characters and the left panel itself. Keys go
// where the keyboard sends them: to the application's focus widget.

#include "app/editor/ScintillaEditor.h"
#include "app/inspector/InspectorDelegate.h"
#include "app/inspector/SpecialCharacterList.h"
#include "app/inspector/TagInspector.h"
#include "app/panels/LeftPanel.h"
#include "app/services/ActionRegistry.h"
#include "app/services/ColorCombo.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TabBarChecks.h"
#include "support/TestInstallation.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QSplitter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

// A program folder with the shipped tag definitions, one per test.
class Installation : public qw::test::TestInstallation
{
public:
    Installation() : TestInstallation(std::nullopt, QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat"))
    {}
};

struct Session
{
    Installation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    explicit Session(bool upperTag = true)
    {
        context = inst.context(ui);
        context->settings.upperTag = upperTag;
        window = std::make_unique<MainWindow>(*context);
        window->resize(1200, 800);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // Closed before it goes, as the program's window is: an open value
    // editor ends while the window still holds the document.
    ~Session()
    {
        if (window != nullptr)
            window->hide();
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    TagInspector& inspector() { return *window->tagInspector(); }

    // The text with the caret at "|" (removed), then a click in the editor
    // the way the user puts the caret there: the release fills the grid.
    void place(const QString& marked)
    {
        const qsizetype caret = marked.indexOf(u'|');
        QString text = marked;
        text.remove(caret, 1);
        editor().setText(text);
        editor().setSelectionStart(caret);
        editor().setFocus();
        QTest::keyClick(&editor(), Qt::Key_Shift);
    }

    int rowNamed(const QString& name)
    {
        for (int i = 0; i < inspector().rowCount(); ++i) {
            if (inspector().row(i)->text(0) == name)
                return i;
        }
        return -1;
    }

    // Makes the row current as a click would; its value editor opens.
    QWidget* edit(const QString& name)
    {
        const int row = rowNamed(name);
        if (row < 0)
            return nullptr;
        inspector().setCurrentItem(inspector().row(row), 1);
        return inspector().valueEditor();
    }

    // Where the keyboard's keys arrive: the focus widget. For every value
    // editor that is the editor itself (a drop-down list is the focus proxy
    // of its line edit).
    static QWidget* keyTarget(QWidget* editor)
    {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus : editor;
    }

    // One key as the keyboard gives it: pressed where the focus is, and
    // released where the focus is after the press.
    static void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* pressedAt = QApplication::focusWidget();
        QVERIFY(pressedAt != nullptr);
        QTest::keyPress(pressedAt, key, modifiers);
        QWidget* releasedAt = QApplication::focusWidget();
        QTest::keyRelease(releasedAt != nullptr ? releasedAt : pressedAt, key, modifiers);
    }

    QStringList rowNames()
    {
        QStringList names;
        for (int i = 0; i < inspector().rowCount(); ++i)
            names << inspector().row(i)->text(0);
        return names;
    }
};

QStringList imgRowsOfTagDat()
{
    return QStringList{
        QStringLiteral("SRC"), QStringLiteral("ALT"), QStringLiteral("WIDTH"),
        QStringLiteral("HEIGHT"), QStringLiteral("BORDER"), QStringLiteral("ALIGN"),
        QStringLiteral("HSPACE"), QStringLiteral("VSPACE"), QStringLiteral("USEMAP"),
        QStringLiteral("ISMAP"), QStringLiteral("NAME"), QStringLiteral("LOWSRC"),
        QStringLiteral("LONGDESC"), QStringLiteral("ID"), QStringLiteral("CLASS"),
        QStringLiteral("STYLE"), QStringLiteral("TITLE"), QStringLiteral("ONMOUSEOVER"),
        QStringLiteral("ONMOUSEOUT"),
        // What HTML5 added after the older rows, then the attributes of every element.
        QStringLiteral("SRCSET"), QStringLiteral("SIZES"), QStringLiteral("CROSSORIGIN"),
        QStringLiteral("REFERRERPOLICY"), QStringLiteral("DECODING"), QStringLiteral("LOADING"),
        QStringLiteral("FETCHPRIORITY"), QStringLiteral("LANG"), QStringLiteral("DIR"),
        QStringLiteral("HIDDEN"), QStringLiteral("TABINDEX"), QStringLiteral("ACCESSKEY"),
        QStringLiteral("AUTOFOCUS"), QStringLiteral("CONTENTEDITABLE"), QStringLiteral("DRAGGABLE"),
        QStringLiteral("SPELLCHECK"), QStringLiteral("TRANSLATE"), QStringLiteral("INERT"),
        QStringLiteral("POPOVER"), QStringLiteral("ROLE"), QStringLiteral("ARIA-LABEL"),
        QStringLiteral("ARIA-LABELLEDBY"), QStringLiteral("ARIA-DESCRIBEDBY"),
        QStringLiteral("ARIA-HIDDEN")};
}

} // namespace

class InspectorTest : public QObject
{
    Q_OBJECT
private slots:
    void leftPanelHoldsTheInspectorAndTheSpecialCharacters();
    void everyPanelTabCanBeReadWhole();
    void gridShowsTheDefinedRowsOfTheTagAtTheCaret();
    void typingRewritesTheTagAtEveryKeyRelease_data();
    void typingRewritesTheTagAtEveryKeyRelease();
    void valuesWithBracketsAndUndefinedAttributesKeepTheDocument();
    void html5ElementsShowTheirRowsAndFlags_data();
    void html5ElementsShowTheirRowsAndFlags();
    void enterUpAndDownMoveBetweenRows();
    void everyKindOfRowFollowsTheKeys_data();
    void everyKindOfRowFollowsTheKeys();
    void longValuesStayWholeWhenPassedThrough_data();
    void longValuesStayWholeWhenPassedThrough();
    void fileAndPictureEntriesAskTheFileDialog_data();
    void fileAndPictureEntriesAskTheFileDialog();
    void comboChoiceIsWrittenAtOnce();
    void colourChoicesAreWrittenAtOnce_data();
    void colourChoicesAreWrittenAtOnce();
    void commandsCloseTheValueEditor();
    void specialCharacterDoubleClickInsertsAtTheCaret();
    void windowGoesQuietlyWithAValueEditorOpen();
};

void InspectorTest::leftPanelHoldsTheInspectorAndTheSpecialCharacters()
{
    Session s;
    LeftPanel* panel = s.window->leftPanel();
    QCOMPARE(panel->tabPosition(), QTabWidget::South);
    const int tagPage = panel->indexOf(&s.inspector());
    QVERIFY(tagPage >= 0);
    QCOMPARE(panel->tabText(tagPage), QStringLiteral("HTMLTag"));
    QCOMPARE(panel->tabText(tagPage + 1), QStringLiteral("Special Char"));
    QCOMPARE(panel->widget(tagPage + 1), s.window->specialCharacters());
    // 289 pixels wide at the start, unless its tabs need more.
    QCOMPARE(panel->width(), std::max(LeftPanel::InitialWidth, panel->minimumSizeHint().width()));

    // Another page of the window is put in front and shown.
    auto* page = new QWidget;
    QCOMPARE(panel->insertPage(0, page, QStringLiteral("Stránka")), 0);
    QCOMPARE(panel->indexOf(&s.inspector()), tagPage + 1);
    panel->showPage(page);
    QCOMPARE(panel->currentWidget(), page);
    QCOMPARE(page->accessibleName(), QStringLiteral("Stránka"));

    // The special characters' second column fills what the first leaves.
    SpecialCharacterList* list = s.window->specialCharacters();
    panel->showPage(list);
    auto* splitter = qobject_cast<QSplitter*>(s.window->centralWidget());
    QVERIFY(splitter != nullptr);
    splitter->setSizes({400, 800});
    QTRY_COMPARE(list->columnWidth(1),
                 list->width() - SpecialCharacterList::CharacterColumnWidth - 20);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Znak"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("v HTML"));

    QAction* toggle =
        s.window->commands().action(QStringLiteral("view.leftPanel"), ActionPlace::MainMenu);
    toggle->trigger();
    QVERIFY(panel->isHidden());
    QVERIFY(!s.window->leftPanelShown());
    toggle->trigger();
    QVERIFY(panel->isVisible());
}

void InspectorTest::everyPanelTabCanBeReadWhole()
{
    Session s;
    LeftPanel* panel = s.window->leftPanel();
    QCOMPARE(panel->count(), 4);
    qw::test::verifyEveryCaptionWhole(*panel->tabBar());
    // Not even the narrowest panel the splitter allows hides a tab.
    auto* splitter = qobject_cast<QSplitter*>(s.window->centralWidget());
    QVERIFY(splitter != nullptr);
    splitter->setSizes({40, 1160});
    QTRY_COMPARE(panel->width(), panel->minimumSizeHint().width());
    qw::test::verifyEveryCaptionWhole(*panel->tabBar());
}

void InspectorTest::gridShowsTheDefinedRowsOfTheTagAtTheCaret()
{
    Session s;
    TagInspector& grid = s.inspector();
    QCOMPARE(grid.headerItem()->text(0), QStringLiteral("Vlastnost"));
    QCOMPARE(grid.headerItem()->text(1), QStringLiteral("Hodnota"));
    QCOMPARE(grid.groupRow()->text(0), QStringLiteral("Možnosti"));
    QVERIFY(grid.groupRow()->font(0).bold());

    s.place(QStringLiteral("<p>x</p><img src=\"a.gif\" |>"));
    QCOMPARE(s.rowNames(), imgRowsOfTagDat());
    QCOMPARE(grid.row(0)->text(1), QStringLiteral("a.gif"));
    QCOMPARE(grid.row(1)->text(1), QString());
    QVERIFY(grid.groupRow()->isExpanded());
    QCOMPARE(grid.row(0)->foreground(0).color(), QColor(0, 0, 255));

    // The value editor lies exactly over the value cell.
    QWidget* editor = s.edit(QStringLiteral("ALT"));
    QVERIFY(qobject_cast<QLineEdit*>(editor) != nullptr);
    QCOMPARE(editor->geometry(), grid.visualItemRect(grid.row(1))
                                     .intersected(QRect(grid.header()->sectionPosition(1), 0,
                                                        grid.header()->sectionSize(1), 100000)));
    QCOMPARE(editor->accessibleName(), QStringLiteral("ALT"));
    QCOMPARE(grid.visualItemRect(grid.row(1)).height(), TagInspector::RowHeight);

    // Outside any tag, in an end tag and in a tag without a section: no rows.
    const QString elsewhere[] = {QStringLiteral("<p>te|xt</p>"), QStringLiteral("<p>x</|p>"),
                                 QStringLiteral("<quenwick |>x")};
    for (const QString& marked : elsewhere) {
        s.place(marked);
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY(grid.valueEditor() == nullptr);
    }
}

void InspectorTest::typingRewritesTheTagAtEveryKeyRelease_data()
{
    QTest::addColumn<bool>("upperTag");
    QTest::addColumn<QString>("afterOne");
    QTest::addColumn<QString>("afterTen");
    QTest::newRow("lower case") << true << QStringLiteral("<img src=\"a.gif\" width=\"1\">")
                                << QStringLiteral("<img src=\"a.gif\" width=\"10\">");
    QTest::newRow("upper case") << false << QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=\"1\">")
                                << QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=\"10\">");
}

void InspectorTest::typingRewritesTheTagAtEveryKeyRelease()
{
    QFETCH(bool, upperTag);
    QFETCH(QString, afterOne);
    QFETCH(QString, afterTen);
    Session s(upperTag);
    const QString before = QStringLiteral("<p>Obrázek\r\n");
    const QString after = QStringLiteral("\r\nkonec</p>");
    s.place(before + QStringLiteral("<img src=\"a.gif\"|>") + after);
    QWidget* editor = s.edit(QStringLiteral("WIDTH"));
    QVERIFY(editor != nullptr);
    QTest::keyClick(Session::keyTarget(editor), Qt::Key_1);
    QCOMPARE(s.editor().text(), before + afterOne + after);
    QTest::keyClick(Session::keyTarget(editor), Qt::Key_0);
    QCOMPARE(s.editor().text(), before + afterTen + after);
    // The caret waits inside the tag, before its ">".
    QCOMPARE(s.editor().selectionStart(), before.size() + afterTen.size() - 1);
    QCOMPARE(s.inspector().row(s.rowNamed(QStringLiteral("WIDTH")))->text(1), QStringLiteral("10"));

    // Emptying the value removes the attribute at the key release.
    QTest::keyClick(Session::keyTarget(editor), Qt::Key_Backspace);
    QTest::keyClick(Session::keyTarget(editor), Qt::Key_Backspace);
    QCOMPARE(s.editor().text(), before +
                                    (upperTag ? QStringLiteral("<img src=\"a.gif\">")
                                              : QStringLiteral("<IMG SRC=\"a.gif\">")) +
                                    after);
    // One rewrite, one undo step.
    s.editor().undo();
    QCOMPARE(s.editor().text(), before + afterOne + after);

    // A text put in without a key (a paste from the context menu, a
    // character composed by an input method) is written as well.
    s.place(before + QStringLiteral("<img|>") + after);
    QWidget* alt = s.edit(QStringLiteral("ALT"));
    auto* altEdit = qobject_cast<QLineEdit*>(alt);
    QVERIFY(altEdit != nullptr);
    altEdit->insert(QStringLiteral("á"));
    QVERIFY(s.editor().text().contains(upperTag ? QStringLiteral("alt=\"á\"")
                                                : QStringLiteral("ALT=\"á\"")));

    // Typing stops a value at 1023 characters; a paste is typing too.
    altEdit->selectAll();
    altEdit->insert(QString(1100, u'w'));
    QVERIFY(s.editor().text().contains(QString(1023, u'w') + u'"'));
    QVERIFY(!s.editor().text().contains(QString(1024, u'w')));
}

void InspectorTest::valuesWithBracketsAndUndefinedAttributesKeepTheDocument()
{
    Session s;
    const QString before = QStringLiteral("<b>a</b> <i>\r\n");
    const QString after = QStringLiteral(" <br> <p>z</p>");
    s.place(before + QStringLiteral("<IMG data-x=\"7\" |SRC=\"a.gif\">") + after);
    QWidget* alt = s.edit(QStringLiteral("ALT"));
    QVERIFY(alt != nullptr);
    QTest::keyClicks(Session::keyTarget(alt), QStringLiteral("a>b<c"));
    QCOMPARE(s.editor().text(),
             before + QStringLiteral("<img data-x=\"7\" src=\"a.gif\" alt=\"a>b<c\">") + after);
    // Typing in another row after the brackets still finds the whole tag.
    QWidget* border = s.edit(QStringLiteral("BORDER"));
    QVERIFY(border != nullptr && border != alt);
    QTest::keyClicks(Session::keyTarget(border), QStringLiteral("2"));
    QTest::keyClick(Session::keyTarget(border), Qt::Key_Left);
    QCOMPARE(s.editor().text(),
             before +
                 QStringLiteral("<img data-x=\"7\" src=\"a.gif\" alt=\"a>b<c\" border=\"2\">") +
                 after);
}

void InspectorTest::html5ElementsShowTheirRowsAndFlags_data()
{
    QTest::addColumn<QString>("doctype");
    QTest::addColumn<QString>("shownControls"); // the row of the bare flag in the tag
    QTest::addColumn<QString>("result");        // after "muted" is typed into MUTED
    QTest::newRow("HTML5: flags bare")
        << QStringLiteral("<!DOCTYPE html>\r\n") << QStringLiteral("controls")
        << QStringLiteral("<video controls autoplay muted>");
    QTest::newRow("HTML 4: flags with their value, found ones as they were")
        << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n") << QString()
        << QStringLiteral("<video controls autoplay muted=\"muted\">");
}

void InspectorTest::html5ElementsShowTheirRowsAndFlags()
{
    QFETCH(QString, doctype);
    QFETCH(QString, shownControls);
    QFETCH(QString, result);
    Session s;
    const QString after = QStringLiteral("</video>");
    s.place(doctype + QStringLiteral("<video controls autoplay|>") + after);
    const QStringList names = s.rowNames();
    for (const QString& name :
         {QStringLiteral("SRC"), QStringLiteral("CONTROLS"), QStringLiteral("AUTOPLAY"),
          QStringLiteral("MUTED"), QStringLiteral("PRELOAD"), QStringLiteral("POSTER"),
          QStringLiteral("HIDDEN"), QStringLiteral("ARIA-LABEL")})
        QVERIFY2(names.contains(name), qPrintable(name));
    QCOMPARE(s.inspector().row(s.rowNamed(QStringLiteral("CONTROLS")))->text(1), shownControls);
    QCOMPARE(s.inspector().row(s.rowNamed(QStringLiteral("AUTOPLAY")))->text(1),
             shownControls.isEmpty() ? QString() : QStringLiteral("autoplay"));

    auto* preload = qobject_cast<QComboBox*>(s.edit(QStringLiteral("PRELOAD")));
    QVERIFY(preload != nullptr);
    QCOMPARE(preload->count(), 3);
    QCOMPARE(preload->itemText(1), QStringLiteral("metadata"));

    QWidget* muted = s.edit(QStringLiteral("MUTED"));
    QVERIFY(muted != nullptr);
    QTest::keyClicks(Session::keyTarget(muted), QStringLiteral("muted"));
    QCOMPARE(s.editor().text(), doctype + result + after);
}

void InspectorTest::enterUpAndDownMoveBetweenRows()
{
    Session s;
    s.place(QStringLiteral("<font |color=\"red\">x</font>"));
    TagInspector& grid = s.inspector();
    const int last = grid.rowCount() - 1;
    QVERIFY(last > 2);

    const struct
    {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to; // -1 the group row, rowCount none
    } cases[] = {
        {0, Qt::Key_Return, Qt::NoModifier, 1},
        {1, Qt::Key_Down, Qt::NoModifier, 2},
        {2, Qt::Key_Up, Qt::NoModifier, 1},
        {0, Qt::Key_Up, Qt::NoModifier, -1},
        {last, Qt::Key_Down, Qt::NoModifier, last + 1},
        {last, Qt::Key_Enter, Qt::KeypadModifier, last + 1},
        {3, Qt::Key_Down, Qt::ShiftModifier, 3},
    };
    for (const auto& c : cases) {
        grid.setCurrentItem(grid.row(c.from), 1);
        QWidget* editor = grid.valueEditor();
        QVERIFY(editor != nullptr);
        QCOMPARE(QApplication::focusWidget(), editor);
        Session::typeKey(c.key, c.modifiers);
        QCOMPARE(grid.currentRowIndex(), c.to);
        if (c.to >= 0 && c.to <= last) {
            QVERIFY(grid.valueEditor() != nullptr);
            QVERIFY(grid.row(c.to)->isSelected());
            QCOMPARE(QApplication::focusWidget(), grid.valueEditor());
        } else {
            QVERIFY(grid.valueEditor() == nullptr);
            QVERIFY(grid.selectedItems().size() == (c.to < 0 ? 1 : 0));
        }
    }
    // No key moved the tag out of shape.
    QCOMPARE(s.editor().text(), QStringLiteral("<font color=\"red\">x</font>"));
}

void InspectorTest::everyKindOfRowFollowsTheKeys_data()
{
    QTest::addColumn<QString>("document"); // the caret at "|"
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("move");        // rows the grid moves by
    QTest::addColumn<QString>("written"); // the document after the key; empty: untouched

    const QString img = QStringLiteral("<img src=\"a.gif\" alt=\"x\" align=\"top\" "
                                       "longdesc=\"d.html\"|>");
    const QString font = QStringLiteral("<font face=\"Arial\" size=\"2\"|>x</font>");
    // Each tag is written in capitals (the tag case of the test), so a key
    // released without changing the value shows by the rewritten tag.
    const auto imgTag = [](const char* src, const char* alt, const char* align,
                           const char* longdesc) {
        return QStringLiteral("<IMG SRC=\"%1\" ALT=\"%2\" ALIGN=\"%3\" LONGDESC=\"%4\">")
            .arg(QLatin1String(src), QLatin1String(alt), QLatin1String(align),
                 QLatin1String(longdesc));
    };
    const auto fontTag = [](const char* face) {
        return QStringLiteral("<FONT FACE=\"%1\" SIZE=\"2\">x</font>").arg(QLatin1String(face));
    };
    const struct
    {
        const char* kind;
        QString document;
        const char* row;
        QString afterLetter; // "q" typed (a text box starts with its value selected)
        QString afterLeft;   // the caret moved: the tag rewritten, values as they were
    } rows[] = {
        {"text", img, "ALT", imgTag("a.gif", "q", "top", "d.html"),
         imgTag("a.gif", "x", "top", "d.html")},
        {"choices", img, "ALIGN", imgTag("a.gif", "x", "topq", "d.html"),
         imgTag("a.gif", "x", "top", "d.html")},
        {"file", img, "LONGDESC", imgTag("a.gif", "x", "top", "d.htmlq"),
         imgTag("a.gif", "x", "top", "d.html")},
        {"picture", img, "SRC", imgTag("a.gifq", "x", "top", "d.html"),
         imgTag("a.gif", "x", "top", "d.html")},
        {"font", font, "FACE", fontTag("Arialq"), fontTag("Arial")},
    };
    for (const auto& r : rows) {
        const auto add = [&](const char* key, Qt::Key k, int move, const QString& written) {
            QTest::addRow("%s, %s", r.kind, key)
                << r.document << QString::fromLatin1(r.row) << int(k) << move << written;
        };
        add("Enter", Qt::Key_Return, 1, QString());
        add("Up", Qt::Key_Up, -1, QString());
        add("Down", Qt::Key_Down, 1, QString());
        add("letter", Qt::Key_Q, 0, r.afterLetter);
        add("Left", Qt::Key_Left, 0, r.afterLeft);
    }
}

void InspectorTest::everyKindOfRowFollowsTheKeys()
{
    QFETCH(QString, document);
    QFETCH(QString, row);
    QFETCH(int, key);
    QFETCH(int, move);
    QFETCH(QString, written);
    Session s(false);
    s.place(document);
    const QString untouched = s.editor().text();
    QWidget* editor = s.edit(row);
    QVERIFY(editor != nullptr);
    // The keyboard reaches the editor itself, whatever its kind.
    QCOMPARE(QApplication::focusWidget(), editor);
    const int from = s.inspector().currentRowIndex();

    Session::typeKey(Qt::Key(key));
    QCOMPARE(s.editor().text(), written.isEmpty() ? untouched : written);
    QCOMPARE(s.inspector().currentRowIndex(), from + move);
    if (move == 0) {
        QCOMPARE(s.inspector().valueEditor(), editor);
        QCOMPARE(QApplication::focusWidget(), editor);
    } else if (from + move >= 0) {
        QVERIFY(s.inspector().valueEditor() != nullptr);
        QVERIFY(s.inspector().valueEditor() != editor);
        QCOMPARE(QApplication::focusWidget(), s.inspector().valueEditor());
    } else {
        QVERIFY(s.inspector().valueEditor() == nullptr);
    }
}

void InspectorTest::longValuesStayWholeWhenPassedThrough_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("below"); // the row it is entered from
    QTest::addColumn<QString>("value");
    QString style;
    while (style.size() < 2000)
        style += QStringLiteral("margin: 0; ");
    style.truncate(2000);
    QString data = QStringLiteral("data:image/png;base64,");
    while (data.size() < 40000)
        data += QStringLiteral("iVBORw0KGgo");
    data.truncate(40000);
    QTest::newRow("2,000-character text row")
        << QStringLiteral("STYLE") << QStringLiteral("TITLE") << style;
    QTest::newRow("40,000-character picture row")
        << QStringLiteral("SRC") << QStringLiteral("ALT") << data;
}

void InspectorTest::longValuesStayWholeWhenPassedThrough()
{
    QFETCH(QString, row);
    QFETCH(QString, below);
    QFETCH(QString, value);
    Session s;
    const QString tag =
        QStringLiteral("<img %1=\"%2\" title=\"t\" alt=\"a\">").arg(row.toLower(), value);
    s.place(QStringLiteral("<p>") + tag.chopped(1) + QStringLiteral("|></p>"));
    const QString document = s.editor().text();
    QCOMPARE(s.inspector().row(s.rowNamed(row))->text(1), value);

    // Up from the row below, then on with Down: the row shows its whole
    // value and writes nothing.
    QVERIFY(s.edit(below) != nullptr);
    Session::typeKey(Qt::Key_Up);
    QCOMPARE(s.inspector().currentRowIndex(), s.rowNamed(row));
    QCOMPARE(InspectorDelegate::editorText(s.inspector().valueEditor()), value);
    Session::typeKey(Qt::Key_Down);
    QCOMPARE(s.editor().text(), document);
    QCOMPARE(s.inspector().row(s.rowNamed(row))->text(1), value);

    // A change the user makes is written with the rest of the value whole.
    QVERIFY(s.edit(row) != nullptr);
    Session::typeKey(Qt::Key_End);
    Session::typeKey(Qt::Key_Backspace);
    QCOMPARE(s.editor().text(), QString(document).replace(value, value.chopped(1)));
}

void InspectorTest::fileAndPictureEntriesAskTheFileDialog_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("tag");
    QTest::newRow("picture") << QStringLiteral("SRC") << InspectorDelegate::openImageEntry()
                             << QStringLiteral("/srv/web/Obr/Logo.GIF")
                             << QStringLiteral("<img src=\"/srv/web/obr/logo.gif\" alt=\"x\">");
    QTest::newRow("file")
        << QStringLiteral("LONGDESC") << InspectorDelegate::openFileEntry()
        << QStringLiteral("/srv/web/popis.html")
        << QStringLiteral("<img src=\"old.gif\" alt=\"x\" longdesc=\"/srv/web/popis.html\">");
    QTest::newRow("cancelled picture")
        << QStringLiteral("SRC") << InspectorDelegate::openImageEntry() << QString()
        << QStringLiteral("<img alt=\"x\">");
}

void InspectorTest::fileAndPictureEntriesAskTheFileDialog()
{
    QFETCH(QString, row);
    QFETCH(QString, entry);
    QFETCH(QString, chosen);
    QFETCH(QString, tag);
    Session s;
    s.ui.openFileNames << chosen;
    s.place(QStringLiteral("<p><img src=\"old.gif\" alt=\"x\"|></p>"));
    auto* combo = qobject_cast<QComboBox*>(s.edit(row));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->itemText(0), entry);
    // The user opens the list and picks its entry.
    QCOMPARE(QApplication::focusWidget(), combo);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(0, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_COMPARE(s.editor().text(), QStringLiteral("<p>") + tag + QStringLiteral("</p>"));
    QVERIFY(s.ui.allAnswersUsed());
    QVERIFY(s.ui.unscripted().isEmpty());
    // Picture rows open the picture dialog with its preview.
    QCOMPARE(s.ui.pictureDialogs, entry == InspectorDelegate::openImageEntry() ? 1 : 0);
    QCOMPARE(combo->currentText(), chosen.toLower());
    // The editor stayed open through the dialog.
    QCOMPARE(s.inspector().valueEditor(), combo);
}

void InspectorTest::comboChoiceIsWrittenAtOnce()
{
    Session s;
    s.place(QStringLiteral("<img |src=\"a.gif\">"));
    auto* combo = qobject_cast<QComboBox*>(s.edit(QStringLiteral("ALIGN")));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->findText(QStringLiteral("middle")), 1);
    QCOMPARE(QApplication::focusWidget(), combo);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(1, 0));
    // Enter in the open list picks the entry; it does not move to the next row.
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_COMPARE(s.editor().text(), QStringLiteral("<img src=\"a.gif\" align=\"middle\">"));
    QCOMPARE(s.inspector().currentRowIndex(), s.rowNamed(QStringLiteral("ALIGN")));
}

void InspectorTest::colourChoicesAreWrittenAtOnce_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("tag");
    QTest::newRow("none removes") << QStringLiteral("Žádná")
                                  << QStringLiteral("<font face=\"Arial\">");
    QTest::newRow("blue") << QStringLiteral("Modrá")
                          << QStringLiteral("<font color=\"#0000FF\" face=\"Arial\">");
    QTest::newRow("custom") << QStringLiteral("Vlastní...")
                            << QStringLiteral("<font color=\"#123456\" face=\"Arial\">");
}

void InspectorTest::colourChoicesAreWrittenAtOnce()
{
    QFETCH(QString, entry);
    QFETCH(QString, tag);
    Session s;
    s.ui.colorResults << QColor(0x12, 0x34, 0x56);
    s.place(QStringLiteral("<FONT color=\"red\" |face=\"Arial\">x</FONT>"));
    auto* colour = qobject_cast<ColorCombo*>(s.edit(QStringLiteral("COLOR")));
    QVERIFY(colour != nullptr);
    QCOMPARE(colour->currentText(), QStringLiteral("Červená"));
    QTest::keyClick(colour, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(colour->view()->isVisible());
    colour->view()->setCurrentIndex(colour->model()->index(colour->findText(entry), 0));
    QTest::keyClick(colour->view(), Qt::Key_Return);
    QTRY_COMPARE(s.editor().text(), tag + QStringLiteral("x</FONT>"));
    QCOMPARE(s.ui.colorRequests.size(), entry == QStringLiteral("Vlastní...") ? 1 : 0);
    QCOMPARE(s.inspector().valueEditor(), colour);
}

void InspectorTest::commandsCloseTheValueEditor()
{
    Session s;
    s.place(QStringLiteral("<img |src=\"a.gif\">"));
    QWidget* editor = s.edit(QStringLiteral("ALT"));
    QVERIFY(editor != nullptr);
    QTest::keyClicks(Session::keyTarget(editor), QStringLiteral("t"));
    s.window->commands().action(QStringLiteral("edit.undo"), ActionPlace::MainMenu)->trigger();
    QCOMPARE(s.inspector().rowCount(), 0);
    QVERIFY(s.inspector().valueEditor() == nullptr);
    QCOMPARE(s.editor().text(), QStringLiteral("<img src=\"a.gif\">"));
}

void InspectorTest::specialCharacterDoubleClickInsertsAtTheCaret()
{
    Session s;
    s.editor().setText(QStringLiteral("ab"));
    s.editor().setSelectionStart(1);
    SpecialCharacterList* list = s.window->specialCharacters();
    s.window->leftPanel()->showPage(list);
    QVERIFY(list->topLevelItemCount() > 5);
    QTreeWidgetItem* copy = list->topLevelItem(1);
    QCOMPARE(copy->text(1), QStringLiteral("&copy;"));
    QCOMPARE(copy->text(0), QStringLiteral("©"));
    QTRY_VERIFY(list->isVisible() && !list->visualItemRect(copy).isEmpty());
    const QRect rect = list->visualItemRect(copy);
    const QPoint at(rect.left() + 10, rect.center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(copy->isSelected());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(s.editor().text(), QStringLiteral("a&copy;b"));
    QCOMPARE(s.editor().selectionStart(), 7);
}

void InspectorTest::windowGoesQuietlyWithAValueEditorOpen()
{
    Session s;
    s.place(QStringLiteral("<img |src=\"a.gif\">"));
    auto* combo = qobject_cast<QComboBox*>(s.edit(QStringLiteral("ALIGN")));
    QVERIFY(combo != nullptr);
    // A text naming another entry is chosen when the list loses its focus,
    // which destroying the window causes.
    combo->setEditText(QStringLiteral("middle"));
    QCOMPARE(QApplication::focusWidget(), combo);
    s.window.reset();
    QVERIFY(s.window == nullptr);
}

QTEST_MAIN(InspectorTest)
#include "tst_inspector.moc"
