// The element dialogs on a real window and a real editor: the openers of the
// tool bars and menus, F4 on the tag under the caret, and each dialog's OK
// through its own logic (the dialogs are never run modally here: the show
// hook fills the fields and presses OK, Storno or nothing). Also what every
// dialog shares: fields announced by their labels, Tab through memos, whole
// page captions and long values, and the picture file dialog's preview.
#include "app/editor/ScintillaEditor.h"
#include "app/elements/AppletDialog.h"
#include "app/elements/BodyDialog.h"
#include "app/elements/ColorsDialog.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FontDialog.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/FormDialog.h"
#include "app/elements/FrameDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/ListDialog.h"
#include "app/elements/NewPageDialog.h"
#include "app/elements/PopupWindowDialog.h"
#include "app/elements/QuickTableDialog.h"
#include "app/elements/ScriptDialog.h"
#include "app/elements/TableDialogs.h"
#include "app/elements/TextAreaDialog.h"
#include "app/services/ActionRegistry.h"
#include "app/services/ColorCombo.h"
#include "app/services/PictureFileDialog.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "app/usertags/UserTagDialog.h"
#include "app/usertags/UserTagPanel.h"
#include "support/FakeUiServices.h"
#include "support/TabBarChecks.h"
#include "support/TestInstallation.h"
// The JPEG fixture is the decoder tests' own.
#include "../../core/support/TestJpeg.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <functional>
#include <jpeglib.h>
#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;

namespace {

// The dialog's fields as the user leaves them: control name and text.
using Edits = QList<std::pair<QString, QString>>;

using Installation = qw::test::TestInstallation;

struct Session
{
    Installation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    // What the show hook saw, and what it does with the dialog.
    QList<QDialog*> shown;
    std::function<void(ElementDialog&)> onShow;

    explicit Session(bool lowerCase = true)
    {
        context = inst.context(ui);
        context->settings.upperTag = lowerCase;
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->elementDialogs().setShowHook([this](QDialog& d) {
            shown << &d;
            if (onShow)
                onShow(static_cast<ElementDialog&>(d));
        });
    }
    ScintillaEditor& editor() { return *window->documents().current(); }
    void trigger(const QString& id)
    {
        const QList<QAction*> places = window->commands().actions(id);
        QVERIFY2(!places.isEmpty(), qPrintable(id));
        QAction* a = places.constFirst();
        QVERIFY2(a->isEnabled(), qPrintable(id));
        a->trigger();
    }
    // Puts the caret at offset and lets a key release find the tag, as typing does.
    void caretAt(const QString& text, qsizetype offset)
    {
        editor().setText(text);
        editor().setSelectionStart(offset);
        QTest::keyRelease(&editor(), Qt::Key_Shift);
    }
    // The shortcut acts on the press; a release would search the tag again.
    void pressF4() { QTest::keyPress(&editor(), Qt::Key_F4); }
};

void applyEdits(ElementDialog& d, const Edits& edits)
{
    for (const auto& [name, text] : edits) {
        QVERIFY2(d.field(name) != nullptr, qPrintable(name));
        d.setFieldText(name, text);
    }
}

// "[" and "]" mark the selection, "|" the caret.
void load(ScintillaEditor& e, QString text)
{
    const qsizetype open = text.indexOf(u'[');
    if (open >= 0) {
        text.remove(open, 1);
        const qsizetype close = text.indexOf(u']');
        text.remove(close, 1);
        e.setText(text);
        e.setSelectionStart(open);
        e.setSelectionLength(close - open);
        return;
    }
    const qsizetype caret = text.indexOf(u'|');
    text.remove(caret, 1);
    e.setText(text);
    e.setSelectionStart(caret);
}

QString withCaret(ScintillaEditor& e)
{
    QString text = e.text();
    text.insert(e.selectionStart(), u'|');
    return text;
}

// A one-colour GIF. Every pixel code follows a clear code, so the codes stay
// three bits wide and no dictionary is needed.
QByteArray gifBytes(int width, int height)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char((v >> 8) & 0xFF));
    };
    word(width);
    word(height);
    gif.append(char(0x80)); // a global table of two colours
    gif.append(char(0));
    gif.append(char(0));
    gif.append(QByteArray("\x20\x40\x60\xff\xff\xff", 6));
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append(char(0));
    gif.append(char(2)); // minimum code size: clear = 4, end = 5
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](quint32 c) {
        bits |= c << count;
        count += 3;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < width * height; ++i) {
        code(4);
        code(0);
    }
    code(5);
    if (count > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append(char(0));
    gif.append(';');
    return gif;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every dialog of the program that has fields: the element dialogs as the
// window makes them, the colour palette and "Vlastní tag".
QList<QDialog*> everyDialog(Session& s)
{
    ElementDialogs& all = s.window->elementDialogs();
    return {&all.get<LinkDialog>(),        &all.get<ImageDialog>(),
            &all.get<BodyDialog>(),        &all.get<TableDialog>(),
            &all.get<RowDialog>(),         &all.get<CellDialog>(),
            &all.get<QuickTableDialog>(),  &all.get<FontDialog>(),
            &all.get<LineDialog>(),        &all.get<ListDialog>(),
            &all.get<ColorsDialog>(),      &all.get<FramesetDialog>(),
            &all.get<FrameDialog>(),       &all.get<InlineFrameDialog>(),
            &all.get<FormDialog>(),        &all.get<FormControlDialog>(),
            &all.get<TextAreaDialog>(),    &all.get<ScriptDialog>(),
            &all.get<PopupWindowDialog>(), &all.get<AppletDialog>(),
            &all.get<NewPageDialog>(),     s.window->userTagPanel()->dialog()};
}

// The widgets of a dialog a user fills in or ticks.
QList<QWidget*> inputFields(const QDialog& d)
{
    QList<QWidget*> fields;
    for (QWidget* w : d.findChildren<QWidget*>()) {
        const bool partOfAnother = qobject_cast<QComboBox*>(w->parentWidget()) != nullptr ||
                                   qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr;
        if (partOfAnother)
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            fields << w;
    }
    return fields;
}

QString announcedName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

// A picture file of each kind the previews read, and files they must refuse.
QByteArray svgBytes(int width, int height)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                          "height=\"%2\"><rect width=\"%1\" height=\"%2\" fill=\"red\"/></svg>")
        .arg(width)
        .arg(height)
        .toUtf8();
}

