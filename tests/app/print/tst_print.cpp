// Printing and export through the window's own commands: the listing
// printed to a PDF file and read back with poppler (pdfinfo for the pages,
// pdftoppm for what is on them: rows, margins, line pitch and colours), the
// print dialog before every job and the setup dialog, and the RTF and HTML
// listings written through the scripted save dialog.

#include "app/editor/ScintillaEditor.h"
#include "app/filepanel/FilePanel.h"
#include "app/pages/PageSwitcher.h"
#include "app/print/PrintFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/settings/AppSettings.h"
#include "core/settings/ColorText.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPalette>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

const QString kFont = QStringLiteral("DejaVu Sans Mono");
constexpr int kFontSize = 10;
constexpr int kDpi = 144; // raster pixels per inch: two per point
const QString kRtfFilter = QStringLiteral("formát RTF (*.rtf)|*.rtf|");
const QString kHtmlFilter = QStringLiteral("HTML soubor (*.htm;*.html)|*.htm;*.html|");

const QSizeF kA4 = QPageSize(QPageSize::A4).size(QPageSize::Point);

// One window over its own installation, printing in a known font.
struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    explicit Session(const std::function<void(AppSettings&)>& adjust = {})
    {
        context = inst.context(ui);
        context->settings.fontName = kFont;
        context->settings.fontSize = kFontSize;
        context->settings.filters = {QStringLiteral("Stránky (*.htm*)|*.htm;*.html|"),
                                     QStringLiteral("Všechny soubory (*.*)|*.*|")};
        if (adjust)
            adjust(context->settings);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    PrintFeature& feature() { return *window->findChild<PrintFeature*>(); }
    QString path(const QString& name) const { return inst.path(name); }
    QString settingsFilter() const
    {
        return qtDialogFilter(dialogFilterText(context->settings.filters));
    }

    // Runs a command as a click on its menu entry does; false when the entry
    // is missing or disabled.
    bool run(const char* id) { return test::runMenuCommand(*window, id); }
};

// The print dialog's answer: print to this PDF file on A4.
std::function<bool(QPrinter&)> choosePdf(const QString& file)
{
    return [file](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        return true;
    };
}

// The print dialog confirmed as it was preset.
std::function<bool(QPrinter&)> confirmAsPreset()
{
    return [](QPrinter&) {
        return true;
    };
}

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

int pdfPages(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// One page as pixels, without smoothing, so every inked pixel has exactly the
// colour it was drawn in.
QImage pdfPage(const QString& pdf, int page)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString n = QString::number(page);
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-f"), n,
             QStringLiteral("-l"), n, QStringLiteral("-singlefile"), QStringLiteral("-aa"),
             QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
             QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool inked(QRgb pixel)
{
    return (pixel & 0xFFFFFF) != 0xFFFFFF;
}

// The rows of text on a page: runs of pixel rows with ink, as [first, last],
// and the box round all ink.
struct Ink
{
    QList<QPair<int, int>> rows;
    QRect box;
};

Ink inkOf(const QImage& image)
{
    Ink ink;
    int rowStart = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        bool any = false;
        for (int x = 0; x < image.width(); ++x) {
            if (inked(line[x])) {
                any = true;
                ink.box |= QRect(x, y, 1, 1);
            }
        }
        if (any && rowStart < 0)
            rowStart = y;
        if (!any && rowStart >= 0) {
            ink.rows.append({rowStart, y - 1});
            rowStart = -1;
        }
    }
    if (rowStart >= 0)
        ink.rows.append({rowStart, image.height() - 1});
    return ink;
}

// The colours of the ink between two pixel rows.
QSet<QRgb> coloursIn(const QImage& image, int fromY, int toY)
{
    QSet<QRgb> colours;
    for (int y = fromY; y <= toY; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (inked(line[x]))
                colours.insert(line[x] | 0xFF000000);
        }
    }
    return colours;
}

// The print font measured as a printer at 1200 dots per inch measures it, in
// points.
QFontMetricsF printMetrics(QPdfWriter& writer)
{
    writer.setResolution(1200);
    return QFontMetricsF(QFont(kFont, kFontSize), &writer);
}

