// The writing aids in the window, driven as a person drives them: keys go to
// the widget that has the keyboard, the list is Scintilla's own.

#include "app/assist/MarkupAssist.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;
using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

namespace {

// Definitions in the data file's own form (Windows-1250), kept small so the
// lists are known.
constexpr char kTagFile[] = "[!TABLE]\r\n"
                            "BORDER=STRING\r\n"
                            "WIDTH=STRING\r\n"
                            "ALIGN=COMBO|left|center|right\r\n"
                            "[!TD]\r\n"
                            "ALIGN=COMBO|left|center|right\r\n"
                            "NOWRAP=COMBO|nowrap\r\n"
                            "WIDTH=STRING\r\n"
                            "[!TEXTAREA]\r\n"
                            "NAME=STRING\r\n"
                            "[!P]\r\n"
                            "ALIGN=COMBO|left|right\r\n"
                            "[!DIV]\r\n"
                            "ID=STRING\r\n"
                            "[!BR]\r\n"
                            "CLEAR=COMBO|left|all\r\n"
                            "[SPECIAL]\r\n"
                            "value0=\x9A &scaron;\r\n"
                            "value1=\xA9 &copy;\r\n";

QWidget* keys()
{
    return QApplication::focusWidget();
}

void type(const QString& text)
{
    QTest::keyClicks(keys(), text);
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keys(), key, modifiers);
}

bool listShown(ScintillaEditor* e)
{
    return e->SendScintilla(Sci::SCI_AUTOCACTIVE) != 0;
}

QString textBeforeCaret(ScintillaEditor* e)
{
    return e->textRange(0, e->offsetFromPosition(e->SendScintilla(Sci::SCI_GETCURRENTPOS)));
}

} // namespace

class AssistTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void acceptanceWalk_data();
    void acceptanceWalk();
    void listKeys_data();
    void listKeys();
    void valuesFollowTheChosenAttribute();
    void onDemandAndEntities();
    void renameIsOneUndoStep();
    void partnerMarksFollowTheCaret();
    void eachAidCanBeTurnedOff();

private:
    // A new document, shown, with `text` and the caret at its end (or at
    // the "|" it holds), the keyboard in its editor.
    ScintillaEditor* editorWith(const QString& text);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::TestInstallation> m_installation;
    std::unique_ptr<test::FakeUiServices> m_ui;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<MainWindow> m_window;
};

void AssistTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile tags(m_dir->filePath(QStringLiteral("tag.dat")));
    QVERIFY(tags.open(QIODevice::WriteOnly));
    tags.write(kTagFile);
    tags.close();
    m_installation = std::make_unique<test::TestInstallation>(QByteArray(), tags.fileName());
    m_ui = std::make_unique<test::FakeUiServices>();
    m_context = m_installation->context(*m_ui);
    m_context->settings.docFromTemplate = false;
    m_window = std::make_unique<MainWindow>(*m_context);
    m_window->resize(900, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void AssistTest::cleanup()
{
    if (m_window)
        m_window->documents().current()->setModified(false);
    m_window.reset();
    QVERIFY(m_ui->unscripted().isEmpty());
    m_context.reset();
    m_ui.reset();
    m_installation.reset();
    m_dir.reset();
}

ScintillaEditor* AssistTest::editorWith(const QString& text)
{
    m_window->documents().newBlankDocument();
    ScintillaEditor* e = m_window->documents().current();
    if (!e)
        return nullptr;
    const qsizetype caret = text.indexOf(u'|');
    e->setText(caret < 0 ? text : QString(text).remove(caret, 1));
    e->setSelectionStart(caret < 0 ? e->length() : caret);
    m_window->activateWindow();
    e->setFocus();
    if (!QTest::qWaitFor([e] { return QApplication::focusWidget() == e; }))
        return nullptr;
    return e;
}

void AssistTest::acceptanceWalk_data()
{
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("startTag");
    QTest::newRow("lower case") << true << QStringLiteral("<table border=\"1\"");
    QTest::newRow("upper case") << false << QStringLiteral("<TABLE BORDER=\"1\"");
}

void AssistTest::acceptanceWalk()
{
    QFETCH(bool, lowerCase);
    QFETCH(QString, startTag);
    m_context->settings.upperTag = lowerCase;
    ScintillaEditor* e = editorWith(QString());
    QVERIFY(e);

    type(QStringLiteral("<ta"));
    QVERIFY(listShown(e));
    press(Qt::Key_Return);
    QVERIFY(!listShown(e));
    type(QStringLiteral(" "));
    QVERIFY(listShown(e));
    type(QStringLiteral("bo"));
    press(Qt::Key_Return);
    type(QStringLiteral("1"));
    QCOMPARE(e->text(), startTag);
    QCOMPARE(textBeforeCaret(e), startTag.chopped(1));

    // Past the closing quote, ">" closes the start tag and brings its end.
    press(Qt::Key_End);
    type(QStringLiteral(">"));
    const QString endTag = lowerCase ? QStringLiteral("</table>") : QStringLiteral("</TABLE>");
    QCOMPARE(e->text(), startTag + u">"_s + endTag);
    QCOMPARE(textBeforeCaret(e), startTag + u">"_s);

    // "</" inside a paragraph completes its end tag.
    type(QStringLiteral("<p>Ahoj"));
    QCOMPARE(e->text(), startTag + u"><p>Ahoj"_s + (lowerCase ? u"</p>"_s : u"</P>"_s) + endTag);
    e->setText(QStringLiteral("<div><p>Ahoj"));
    e->setSelectionStart(e->length());
    type(QStringLiteral("</"));
    QCOMPARE(e->text(),
             lowerCase ? QStringLiteral("<div><p>Ahoj</p>") : QStringLiteral("<div><p>Ahoj</P>"));
    QCOMPARE(textBeforeCaret(e), e->text());

    // Ctrl+M on the end tag goes to its start tag.
    e->setText(QStringLiteral("<table><tr><td>x</td></tr></table>"));
    e->setSelectionStart(e->text().indexOf(u"</table>"_s) + 4);
    press(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(textBeforeCaret(e), QStringLiteral("<"));
    press(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(textBeforeCaret(e), QStringLiteral("<table><tr><td>x</td></tr></"));
}

void AssistTest::listKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Tab inserts like Enter")
        << QStringLiteral("<te") << int(Qt::Key_Tab) << QStringLiteral("<textarea") << false;
    QTest::newRow("Escape closes the list, the text stays")
        << QStringLiteral("<ta") << int(Qt::Key_Escape) << QStringLiteral("<ta") << false;
    QTest::newRow("a letter narrows and types on")
        << QStringLiteral("<t") << int(Qt::Key_E) << QStringLiteral("<te") << true;
    QTest::newRow("a letter that fits no name closes it and types on")
        << QStringLiteral("<ta") << int(Qt::Key_X) << QStringLiteral("<tax") << false;
    QTest::newRow("a blank types on and offers the attributes")
        << QStringLiteral("<table") << int(Qt::Key_Space) << QStringLiteral("<table ") << true;
    QTest::newRow("Backspace types on")
        << QStringLiteral("<ta") << int(Qt::Key_Backspace) << QStringLiteral("<t") << true;
}

void AssistTest::listKeys()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    ScintillaEditor* e = editorWith(QString());
    QVERIFY(e);
    type(typed);
    QVERIFY(listShown(e));
    press(Qt::Key(key));
    QCOMPARE(e->text(), text);
    QCOMPARE(listShown(e), shown);
}

void AssistTest::valuesFollowTheChosenAttribute()
{
    ScintillaEditor* e = editorWith(QStringLiteral("<td width=\"5\">x</td>"));
    QVERIFY(e);
    e->setSelectionStart(13);
    type(QStringLiteral(" "));
    QVERIFY(listShown(e));
    // Width is there already: "w" fits nothing, so the list goes.
    type(QStringLiteral("w"));
    QVERIFY(!listShown(e));
    press(Qt::Key_Backspace);
    QVERIFY(!listShown(e));
    press(Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(listShown(e));
    type(QStringLiteral("al"));
    press(Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("<td width=\"5\" align=\"\">x</td>"));
    // Its values come at once.
    QTRY_VERIFY(listShown(e));
    type(QStringLiteral("c"));
    press(Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("<td width=\"5\" align=\"center\">x</td>"));
    QCOMPARE(textBeforeCaret(e), QStringLiteral("<td width=\"5\" align=\"center"));

    // In an HTML5 document a flag goes in bare and brings no values.
    e = editorWith(QStringLiteral("<!DOCTYPE html>\r\n<td "));
    QVERIFY(e);
    press(Qt::Key_Space, Qt::ControlModifier);
    type(QStringLiteral("no"));
    press(Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("<!DOCTYPE html>\r\n<td nowrap"));
    QTest::qWait(20);
    QVERIFY(!listShown(e));
}

void AssistTest::onDemandAndEntities()
{
    ScintillaEditor* e = editorWith(QStringLiteral("<p>a &sc"));
    QVERIFY(e);
    QVERIFY(!listShown(e));
    press(Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(listShown(e));
    press(Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("<p>a &scaron;"));

    // Nothing inside a comment or a script, on demand either.
    for (const QString& text : {QStringLiteral("<!-- <ta"), QStringLiteral("<script>if (a <ta")}) {
        e = editorWith(text);
        QVERIFY(e);
        press(Qt::Key_Space, Qt::ControlModifier);
        type(QStringLiteral("<"));
        QVERIFY2(!listShown(e), qPrintable(text));
        QCOMPARE(e->text(), text + u"<"_s);
    }
}

void AssistTest::renameIsOneUndoStep()
{
    ScintillaEditor* e = editorWith(QStringLiteral("<div|><div>a</div></div>"));
    QVERIFY(e);
    type(QStringLiteral("x"));
    QCOMPARE(e->text(), QStringLiteral("<divx><div>a</div></divx>"));
    press(Qt::Key_Backspace);
    press(Qt::Key_Backspace);
    QCOMPARE(e->text(), QStringLiteral("<di><div>a</div></di>"));
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("<div><div>a</div></div>"));
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("<divx><div>a</div></divx>"));
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("<div><div>a</div></div>"));

    // From an end tag the start tag follows, the caret staying in its name.
    e = editorWith(QStringLiteral("<b>x</b|>"));
    QVERIFY(e);
    type(QStringLiteral("ig"));
    QCOMPARE(e->text(), QStringLiteral("<big>x</big>"));
    QCOMPARE(textBeforeCaret(e), QStringLiteral("<big>x</big"));
}