QByteArray pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class ElementDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void openersWriteTheirElement_data();
    void openersWriteTheirElement();
    void editTagOpensTheTagsDialog_data();
    void editTagOpensTheTagsDialog();
    void editTagRewritesOnlyTheStartTag_data();
    void editTagRewritesOnlyTheStartTag();
    void stornoWritesNothingAndEveryCloseClears();
    void imageDialogRefusesWithoutAnyAddress();
    void sizePresetsFollowTheChosenPicture_data();
    void sizePresetsFollowTheChosenPicture();
    void brokenPictureGivesAnEmptyPreview();
    void linkBrowseTakesThePathUnchanged();
    void bodyPreviewFollowsTheColourFields();
    void focusedFieldTurnsLightYellow();
    void everyFieldIsNamedByItsLabel();
    void everyFieldIsAnnouncedByItsLabel();
    void tabLeavesEveryMemo_data();
    void tabLeavesEveryMemo();
    void pageCaptionsAreWhole_data();
    void pageCaptionsAreWhole();
    void longValuesSurviveTheDialog_data();
    void longValuesSurviveTheDialog();
    void picturePreviewShowsWhatItCanRead_data();
    void picturePreviewShowsWhatItCanRead();
    void pictureDialogShowsThePreviewBesideItsList();
    void quickTableAndWizardKeepTheirValues();
};

void ElementDialogsTest::openersWriteTheirElement_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("before");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("caption");

    QTest::newRow("link around the selection")
        << u"tag.link"_s << u"x [word] y"_s
        << Edits{{u"cmbHREF"_s, u"b.html"_s}, {u"cmbTarget"_s, u"_blank"_s}}
        << u"x <a href=\"b.html\" target=\"_blank\">word|</a> y"_s << u"Vložit odkaz"_s;
    QTest::newRow("link with nothing selected and empty fields")
        << u"tag.link"_s << u"ab|cd"_s << Edits{} << u"ab<a>|</a>cd"_s << u"Vložit odkaz"_s;
    QTest::newRow("link text edited in the dialog")
        << u"tag.link"_s << u"[old]"_s << Edits{{u"Memo1"_s, u"new"_s}, {u"edTitle"_s, u"T"_s}}
        << u"<a title=\"T\">new|</a>"_s << u"Vložit odkaz"_s;
    QTest::newRow("image replaces the selection")
        << u"tag.image"_s << u"a[sel]b"_s
        << Edits{{u"cmbImage"_s, u"p.gif"_s}, {u"edALT"_s, u"Pes"_s}, {u"edBorder"_s, u"0"_s}}
        << u"a<img src=\"p.gif\" alt=\"Pes\" border=\"0\">|b"_s << u"Vložit obrázek"_s;
    QTest::newRow("image with only a dynamic source")
        << u"tag.image"_s << u"|"_s
        << Edits{{u"cmbDynSrc"_s, u"m.avi"_s}, {u"cmbLoop"_s, u"infinite"_s}}
        << u"<img dynsrc=\"m.avi\" loop=\"infinite\">|"_s << u"Vložit obrázek"_s;
    QTest::newRow("body without colours wraps the selection")
        << u"tag.body"_s << u"[text]"_s << Edits{} << u"<body>text|</body>"_s
        << u"Tělo dokumentu"_s;
    QTest::newRow("body in the dialog's order")
        << u"tag.body"_s << u"|"_s
        << Edits{{u"edTopMargin"_s, u"0"_s},
                 {u"ColorCombo3"_s, u"blue"_s},
                 {u"ColorCombo1"_s, u"#ffffff"_s},
                 {u"cmbBackground"_s, u"bg.gif"_s}}
        << u"<body background=\"bg.gif\" bgcolor=\"#FFFFFF\" link=\"#0000FF\" topmargin=\"0\">|</body>"_s
        << u"Tělo dokumentu"_s;
    QTest::newRow("table")
        << u"tag.tableDialog"_s << u"[c]"_s
        << Edits{{u"ColorCombo2"_s, u"red"_s},
                 {u"edCellspacing"_s, u"2"_s},
                 {u"edWidth"_s, u"100%"_s},
                 {u"cmbAlign"_s, u"center"_s}}
        << u"<table width=\"100%\" align=\"center\" cellspacing=\"2\" bordercolor=\"#FF0000\">c|</table>"_s
        << u"Vložit tabulku"_s;
    QTest::newRow("row") << u"tag.rowDialog"_s << u"|"_s
                         << Edits{{u"cmbVALIGN"_s, u"top"_s}, {u"edWidth"_s, u"5"_s}}
                         << u"<tr width=\"5\" valign=\"top\">|</tr>"_s << u"Vložit řádek"_s;
    QTest::newRow("cell") << u"tag.cellDialog"_s << u"|"_s
                          << Edits{{u"edColSpan"_s, u"2"_s},
                                   {u"edHeight"_s, u"9"_s},
                                   {u"ColorCombo1"_s, u"#123456"_s}}
                          << u"<td height=\"9\" colspan=\"2\" bgcolor=\"#123456\">|</td>"_s
                          << u"Vložit buňku"_s;
    QTest::newRow("header cell around a word")
        << u"tag.headerDialog"_s << u"a [word] b"_s << Edits{} << u"a <th>word|</th> b"_s
        << u"Vložit hlavičku tabulky"_s;
    QTest::newRow("quick table with its defaults")
        << u"tag.insertTable"_s << u"[x]"_s << Edits{}
        << u"<table border=\"1\" cellpadding=\"1\" cellspacing=\"2\">\r\n"
           "  <tr>\r\n    <td>&nbsp;</td>\r\n    <td>&nbsp;</td>\r\n  </tr>\r\n"
           "  <tr>\r\n    <td>&nbsp;</td>\r\n    <td>&nbsp;</td>\r\n  </tr>\r\n"
           "</table>\r\n|"_s
        << u"Vložit tabulku"_s;
    QTest::newRow("quick table puts the alignment first")
        << u"tag.insertTable"_s << u"|"_s
        << Edits{{u"cmbAlign"_s, u"center"_s}, {u"SpinEdit1"_s, u"1"_s}, {u"SpinEdit2"_s, u"1"_s}}
        << u"<table align=\"center\" border=\"1\" cellpadding=\"1\" cellspacing=\"2\">\r\n"
           "  <tr>\r\n    <td>&nbsp;</td>\r\n  </tr>\r\n</table>\r\n|"_s
        << u"Vložit tabulku"_s;
    QTest::newRow("wizard into the current document")
        << u"file.wizard"_s << u"[x]"_s
        << Edits{{u"chbNewDoc"_s, QString()}, {u"edTitle"_s, u"Titul"_s}}
        << u"<html>\r\n<head>\r\n<title>Titul</title>\r\n"
           "<meta name=\"GENERATOR\" content=\"Quenwick 1.0\">\r\n</head>\r\n<body>\r\n\r\n\r\n"
           "</body>\r\n</html>\r\n|"_s
        << u"Nový dokument"_s;
}

