// The frameset, frame and inline frame dialogs through their openers and OK
// on a real editor.

#include "DialogFixture.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/FrameDialogs.h"
#include "app/services/ColorCombo.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

enum class Kind { Frameset, Frame, InlineFrame };

using Fields = QList<std::pair<QString, QString>>;

} // namespace

class TestFrameDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f;

    ElementDialog& open(Kind kind)
    {
        switch (kind) {
        case Kind::Frameset:
            openFramesetDialog(*f->dialogs);
            return f->dialogs->get<FramesetDialog>();
        case Kind::Frame:
            openFrameDialog(*f->dialogs);
            return f->dialogs->get<FrameDialog>();
        case Kind::InlineFrame:
            break;
        }
        openInlineFrameDialog(*f->dialogs);
        return f->dialogs->get<InlineFrameDialog>();
    }

private slots:
    void init() { f = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f.reset(); }

    // Every field filled (in screen order): OK writes them in the dialog's own
    // order. A frameset wraps the selection; a frame and an inline frame are
    // a start tag alone in place of it.
    void insertWritesTheFieldsInOrder_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("caretBefore");
        QTest::newRow("frameset")
            << Kind::Frameset << u"Vložit rámce"_s
            << Fields{{u"edRows"_s, u"50%,*"_s},      {u"edCols"_s, u"*"_s},
                      {u"cmbFrameBorder"_s, u"no"_s}, {u"edFrameSpacing"_s, u"2"_s},
                      {u"edBorder"_s, u"1"_s},        {u"cbBorderColor"_s, u"red"_s}}
            << u"[<FRAMESET ROWS=\"50%,*\" COLS=\"*\" FRAMEBORDER=\"no\" BORDER=\"1\" "
               "BORDERCOLOR=\"#FF0000\" FRAMESPACING=\"2\">sel</FRAMESET>]"_s
            << u"</FRAMESET>"_s;
        QTest::newRow("frame")
            << Kind::Frame << u"Vložit rám"_s
            << Fields{{u"edSource"_s, u"a.html"_s},   {u"edName"_s, u"hlavni"_s},
                      {u"cmbScrolling"_s, u"auto"_s}, {u"edSpacing"_s, u"3"_s},
                      {u"edMarginWidth"_s, u"4"_s},   {u"edMarginHeight"_s, u"5"_s},
                      {u"cmbFrameBorder"_s, u"0"_s},  {u"ccBorderColor"_s, u"navy"_s}}
            << u"[<FRAME SRC=\"a.html\" NAME=\"hlavni\" SCROLLING=\"auto\" FRAMESPACING=\"3\" "
               "MARGINWIDTH=\"4\" MARGINHEIGHT=\"5\" FRAMEBORDER=\"0\" BORDERCOLOR=\"#000080\">]"_s
            << u"]"_s;
        QTest::newRow("inline frame")
            << Kind::InlineFrame << u"Vložit i. rám"_s
            << Fields{{u"edSource"_s, u"a.html"_s},  {u"edName"_s, u"i"_s},
                      {u"cmbScrolling"_s, u"no"_s},  {u"cmbAlign"_s, u"left"_s},
                      {u"edWidth"_s, u"100"_s},      {u"edHeight"_s, u"50"_s},
                      {u"edMarginHeight"_s, u"1"_s}, {u"edMarginWidth"_s, u"2"_s}}
            << u"[<IFRAME SRC=\"a.html\" NAME=\"i\" SCROLLING=\"no\" ALIGN=\"left\" WIDTH=\"100\" "
               "HEIGHT=\"50\" MARGINWIDTH=\"2\" MARGINHEIGHT=\"1\">]"_s
            << u"]"_s;
    }
    void insertWritesTheFieldsInOrder()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, caption);
        QFETCH(Fields, fields);
        QFETCH(QString, expected);
        QFETCH(QString, caretBefore);
        f->setText(u"[sel]"_s, 1, 3);
        ElementDialog& dialog = open(kind);
        QCOMPARE(dialog.windowTitle(), caption);
        for (const auto& [name, value] : fields) {
            QVERIFY2(dialog.field(name) != nullptr, qPrintable(name));
            dialog.setFieldText(name, value);
        }
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.lastIndexOf(caretBefore));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.fieldText(fields.constFirst().first).isEmpty());
    }

    void emptyDialogsWriteBareTags_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("frameset wraps") << Kind::Frameset << u"a<FRAMESET>x</FRAMESET>b"_s;
        QTest::newRow("frame") << Kind::Frame << u"a<FRAME>b"_s;
        QTest::newRow("inline frame") << Kind::InlineFrame << u"a<IFRAME>b"_s;
    }
    void emptyDialogsWriteBareTags()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, expected);
        f->setText(u"axb"_s, 1, 1);
        QVERIFY(open(kind).runOk());
        QCOMPARE(f->editor->text(), expected);
    }

    // The edit-tag command: the row's caption, the fields filled, only the
    // start tag rewritten, attributes without a field kept in place.
    void editRewritesTheStartTag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("newValue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("frameset") << u"<frameset id=\"f\" rows=\"*,*\"><frame></frameset>"_s
                                  << u"Upravit rámce"_s << u"edRows"_s << u"*,*"_s << u"20%,*"_s
                                  << u"<FRAMESET ID=\"f\" ROWS=\"20%,*\"><frame></frameset>"_s;
        QTest::newRow("frame colour by name")
            << u"<frame src=\"a.html\" bordercolor=\"navy\" noresize>"_s << u"Upravit rám"_s
            << u"ccBorderColor"_s << u"#000080"_s << u"#000080"_s
            << u"<FRAME SRC=\"a.html\" BORDERCOLOR=\"#000080\" NORESIZE>"_s;
        QTest::newRow("inline frame emptied field")
            << u"<iframe src=\"a.html\" name=\"n\" title=\"t\"></iframe>"_s << u"Upravit i. rám"_s
            << u"edName"_s << u"n"_s << QString()
            << u"<IFRAME SRC=\"a.html\" TITLE=\"t\"></iframe>"_s;
    }
    void editRewritesTheStartTag()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QFETCH(QString, newValue);
        QFETCH(QString, expected);
        f->setText(text);
        QVERIFY(f->dialogs->openForEditTag(f->findTag(2)));
        auto* dialog = qobject_cast<ElementDialog*>(f->shown);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->fieldText(field), shown);
        dialog->setFieldText(field, newValue);
        QVERIFY(dialog->runOk());
        QCOMPARE(f->editor->text(), expected);
        QCOMPARE(f->editor->selectionStart(), expected.indexOf(u'>') + 1);
    }

    void frameColourFieldShowsTheNamedEntry()
    {
        f->setText(u"<frame bordercolor=\"navy\">"_s);
        QVERIFY(f->dialogs->openForEditTag(f->findTag(2)));
        QCOMPARE(f->dialogs->get<FrameDialog>().colorField(u"ccBorderColor")->currentText(),
                 u"Námořnická modř"_s);
    }

    // The frame's button opens the picture dialog, the inline frame's the
    // general one; the picked file goes in as a link path.
    void browseButtonsPutTheLinkPath_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("sharedDialog");
        QTest::newRow("frame: pictures") << Kind::Frame << u"Otevřít obrázek"_s << false;
        QTest::newRow("inline frame: the shared dialog") << Kind::InlineFrame << QString() << true;
    }
    void browseButtonsPutTheLinkPath()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, caption);
        QFETCH(bool, sharedDialog);
        const QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath(u"stranka.html"_s)).open(QIODevice::WriteOnly));
        f->documentPath = dir.filePath(u"stranka.html"_s);
        f->ui.openFileNames = {dir.filePath(u"obr/Nahled.GIF"_s)};
        ElementDialog& dialog = open(kind);
        auto* button = dialog.findChild<QToolButton*>(u"btnOpenImage"_s);
        QVERIFY(button != nullptr);
        QCOMPARE(button->toolTip(), u"Otevřít obrázek"_s);
        button->click();
        QCOMPARE(dialog.fieldText(u"edSource"), u"obr/nahled.gif"_s);
        QCOMPARE(f->ui.openCaptions, QStringList{caption});
        QCOMPARE(f->ui.openFilters.constFirst() == f->userFilter, sharedDialog);
    }

    void frameButtonsKeepTheirNames()
    {
        FrameDialog& dialog = f->dialogs->get<FrameDialog>();
        QCOMPARE(dialog.windowTitle(), u"frmFrame"_s);
        QCOMPARE(dialog.okButton()->objectName(), u"Button1"_s);
        QCOMPARE(dialog.cancelButton()->objectName(), u"Button2"_s);
    }
};

} // namespace qw

QTEST_MAIN(qw::TestFrameDialogs)
#include "tst_framedialogs.moc"