void AssistTest::partnerMarksFollowTheCaret()
{
    ScintillaEditor* e = editorWith(QStringLiteral("<ul><!-- </ul> --><li>a</li></ul>"));
    QVERIFY(e);
    MarkupAssist* assist = MarkupAssist::of(e);
    QVERIFY(assist);
    e->setSelectionStart(2);
    QTRY_COMPARE(assist->partnerMarks().size(), 2);
    const auto marks = assist->partnerMarks();
    QCOMPARE(marks[0], (std::pair<long, long>(0, 4)));
    QCOMPARE(marks[1], (std::pair<long, long>(28, 5)));
    // The indicator is really in the text there, and nowhere else.
    for (long p = 0; p < e->SendScintilla(Sci::SCI_GETLENGTH); ++p) {
        const bool marked = (p < 4) || (p >= 28 && p < 33);
        QCOMPARE(e->SendScintilla(Sci::SCI_INDICATORVALUEAT, MarkupAssist::kPartnerIndicator, p) !=
                     0,
                 marked);
    }
    // Into text: the marks go.
    press(Qt::Key_End);
    QTRY_VERIFY(assist->partnerMarks().isEmpty());
    for (long p = 0; p < e->SendScintilla(Sci::SCI_GETLENGTH); ++p)
        QCOMPARE(e->SendScintilla(Sci::SCI_INDICATORVALUEAT, MarkupAssist::kPartnerIndicator, p),
                 0L);
}

void AssistTest::eachAidCanBeTurnedOff()
{
    m_context->settings.completeMarkup = false;
    m_context->settings.autoCloseTags = false;
    m_context->settings.renamePartnerTag = false;
    m_context->settings.highlightPartnerTag = false;
    ScintillaEditor* e = editorWith(QStringLiteral("<div><p>"));
    QVERIFY(e);
    type(QStringLiteral("<ta"));
    QVERIFY(!listShown(e));
    press(Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!listShown(e));
    type(QStringLiteral(">x</"));
    QCOMPARE(e->text(), QStringLiteral("<div><p><ta>x</"));
    e->setText(QStringLiteral("<div>a</div>"));
    e->setSelectionStart(4);
    type(QStringLiteral("x"));
    QCOMPARE(e->text(), QStringLiteral("<divx>a</div>"));
    QTest::qWait(20);
    QVERIFY(MarkupAssist::of(e)->partnerMarks().isEmpty());
}

QTEST_MAIN(AssistTest)
#include "tst_assist.moc"