void ElementDialogsTest::openersWriteTheirElement()
{
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(Edits, edits);
    QFETCH(QString, after);
    QFETCH(QString, caption);

    Session s;
    // A tag under the caret must not leak its attributes into a new element.
    s.caretAt(u"<font color=\"red\" size=\"2\">"_s, 3);
    QVERIFY(s.window->caretTag().attributes.holdsTag());
    load(s.editor(), before);
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(d.mode(), ElementMode::Insert);
        QCOMPARE(d.windowTitle(), caption);
        applyEdits(d, edits);
        QVERIFY(d.runOk());
    };
    s.trigger(command);
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(withCaret(s.editor()), after);
    QCOMPARE(s.editor().selectionLength(), 0);
    QVERIFY(s.ui.notices.isEmpty());
}

void ElementDialogsTest::editTagOpensTheTagsDialog_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tag"); // what F4 selects
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("filled");

    QTest::newRow("A") << u"<a href=\"i.html\">L</a>"_s << u"<a href=\"i.html\">"_s
                       << u"qw::LinkDialog"_s << u"Upravit odkaz"_s << u"cmbHREF"_s << u"i.html"_s;
    QTest::newRow("IMG") << u"<img src=p.gif alt=\"Pes\">"_s << u"<img src=p.gif alt=\"Pes\">"_s
                         << u"qw::ImageDialog"_s << u"Upravit obrázek"_s << u"edALT"_s << u"Pes"_s;
    QTest::newRow("BODY") << u"<BODY BGCOLOR=\"#ffffff\">"_s << u"<BODY BGCOLOR=\"#ffffff\">"_s
                          << u"qw::BodyDialog"_s << u"Tělo dokumentu"_s << u"ColorCombo1"_s
                          << u"#FFFFFF"_s;
    QTest::newRow("TABLE") << u"<table border=0>"_s << u"<table border=0>"_s << u"qw::TableDialog"_s
                           << u"Upravit tabulku"_s << u"edBorder"_s << u"0"_s;
    QTest::newRow("TR") << u"<tr valign=top>"_s << u"<tr valign=top>"_s << u"qw::RowDialog"_s
                        << u"Upravit řádek tabulky"_s << u"cmbVALIGN"_s << u"top"_s;
    QTest::newRow("TD") << u"<td rowspan=2 colspan=3 nowrap>x</td>"_s
                        << u"<td rowspan=2 colspan=3 nowrap>"_s << u"qw::CellDialog"_s
                        << u"Upravit buňku"_s << u"edColSpan"_s << u"3"_s;
    QTest::newRow("TH") << u"<th width=\"10\">"_s << u"<th width=\"10\">"_s << u"qw::CellDialog"_s
                        << u"Upravit hlavičku tabulky"_s << u"edWidth"_s << u"10"_s;
    QTest::newRow("a bare attribute fills nothing")
        << u"<td width=\"5\" width>"_s << u"<td width=\"5\" width>"_s << u"qw::CellDialog"_s
        << u"Upravit buňku"_s << u"edWidth"_s << QString();
    QTest::newRow("end tag") << u"</a>"_s << u"</a>"_s << QString() << QString() << QString()
                             << QString();
    QTest::newRow("comment") << u"<!-- note -->"_s << u"<!-- note -->"_s << QString() << QString()
                             << QString() << QString();
    QTest::newRow("element without dialog")
        << u"<b>"_s << u"<b>"_s << QString() << QString() << QString() << QString();
}