// A page handler standing in for the design view: what it holds goes into
// the editor when a command asks for it.
struct DesignStandIn : PageHandler
{
    ScintillaEditor* editor = nullptr;
    QString html;
    int syncs = 0;
    bool showPage() override { return true; }
    bool syncIntoEditor() override
    {
        ++syncs;
        editor->setText(html);
        return true;
    }
};

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsEveryPageWithinTheMargins();
    void tagsArePrintedInTheirColours();
    void printAsksBeforeEveryJob();
    void setupDialogIsTitledAndLabelledAsASetup();
    void printFailureEndsQuietly();
    void exportWritesTheListing_data();
    void exportWritesTheListing();
    void exportWriteFailureShowsTheReason_data();
    void exportWriteFailureShowsTheReason();
    void commandsTakeTheDesignPageBackFirst();
};

void PrintTest::printsEveryPageWithinTheMargins()
{
    Session s;
    QVERIFY(s.window->commands().action(QStringLiteral("file.print"), ActionPlace::ToolBar));

    // The rows a page holds: as many as fit between the top and bottom
    // margins at 1.5 times the height of the letter "A".
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter writer(&sink);
    const QFontMetricsF metrics = printMetrics(writer);
    const qreal pitch = 1.5 * metrics.height() * 72 / 1200;
    const int rowsPerPage = int(std::floor((kA4.height() - 2 * 54) / pitch));
    const qreal charWidth = metrics.horizontalAdvance(QLatin1Char('x')) * 72 / 1200;
    const int charsPerRow = int(std::floor((kA4.width() - 54 - 36) / charWidth));
    QVERIFY(rowsPerPage > 10 && charsPerRow > 40);

    // Two full pages of short lines, then a line of 3.5 rows' length that
    // has to wrap: the third page holds one short row and four wrapped ones.
    QStringList lines;
    for (int i = 0; i < 2 * rowsPerPage + 1; ++i)
        lines << QStringLiteral("<p>Řádek & text</p>");
    const QString longLine(charsPerRow * 3 + charsPerRow / 2, u'x');
    s.editor().setText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + longLine +
                       QStringLiteral("\r\n"));

    const QString pdf = s.path(QStringLiteral("listing.pdf"));
    s.ui.printerSetups << choosePdf(pdf) << confirmAsPreset();
    QVERIFY(s.run("file.printSetup"));
    QVERIFY(s.run("file.print"));
    QCOMPARE(s.ui.printDialogs, 2);
    QCOMPARE(pdfPages(pdf), 3);

    const qreal px = kDpi / 72.0; // pixels per point
    const QImage first = pdfPage(pdf, 1);
    QCOMPARE(first.width(), qRound(kA4.width() * px));
    const Ink page1 = inkOf(first);
    QCOMPARE(page1.rows.size(), rowsPerPage);
    // Every row is the same text, so the tops of the rows step by the pitch.
    const qreal measured =
        qreal(page1.rows.last().first - page1.rows.first().first) / (rowsPerPage - 1) / px;
    QVERIFY2(std::abs(measured - pitch) < 0.01 * pitch,
             qPrintable(QStringLiteral("pitch %1 pt, expected %2").arg(measured).arg(pitch)));
    QVERIFY(page1.box.left() >= 54 * px - 1 && page1.box.left() <= 57 * px);
    QVERIFY(page1.box.top() >= 54 * px - 1 && page1.box.top() <= (54 + pitch) * px);
    QVERIFY(page1.box.bottom() <= (kA4.height() - 54) * px);

    const Ink page2 = inkOf(pdfPage(pdf, 2));
    QCOMPARE(page2.rows.size(), rowsPerPage);
    QCOMPARE(page2.rows.first().first, page1.rows.first().first);

    // The wrapped line fills its rows up to the right margin, not past it.
    const Ink page3 = inkOf(pdfPage(pdf, 3));
    QCOMPARE(page3.rows.size(), 5);
    QVERIFY(page3.box.right() <= (kA4.width() - 36) * px);
    QVERIFY(page3.box.right() >= (kA4.width() - 36 - 2 * charWidth) * px);
    QVERIFY(page3.box.left() >= 54 * px - 1);
}