void ElementDialogsTest::editTagOpensTheTagsDialog()
{
    QFETCH(QString, text);
    QFETCH(QString, tag);
    QFETCH(QString, dialog);
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, filled);

    Session s;
    s.caretAt(text, 2);
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(QString::fromLatin1(d.metaObject()->className()), dialog);
        QCOMPARE(d.mode(), ElementMode::Edit);
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(d.fieldText(field), filled);
        // The old tag stays selected while the dialog is open.
        QCOMPARE(s.editor().selectedText(), tag);
    };
    s.pressF4();
    QCOMPARE(s.shown.size(), dialog.isEmpty() ? 0 : 1);
    QCOMPARE(s.editor().selectedText(), tag);
    QCOMPARE(s.editor().text(), text);
    if (dialog == u"qw::LinkDialog") {
        auto* link = static_cast<LinkDialog*>(s.shown.constFirst());
        QVERIFY(link->groupBox(u" Text odkazu "_s)->isHidden());
    }
}

void ElementDialogsTest::editTagRewritesOnlyTheStartTag_data()
{
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("after");

    QTest::newRow("cell, lower case")
        << true << u"<td rowspan=2 colspan=3 nowrap>c</td>"_s << Edits{{u"edWidth"_s, u"40"_s}}
        << u"<td rowspan=\"2\" colspan=\"3\" nowrap width=\"40\">|c</td>"_s;
    QTest::newRow("cell, upper case")
        << false << u"<td rowspan=2 colspan=3 nowrap>c</td>"_s << Edits{{u"edWidth"_s, u"40"_s}}
        << u"<TD ROWSPAN=\"2\" COLSPAN=\"3\" NOWRAP WIDTH=\"40\">|c</td>"_s;
    QTest::newRow("link: emptied HREF goes, TITLE and NAME stay, TARGET appended")
        << true << u"<a href=\"x.html\" title=\"t\" name=\"n\">L</a>"_s
        << Edits{{u"cmbHREF"_s, QString()}, {u"cmbTarget"_s, u"_blank"_s}}
        << u"<a title=\"t\" name=\"n\" target=\"_blank\">|L</a>"_s;
    QTest::newRow("row keeps its hidden border")
        << true << u"<tr border=1>"_s << Edits{{u"cmbAlign"_s, u"center"_s}}
        << u"<tr border=\"1\" align=\"center\">|"_s;
    QTest::newRow("body colour written back as the field's value")
        << true << u"<body bgcolor=\"#ffffff\" onload=\"go()\">"_s << Edits{}
        << u"<body bgcolor=\"#FFFFFF\" onload=\"go()\">|"_s;
    QTest::newRow("image keeps unknown attributes")
        << true << u"<img src=\"a.gif\" usemap=\"#m\" alt=\"\">"_s << Edits{{u"edWidth"_s, u"10"_s}}
        << u"<img src=\"a.gif\" usemap=\"#m\" width=\"10\">|"_s;
    QTest::newRow("header cell stays a header cell")
        << true << u"<th>h</th>"_s << Edits{{u"cmbAlign"_s, u"left"_s}}
        << u"<th align=\"left\">|h</th>"_s;
}

void ElementDialogsTest::editTagRewritesOnlyTheStartTag()
{
    QFETCH(bool, lowerCase);
    QFETCH(QString, text);
    QFETCH(Edits, edits);
    QFETCH(QString, after);

    Session s(lowerCase);
    s.caretAt(text, 2);
    s.onShow = [&](ElementDialog& d) {
        applyEdits(d, edits);
        QVERIFY(d.runOk());
    };
    s.pressF4();
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(withCaret(s.editor()), after);
    QCOMPARE(s.editor().selectionLength(), 0);
}

void ElementDialogsTest::stornoWritesNothingAndEveryCloseClears()
{
    Session s;
    const QString text = u"x <a href=\"i.html\" title=\"t\">L</a>"_s;
    s.caretAt(text, 4);
    s.onShow = [&](ElementDialog& d) {
        d.setFieldText(u"cmbHREF", u"changed.html"_s);
        d.reject();
    };
    s.pressF4();
    QCOMPARE(s.editor().text(), text);
    QCOMPARE(s.editor().selectedText(), u"<a href=\"i.html\" title=\"t\">"_s);
    QCOMPARE(s.window->caretTag().attributes.attributes().size(), 2);
    auto& link = s.window->elementDialogs().get<LinkDialog>();
    for (const char* name : {"cmbHREF", "cmbTarget", "edTitle", "Memo1"})
        QCOMPARE(link.fieldText(QString::fromLatin1(name)), QString());

    // After OK as well: the next insert starts empty although its opener
    // does not clear.
    s.editor().setText(QString());
    s.onShow = [&](ElementDialog& d) {
        d.setFieldText(u"edWidth", u"7"_s);
        d.setFieldText(u"ColorCombo4", u"red"_s);
        QVERIFY(d.runOk());
    };
    s.trigger(u"tag.tableDialog"_s);
    QCOMPARE(s.editor().text(), u"<table width=\"7\" bordercolordark=\"#FF0000\"></table>"_s);
    auto& table = s.window->elementDialogs().get<TableDialog>();
    QCOMPARE(table.fieldText(u"edWidth"), QString());
    QCOMPARE(table.colorField(u"ColorCombo4")->currentIndex(), 1);
}

void ElementDialogsTest::imageDialogRefusesWithoutAnyAddress()
{
    Session s;
    load(s.editor(), u"a[b]c"_s);
    bool refused = false;
    s.onShow = [&](ElementDialog& d) {
        d.setFieldText(u"edALT", u"Pes"_s);
        refused = !d.runOk();
        QCOMPARE(d.fieldText(u"edALT"), u"Pes"_s);
    };
    s.trigger(u"tag.image"_s);
    QVERIFY(refused);
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices.at(0).text, u"Prosím vyberte si obrázek!"_s);
    QCOMPARE(s.ui.notices.at(0).icon, UiServices::Icon::Information);
    QCOMPARE(s.editor().text(), u"abc"_s);
    QCOMPARE(s.editor().selectedText(), u"b"_s);
}

void ElementDialogsTest::sizePresetsFollowTheChosenPicture_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("JPEG through libjpeg") << u"pes.jpg"_s;
    QTest::newRow("PNG") << u"pes.png"_s;
    QTest::newRow("GIF") << u"pes.gif"_s;
}

void ElementDialogsTest::sizePresetsFollowTheChosenPicture()
{
    QFETCH(QString, fileName);
    Session s;
    // A saved document, so the picked picture becomes a relative link.
    const QString page = s.inst.path(u"index.html"_s);
    writeFile(page, "x");
    QVERIFY(s.window->documents().openDocument(page));
    const QString picture = s.inst.path(fileName);
    if (fileName.endsWith(u".jpg"))
        writeFile(picture, qw::test::encodeTestJpeg(101, 51));
    else if (fileName.endsWith(u".gif"))
        writeFile(picture, gifBytes(101, 51));
    else
        QVERIFY(QImage(101, 51, QImage::Format_RGB32).save(picture));

    s.ui.openFileNames << picture;
    s.onShow = [&](ElementDialog& d) {
        auto& image = static_cast<ImageDialog&>(d);
        image.browse(u"cmbImage");
        QCOMPARE(s.ui.openCaptions.value(0), u"Otevřít obrázek"_s);
        QCOMPARE(s.ui.pictureDialogs, 1);
        QCOMPARE(image.fieldText(u"cmbImage"), fileName.toLower());
        QCOMPARE(image.preview()->pixmap().size(), QSize(101, 51));
        const struct
        {
            int percent;
            const char* width;
            const char* height;
        } presets[] = {{50, "50", "25"}, {200, "202", "102"}, {100, "101", "51"}};
        QCOMPARE(image.fieldText(u"edWidth"), u"101"_s);
        QCOMPARE(image.fieldText(u"edHeight"), u"51"_s);
        for (const auto& p : presets) {
            image.applySizePreset(p.percent);
            QCOMPARE(image.fieldText(u"edWidth"), QString::fromLatin1(p.width));
            QCOMPARE(image.fieldText(u"edHeight"), QString::fromLatin1(p.height));
            QCOMPARE(image.preview()->pixmap().width(), QString::fromLatin1(p.width).toInt());
        }
        QCOMPARE(image.presetMenu()->actions().size(), 3);
        QVERIFY(image.runOk());
        QVERIFY(image.preview()->pixmap().isNull()); // closing empties the preview
    };
    s.trigger(u"tag.image"_s);
    QCOMPARE(s.editor().line(0),
             u"<img src=\""_s + fileName.toLower() + u"\" width=\"101\" height=\"51\">x"_s);

    // Editing that tag later shows the picture again, resolved against the
    // document's folder.
    s.caretAt(s.editor().text(), 3);
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(static_cast<ImageDialog&>(d).preview()->pixmap().size(), QSize(101, 51));
    };
    s.pressF4();
    QCOMPARE(s.shown.size(), 2);
}

void ElementDialogsTest::brokenPictureGivesAnEmptyPreview()
{
    Session s;
    const QByteArray jpeg = qw::test::encodeTestJpeg(101, 51);
    const struct
    {
        const char* name;
        QByteArray bytes;
    } files[] = {{"cut.jpg", jpeg.left(jpeg.size() / 2)},
                 {"header.jpg", jpeg.left(30)},
                 {"empty.gif", QByteArray()},
                 {"noise.png", QByteArray("\x89PNG\r\n\x1a\nnoise", 13)}};
    for (const auto& f : files) {
        const QString path = s.inst.path(QString::fromLatin1(f.name));
        writeFile(path, f.bytes);
        s.ui.openFileNames << path;
    }
    s.ui.openFileNames << s.inst.path(u"missing.gif"_s);
    s.onShow = [&](ElementDialog& d) {
        auto& image = static_cast<ImageDialog&>(d);
        for (int i = 0; i < 5; ++i) {
            image.browse(u"cmbImage");
            QVERIFY(image.preview()->pixmap().isNull());
            QCOMPARE(image.fieldText(u"edWidth"), QString());
            QVERIFY(!image.fieldText(u"cmbImage").isEmpty());
        }
        d.reject();
    };
    s.trigger(u"tag.image"_s);
    QVERIFY(s.ui.allAnswersUsed());
    QVERIFY(s.ui.notices.isEmpty());
}

void ElementDialogsTest::linkBrowseTakesThePathUnchanged()
{
    Session s;
    s.ui.openFileNames << u"/Web/Stránky/Index.HTML"_s << QString();
    s.onShow = [&](ElementDialog& d) {
        d.browse(u"cmbHREF");
        QCOMPARE(d.fieldText(u"cmbHREF"), u"/Web/Stránky/Index.HTML"_s);
        d.browse(u"cmbHREF"); // cancelled: nothing changes
        QCOMPARE(d.fieldText(u"cmbHREF"), u"/Web/Stránky/Index.HTML"_s);
        QCOMPARE(d.browseButton(u"cmbHREF")->toolTip(), u"Vložit odkaz"_s);
        d.reject();
    };
    s.trigger(u"tag.link"_s);
    QVERIFY(s.ui.allAnswersUsed());
}