void PrintTest::tagsArePrintedInTheirColours()
{
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb green = qRgb(0, 160, 0);
    Session s([](AppSettings& settings) {
        styleOf(settings.styles, StyleClass::Bracket) = HighlightStyle{};
        styleOf(settings.styles, StyleClass::Bracket).foreground = rgbToColorRef(255, 0, 0);
        styleOf(settings.styles, StyleClass::HtmlKeyword) = HighlightStyle{};
        styleOf(settings.styles, StyleClass::HtmlKeyword).foreground = rgbToColorRef(0, 0, 255);
        styleOf(settings.styles, StyleClass::HtmlKeyword).bold = true;
        settings.fontColor = rgbToColorRef(0, 160, 0);
    });
    s.editor().setText(QStringLiteral("<b>\r\nobyčejný text"));
    const QString pdf = s.path(QStringLiteral("colours.pdf"));
    s.ui.printerSetups << choosePdf(pdf) << confirmAsPreset();
    QVERIFY(s.run("file.printSetup"));
    QVERIFY(s.run("file.print"));

    const QImage page = pdfPage(pdf, 1);
    const Ink ink = inkOf(page);
    QCOMPARE(ink.rows.size(), 2);
    // The tag: brackets in the bracket colour, the name in the keyword's.
    QCOMPARE(coloursIn(page, ink.rows[0].first, ink.rows[0].second), QSet<QRgb>({red, blue}));
    // Text outside every tag in the editor's text colour.
    QCOMPARE(coloursIn(page, ink.rows[1].first, ink.rows[1].second), QSet<QRgb>({green}));
}

// "Tisk" and Ctrl+P open the print dialog before every job, preset with the
// last choice (the setup's too); a cancelled dialog prints nothing, and a
// job into a file ends with the file's place in the status bar.
void PrintTest::printAsksBeforeEveryJob()
{
    Session s;
    s.editor().setText(QStringLiteral("<p>text</p>"));
    using Purpose = UiServices::PrintDialogPurpose;
    // What a system without any printer hands over: PDF output, no file yet.
    QPrinter& printer = s.feature().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());

    QVERIFY(s.run("file.print"));
    QCOMPARE(s.ui.printDialogs, 1);
    QCOMPARE(s.ui.unscripted(), QStringList{QStringLiteral("setupPrinter")});
    QVERIFY(s.window->statusText(3).isEmpty());

    // Ctrl+P, typed in the editor.
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    s.editor().setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &s.editor());
    const QString first = s.path(QStringLiteral("first.pdf"));
    s.ui.printerSetups << choosePdf(first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(s.ui.printDialogs, 2);
    QCOMPARE(pdfPages(first), 1);
    QCOMPARE(s.window->statusText(3), QStringLiteral("Vytištěno do souboru ") + first);
    QCOMPARE(s.editor().text(), QStringLiteral("<p>text</p>"));

    // The next job asks again, preset with the file chosen last.
    QVERIFY(QFile::remove(first));
    QString preset;
    s.ui.printerSetups << [&preset](QPrinter& p) {
        preset = p.outputFileName();
        return true;
    };
    QVERIFY(s.run("file.print"));
    QCOMPARE(s.ui.printDialogs, 3);
    QCOMPARE(preset, first);
    QCOMPARE(pdfPages(first), 1);

    // Cancelled, nothing is printed even though a file was chosen before.
    QVERIFY(QFile::remove(first));
    QVERIFY(s.run("file.print"));
    QCOMPARE(s.ui.printDialogs, 4);
    QVERIFY(!QFile::exists(first));

    // The setup prints nothing; the next job's dialog offers its choice.
    const QString second = s.path(QStringLiteral("second.pdf"));
    s.ui.printerSetups << choosePdf(second);
    QVERIFY(s.run("file.printSetup"));
    QVERIFY(!QFile::exists(second));
    s.ui.printerSetups << [&preset](QPrinter& p) {
        preset = p.outputFileName();
        return true;
    };
    QVERIFY(s.run("file.print"));
    QCOMPARE(preset, second);
    QCOMPARE(pdfPages(second), 1);
    QCOMPARE(s.window->statusText(3), QStringLiteral("Vytištěno do souboru ") + second);
    QCOMPARE(s.ui.printPurposes, (QList<Purpose>{Purpose::Print, Purpose::Print, Purpose::Print,
                                                 Purpose::Print, Purpose::Setup, Purpose::Print}));
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(s.ui.allAnswersUsed());
}