void ElementDialogsTest::bodyPreviewFollowsTheColourFields()
{
    Session s;
    s.onShow = [&](ElementDialog& d) {
        auto& body = static_cast<BodyDialog&>(d);
        QLabel* text = body.previewLabel(u"ColorCombo2");
        QLabel* visited = body.previewLabel(u"ColorCombo5");
        QCOMPARE(text->text(), u"Barva textu:"_s);
        QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(visited->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        ColorCombo* combo = body.colorField(u"ColorCombo2");
        combo->setCurrentIndex(4); // "Zelená", as the user picks it
        emit combo->activated(4);
        QCOMPARE(text->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        body.colorField(u"ColorCombo1")->setValueText(u"navy"_s);
        QCOMPARE(body.preview()->palette().color(QPalette::Window), QColor(0, 0, 128));
        combo->selectNone();
        QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::black));
        d.reject();
    };
    s.trigger(u"tag.body"_s);
    QCOMPARE(s.shown.size(), 1);
}

void ElementDialogsTest::focusedFieldTurnsLightYellow()
{
    Session s;
    const QColor window = QApplication::palette().color(QPalette::Base);
    struct Case
    {
        ElementDialog* dialog;
        const char* field;
        QColor exit;
    };
    ElementDialogs& all = s.window->elementDialogs();
    const Case cases[] = {
        {&all.get<LinkDialog>(), "cmbHREF", Qt::white},
        {&all.get<LinkDialog>(), "Memo1", Qt::white},
        {&all.get<ImageDialog>(), "edALT", Qt::white},
        {&all.get<ImageDialog>(), "edLoopDelay", window},
        {&all.get<BodyDialog>(), "edLeftMargin", Qt::white},
        {&all.get<CellDialog>(), "edRowSpan", window},
    };
    for (const Case& c : cases) {
        QWidget* w = c.dialog->field(QString::fromLatin1(c.field));
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(w, &in);
        QCOMPARE(w->palette().color(QPalette::Base), QColor(255, 255, 128));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(w, &out);
        QCOMPARE(w->palette().color(QPalette::Base), c.exit);
    }
    // The quick table colours nothing.
    QWidget* spin = all.get<QuickTableDialog>().field(u"SpinEdit1");
    const QColor before = spin->palette().color(QPalette::Base);
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(spin, &in);
    QCOMPARE(spin->palette().color(QPalette::Base), before);
}

void ElementDialogsTest::everyFieldIsNamedByItsLabel()
{
    Session s;
    ElementDialogs& all = s.window->elementDialogs();
    ElementDialog* dialogs[] = {&all.get<LinkDialog>(),       &all.get<ImageDialog>(),
                                &all.get<BodyDialog>(),       &all.get<TableDialog>(),
                                &all.get<RowDialog>(),        &all.get<CellDialog>(),
                                &all.get<QuickTableDialog>(), &all.get<NewPageDialog>()};
    for (ElementDialog* d : dialogs) {
        for (const FieldDef& def : d->fieldDefs()) {
            QWidget* w = d->field(def.name);
            QVERIFY2(w != nullptr, qPrintable(def.name));
            QVERIFY2(!w->accessibleName().isEmpty() || !def.label.isEmpty(), qPrintable(def.name));
            if (def.kind == FieldKind::Check || def.label.isEmpty())
                continue;
            QCOMPARE(w->accessibleName(), QString(def.label).remove(u'&'));
            bool hasBuddyLabel = false;
            for (QLabel* label : d->findChildren<QLabel*>()) {
                if (label->buddy() == w && label->text() == def.label)
                    hasBuddyLabel = true;
            }
            QVERIFY2(hasBuddyLabel, qPrintable(def.name));
        }
        // Tab runs through the fields in the table's order and ends at the buttons.
        QList<QWidget*> expected;
        for (const FieldDef& def : d->fieldDefs())
            expected << d->field(def.name);
        expected << d->okButton() << d->cancelButton();
        QList<QWidget*> walked;
        QWidget* w = expected.constFirst();
        for (int guard = 0; guard < 200 && walked.size() < expected.size(); ++guard) {
            if (expected.contains(w) && !walked.contains(w))
                walked << w;
            w = w->nextInFocusChain();
        }
        QCOMPARE(walked, expected);
        QCOMPARE(d->okButton()->text().toLower(), u"ok"_s);
        QVERIFY(d->okButton()->isDefault());
        QCOMPARE(d->cancelButton()->text(), u"Storno"_s);
    }
    QCOMPARE(all.get<NewPageDialog>().okButton()->text(), u"Ok"_s);
    QVERIFY(all.get<RowDialog>().field(u"edBorder")->isHidden());
}

void ElementDialogsTest::everyFieldIsAnnouncedByItsLabel()
{
    Session s;
    const QString value = u"x.html"_s;
    for (QDialog* d : everyDialog(s)) {
        const QByteArray dialog = d->metaObject()->className();
        const QList<QWidget*> fields = inputFields(*d);
        QVERIFY2(!fields.isEmpty(), dialog.constData());
        // With a value in every field: a field announced by its value would
        // now be announced as "x.html".
        for (QWidget* w : fields) {
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->setText(value);
            else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
                combo->setEditText(value);
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
                memo->setPlainText(value);
        }
        const QList<QLabel*> labels = d->findChildren<QLabel*>();
        for (QWidget* w : fields) {
            const QByteArray where = dialog + ' ' + w->objectName().toLatin1();
            const QString name = announcedName(w);
            const auto label = std::find_if(labels.begin(), labels.end(),
                                            [w](const QLabel* l) { return l->buddy() == w; });
            if (label != labels.end()) {
                QCOMPARE(name, (*label)->text().remove(u'&'));
            } else {
                // Fields without a label of their own are named by their
                // group or their own text.
                QVERIFY2(!name.isEmpty() && name != value, where.constData());
            }
        }
    }
}

void ElementDialogsTest::tabLeavesEveryMemo_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("next"); // the field Tab moves to
    QTest::newRow("link text") << u"LinkDialog"_s << u"Memo1"_s << u"btnOk"_s;
    QTest::newRow("text area content") << u"TextAreaDialog"_s << u"mmText"_s << u"btnOk"_s;
    QTest::newRow("list items") << u"ListDialog"_s << u"mmLines"_s << u"btnClear"_s;
    QTest::newRow("new page keywords")
        << u"NewPageDialog"_s << u"mmKeyWords"_s << u"mmDescription"_s;
    QTest::newRow("new page description")
        << u"NewPageDialog"_s << u"mmDescription"_s << u"chbNewDoc"_s;
    QTest::newRow("user tag start") << u"UserTagDialog"_s << u"Memo1"_s << u"Memo2"_s;
    QTest::newRow("user tag end") << u"UserTagDialog"_s << u"Memo2"_s << u"btnOk"_s;
}

void ElementDialogsTest::tabLeavesEveryMemo()
{
    QFETCH(QString, dialog);
    QFETCH(QString, memo);
    QFETCH(QString, next);
    Session s;
    QDialog* d = nullptr;
    for (QDialog* candidate : everyDialog(s)) {
        if (QLatin1String(candidate->metaObject()->className()).endsWith(dialog))
            d = candidate;
    }
    QVERIFY(d != nullptr);
    // The insert openers show the memos these dialogs hide in edit mode.
    if (auto* link = qobject_cast<LinkDialog*>(d))
        link->prepareInsert(QString());
    if (auto* area = qobject_cast<TextAreaDialog*>(d))
        area->prepareInsert(TextAreaDialog::Page::TextArea, QString());
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    auto* field = d->findChild<QPlainTextEdit*>(memo);
    QVERIFY(field != nullptr);
    field->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field);

    QTest::keyClicks(QApplication::focusWidget(), u"ab"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(field->toPlainText(), u"ab"_s);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), field);
    // Ctrl+Tab is how a tab character gets in.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(field->toPlainText(), u"ab\t"_s);
    QCOMPARE(QApplication::focusWidget(), field);
    d->reject();
}

void ElementDialogsTest::pageCaptionsAreWhole_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("form control, ten pages") << u"FormControlDialog"_s;
    QTest::newRow("image") << u"ImageDialog"_s;
    QTest::newRow("text area") << u"TextAreaDialog"_s;
}

void ElementDialogsTest::pageCaptionsAreWhole()
{
    QFETCH(QString, dialog);
    Session s;
    ElementDialog* d = nullptr;
    for (QDialog* candidate : everyDialog(s)) {
        if (QLatin1String(candidate->metaObject()->className()).endsWith(dialog))
            d = qobject_cast<ElementDialog*>(candidate);
    }
    QVERIFY(d != nullptr && d->pages() != nullptr);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QTabBar* bar = d->pages()->tabBar();
    qw::test::verifyEveryCaptionWhole(*bar);
    // Nor can the user make the dialog so narrow that a caption is lost.
    d->resize(40, d->height());
    QTRY_VERIFY(d->width() > 40);
    qw::test::verifyEveryCaptionWhole(*bar);
    d->reject();
}

void ElementDialogsTest::longValuesSurviveTheDialog_data()
{
    QString data = u"data:image/gif;base64,"_s;
    while (data.size() < 40000)
        data += u"R0lGODlhAQABAIAAAP"_s;
    data.truncate(40000);
    QTest::addColumn<QString>("before"); // the caret at "|"
    QTest::addColumn<QString>("longField");
    QTest::addColumn<QString>("changedField");
    QTest::addColumn<QString>("changedTo");
    QTest::addColumn<QString>("after");
    QTest::newRow("40,000-character SRC, ALT changed")
        << u"<p><img src=\""_s + data + u"\" alt=\"a\"|></p>"_s << u"cmbImage"_s << u"edALT"_s
        << u"b"_s << u"<p><img src=\""_s + data + u"\" alt=\"b\"></p>"_s;
    QTest::newRow("40,000-character TITLE, HREF changed")
        << u"<a href=\"x.html\" title=\""_s + data + u"\"|>t</a>"_s << u"edTitle"_s << u"cmbHREF"_s
        << u"y.html"_s << u"<a href=\"y.html\" title=\""_s + data + u"\">t</a>"_s;
}

void ElementDialogsTest::longValuesSurviveTheDialog()
{
    QFETCH(QString, before);
    QFETCH(QString, longField);
    QFETCH(QString, changedField);
    QFETCH(QString, changedTo);
    QFETCH(QString, after);
    Session s;
    const qsizetype caret = before.indexOf(u'|');
    s.caretAt(QString(before).remove(caret, 1), caret);
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(d.fieldText(longField).size(), 40000);
        d.setFieldText(changedField, changedTo);
        QVERIFY(d.runOk());
    };
    s.pressF4();
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(s.editor().text(), after);
}