// The setup is a setup: its own title and an "OK" that prints nothing; the
// print dialog keeps the desktop's own.
void PrintTest::setupDialogIsTitledAndLabelledAsASetup()
{
    QPrinter printer;
    const auto buttonText = [](QPrintDialog& dialog) {
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        return buttons != nullptr && buttons->button(QDialogButtonBox::Ok) != nullptr
                   ? buttons->button(QDialogButtonBox::Ok)->text()
                   : QString();
    };
    const std::unique_ptr<QPrintDialog> setup =
        makePrintDialog(nullptr, printer, UiServices::PrintDialogPurpose::Setup);
    // As the person sees it, shown (without its modal loop).
    setup->show();
    QVERIFY(QTest::qWaitForWindowExposed(setup.get()));
    QCOMPARE(setup->windowTitle(), QStringLiteral("Nastavení tisku"));
    QCOMPARE(buttonText(*setup), QStringLiteral("OK"));
    setup->reject();

    const std::unique_ptr<QPrintDialog> print =
        makePrintDialog(nullptr, printer, UiServices::PrintDialogPurpose::Print);
    print->show();
    QVERIFY(QTest::qWaitForWindowExposed(print.get()));
    QVERIFY(print->windowTitle() != QStringLiteral("Nastavení tisku"));
    QVERIFY(!buttonText(*print).isEmpty());
    QVERIFY(buttonText(*print) != QStringLiteral("OK"));
    print->reject();
}

void PrintTest::printFailureEndsQuietly()
{
    Session s;
    s.editor().setText(QStringLiteral("<p>text</p>"));
    // A PDF file whose folder is a regular file cannot be made, root or not.
    const QString blocker = s.path(QStringLiteral("blocker"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString target = blocker + QStringLiteral("/listing.pdf");
    s.ui.printerSetups << choosePdf(target) << confirmAsPreset();
    QVERIFY(s.run("file.printSetup"));
    QVERIFY(s.run("file.print"));
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(!QFile::exists(target));
    QCOMPARE(s.ui.printDialogs, 2);
    // No modal message, but the status bar does not claim the file either.
    QCOMPARE(s.window->statusText(3), QStringLiteral("Tisk do souboru %1 se nezdařil").arg(target));
}

void PrintTest::exportWritesTheListing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArrayList>("contained");
    QTest::addColumn<QByteArray>("absent");

    // The attribute is coloured in the desktop's text colour: a system
    // colour must reach the file as the colour it stands for.
    const QByteArray systemText =
        QApplication::palette().color(QPalette::Text).name().toUpper().toLatin1();
    QTest::newRow("rtf") << QStringLiteral("file.exportRtf") << kRtfFilter << QStringLiteral("rtf")
                         << QByteArray("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil "
                                       "DejaVu Sans Mono;}")
                         << QByteArrayList{"\\colortbl", "\\plain\\f0\\fs20", "\\par ",
                                           "odkaz\\par }"}
                         << QByteArray("\\red8\\green0\\blue0;");
    QTest::newRow("html") << QStringLiteral("file.exportHtml") << kHtmlFilter
                          << QStringLiteral("html")
                          << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">")
                          << QByteArrayList{"&lt;", "&gt;",
                                            "<FONT COLOR=\"" + systemText + "\">href", "odkaz<BR>",
                                            "</HTML>"}
                          << QByteArray("<a href");
}

void PrintTest::exportWritesTheListing()
{
    QFETCH(QString, command);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, start);
    QFETCH(QByteArrayList, contained);
    QFETCH(QByteArray, absent);

    Session s([](AppSettings& settings) {
        styleOf(settings.styles, StyleClass::HtmlAttribute).foreground =
            systemColorRef(SystemColor::WindowText);
    });
    s.editor().setText(QStringLiteral("<a href=x>\r\nodkaz"));
    const QByteArray id = command.toLatin1();

    // Cancelled: nothing is written.
    QVERIFY(s.run(id.constData()));
    QCOMPARE(s.ui.saveRequests.size(), 1);
    QCOMPARE(s.ui.saveRequests[0].filter, qtDialogFilter(filter));
    QCOMPARE(s.ui.saveRequests[0].defaultSuffix, suffix);

    const QString target = s.path(QStringLiteral("listing.") + suffix);
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("older content that is replaced whole");
    old.close();
    s.ui.saveFileNames << target;
    QVERIFY(s.run(id.constData()));
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY2(bytes.startsWith(start), bytes.left(200).constData());
    for (const QByteArray& piece : contained)
        QVERIFY2(bytes.contains(piece), piece.constData());
    QVERIFY(!bytes.contains(absent));
    QVERIFY(!bytes.contains("older content"));
    QVERIFY(s.ui.notices.isEmpty());

    // The window's dialogs and the file panel offer the settings' filters.
    QVERIFY(s.run("file.open"));
    QCOMPARE(s.ui.openFilters.last(), s.settingsFilter());
    QVERIFY(s.run("file.saveAs"));
    QCOMPARE(s.ui.saveRequests.last().filter, s.settingsFilter());
    QComboBox* panelFilter = s.window->filePanel()->filterBox();
    QCOMPARE(panelFilter->count(), 2);
    QCOMPARE(panelFilter->itemText(0), QStringLiteral("Stránky (*.htm*)"));
}

void PrintTest::exportWriteFailureShowsTheReason_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("rtf") << QStringLiteral("file.exportRtf");
    QTest::newRow("html") << QStringLiteral("file.exportHtml");
}

void PrintTest::exportWriteFailureShowsTheReason()
{
    QFETCH(QString, command);
    Session s;
    s.editor().setText(QStringLiteral("<p>text</p>"));
    // A regular file where the folder should be: no write succeeds, not
    // even as root.
    const QString blocker = s.path(QStringLiteral("blocker"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString target = blocker + QStringLiteral("/listing.out");
    s.ui.saveFileNames << target;
    QVERIFY(s.run(command.toLatin1().constData()));

    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices[0].icon, UiServices::Icon::Error);
    const QString prefix = QStringLiteral("Soubor \"%1\" nelze uložit.\n").arg(target);
    QVERIFY2(s.ui.notices[0].text.startsWith(prefix), qPrintable(s.ui.notices[0].text));
    QVERIFY(s.ui.notices[0].text.size() > prefix.size()); // the system's reason

    QVERIFY(s.run("file.open"));
    QCOMPARE(s.ui.openFilters.last(), s.settingsFilter());
}

void PrintTest::commandsTakeTheDesignPageBackFirst()
{
    DesignStandIn design;
    Session s;
    design.editor = &s.editor();
    design.html = QStringLiteral("<i>z návrhu</i>");
    s.editor().setText(QStringLiteral("<p>ze zdroje</p>"));
    s.window->pages().setHandler(PageMode::Design, &design);
    s.window->pages().switchTo(PageMode::Design);
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);

    const QString html = s.path(QStringLiteral("design.html"));
    s.ui.saveFileNames << html;
    QVERIFY(s.run("file.exportHtml"));
    QCOMPARE(design.syncs, 1);
    QFile f(html);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.contains("n&#225;vrhu"));
    QVERIFY(!bytes.contains("ze zdroje"));

    const QString pdf = s.path(QStringLiteral("design.pdf"));
    s.ui.printerSetups << choosePdf(pdf) << confirmAsPreset();
    QVERIFY(s.run("file.printSetup"));
    design.html = QStringLiteral("jedna\r\ndva\r\ntři");
    QVERIFY(s.run("file.print"));
    QCOMPARE(design.syncs, 2);
    QCOMPARE(inkOf(pdfPage(pdf, 1)).rows.size(), 3);
    s.window->pages().switchTo(PageMode::Source);
}

QTEST_MAIN(PrintTest)

#include "tst_print.moc"