void ElementDialogsTest::picturePreviewShowsWhatItCanRead_data()
{
    const QByteArray jpeg = qw::test::encodeTestJpeg(101, 51);
    QTest::addColumn<QString>("fileName"); // empty: a folder
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // empty: nothing shown
    QTest::newRow("JPEG") << u"pes.jpg"_s << jpeg << QSize(101, 51);
    QTest::newRow("PNG") << u"pes.png"_s << pngBytes(640, 320) << QSize(640, 320);
    QTest::newRow("GIF") << u"pes.gif"_s << gifBytes(30, 20) << QSize(30, 20);
    QTest::newRow("SVG") << u"pes.svg"_s << svgBytes(48, 24) << QSize(48, 24);
    QTest::newRow("cut JPEG") << u"cut.jpg"_s << jpeg.left(jpeg.size() / 2) << QSize();
    QTest::newRow("PNG noise") << u"noise.png"_s << QByteArray("\x89PNG\r\n\x1a\nnoise", 13)
                               << QSize();
    QTest::newRow("empty file") << u"empty.gif"_s << QByteArray() << QSize();
    QTest::newRow("folder") << QString() << QByteArray() << QSize();
}

void ElementDialogsTest::picturePreviewShowsWhatItCanRead()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(u"good.jpg"_s);
    writeFile(good, qw::test::encodeTestJpeg(101, 51));
    const QString path = fileName.isEmpty() ? dir.path() : dir.filePath(fileName);
    if (!fileName.isEmpty())
        writeFile(path, bytes);

    PicturePreview preview;
    preview.resize(240, 240);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    // A picture shown before never stays behind one that cannot be read.
    preview.showFile(good);
    QVERIFY(preview.hasPicture());
    preview.showFile(path);
    const QPixmap shown = preview.pictureLabel()->pixmap();
    if (size.isEmpty()) {
        QVERIFY(!preview.hasPicture());
        QVERIFY(shown.isNull());
        QVERIFY(preview.sizeLabel()->text().isEmpty());
        return;
    }
    QCOMPARE(preview.pictureSize(), size);
    QVERIFY(!shown.isNull());
    // Large pictures shrink into the preview keeping their shape; small
    // ones keep their size.
    QVERIFY(shown.width() <= preview.pictureLabel()->width());
    QVERIFY(shown.height() <= preview.pictureLabel()->height());
    QCOMPARE(shown.width() * size.height() / size.width(), shown.height());
    if (size.width() <= preview.pictureLabel()->width() &&
        size.height() <= preview.pictureLabel()->height())
        QCOMPARE(shown.size(), size);
    QCOMPARE(preview.sizeLabel()->text(), u"%1 × %2"_s.arg(size.width()).arg(size.height()));
}

void ElementDialogsTest::pictureDialogShowsThePreviewBesideItsList()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = dir.filePath(u"pes.jpg"_s);
    writeFile(picture, qw::test::encodeTestJpeg(101, 51));
    const std::unique_ptr<QFileDialog> dialog =
        createPictureFileDialog(nullptr, u"Otevřít obrázek"_s,
                                u"Všechny grafické soubory (*.gif *.jpg *.jpeg)"_s, dir.path());
    QCOMPARE(dialog->windowTitle(), u"Otevřít obrázek"_s);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    PicturePreview* preview = picturePreviewOf(*dialog);
    QVERIFY(preview != nullptr);

    // The user clicks the picture in the file list (the dialog is shown
    // without its modal loop).
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QAbstractItemView* list = nullptr;
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
        // The list of files in the dialog's view mode (not a column header).
        if (view->isVisible() && qobject_cast<QFileSystemModel*>(view->model()) != nullptr &&
            qobject_cast<QHeaderView*>(view) == nullptr)
            list = view;
    }
    QVERIFY(list != nullptr);
    const QModelIndex file = static_cast<QFileSystemModel*>(list->model())->index(picture);
    QTRY_VERIFY(!list->visualRect(file).isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(file).center());
    QTRY_VERIFY(preview->hasPicture());
    QCOMPARE(preview->pictureSize(), QSize(101, 51));
    // Beside the list, to its right.
    QVERIFY(preview->isVisible());
    QVERIFY(preview->mapTo(dialog.get(), QPoint(0, 0)).x() >=
            list->mapTo(dialog.get(), QPoint(list->width(), 0)).x());
    dialog->reject();
}

void ElementDialogsTest::quickTableAndWizardKeepTheirValues()
{
    Session s;
    s.onShow = [&](ElementDialog& d) {
        applyEdits(d, {{u"SpinEdit3"_s, u"5"_s}, {u"cmbAlign"_s, u"left"_s}});
        QVERIFY(d.runOk());
    };
    s.trigger(u"tag.insertTable"_s);
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(d.fieldText(u"SpinEdit3"), u"5"_s);
        QCOMPARE(d.fieldText(u"cmbAlign"), u"left"_s);
        d.reject();
    };
    s.trigger(u"tag.insertTable"_s);

    // The wizard writes a new document by default and shows its values again.
    const int before = s.window->documents().count();
    s.onShow = [&](ElementDialog& d) {
        applyEdits(d, {{u"cmbDocType"_s, newPageDocTypes().at(7)}});
        QVERIFY(d.runOk());
    };
    s.trigger(u"file.wizard"_s);
    QCOMPARE(s.window->documents().count(), before + 1);
    QVERIFY(s.editor().text().startsWith(newPageDocTypes().at(7) + u"\r\n\r\n<html>\r\n"_s));
    s.onShow = [&](ElementDialog& d) {
        QCOMPARE(d.fieldText(u"cmbDocType"), newPageDocTypes().at(7));
        QVERIFY(d.checkField(u"chbNewDoc")->isChecked());
        d.reject();
    };
    s.trigger(u"file.wizard"_s);
    QCOMPARE(s.shown.size(), 4);
}

QTEST_MAIN(ElementDialogsTest)
#include "tst_elementdialogs.moc"
