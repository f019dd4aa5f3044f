#include "app/print/PrintFeature.h"

#include "app/editor/ColorRef.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/print/ListingPrinter.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "core/highlight/ExportLook.h"
#include "core/highlight/HtmlListingExport.h"
#include "core/highlight/RtfExport.h"
#include "core/settings/AppSettings.h"
#include "core/shell/ShellTexts.h"
#include "core/text/AtomicFileWriter.h"
#include "core/text/TextLines.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <QPrinter>

namespace qw {

namespace {

const QString kRtfFilter = QStringLiteral("formát RTF (*.rtf)|*.rtf|");
const QString kHtmlFilter = QStringLiteral("HTML soubor (*.htm;*.html)|*.htm;*.html|");

ColorRef resolved(ColorRef color, ColorRef fallback)
{
    const QColor c = toQColor(color);
    return c.isValid() ? fromQColor(c) : fallback;
}

QString printedToFileText(const QString& path)
{
    return QStringLiteral("Vytištěno do souboru %1").arg(QDir::toNativeSeparators(path));
}

QString printToFileFailedText(const QString& path)
{
    return QStringLiteral("Tisk do souboru %1 se nezdařil").arg(QDir::toNativeSeparators(path));
}

} // namespace

PrintFeature::PrintFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context)
{
    ActionRegistry& commands = m_context.commands;
    commands.registerAction(QStringLiteral("file.print"), [this](ActionPlace) { print(); });
    commands.registerAction(QStringLiteral("file.printSetup"),
                            [this](ActionPlace) { setupPrinter(); });
    commands.registerAction(QStringLiteral("file.exportRtf"),
                            [this](ActionPlace) { exportListing(ExportFormat::Rtf); });
    commands.registerAction(QStringLiteral("file.exportHtml"),
                            [this](ActionPlace) { exportListing(ExportFormat::Html); });
}

PrintFeature::~PrintFeature() = default;

QPrinter& PrintFeature::printer()
{
    if (m_printer == nullptr)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void PrintFeature::setupPrinter()
{
    m_context.clearTagInspector();
    m_context.ui.setupPrinter(m_context.window, printer(), UiServices::PrintDialogPurpose::Setup);
}

void PrintFeature::print()
{
    m_context.clearTagInspector();
    if (!m_context.pages.syncIntoEditor())
        return;
    const ScintillaEditor* editor = m_context.documents.current();
    if (editor == nullptr)
        return;
    QPrinter& p = printer();
    // The dialog every time, preset with the last choice, so a job never goes
    // to a printer or a file the person did not see.
    if (!m_context.ui.setupPrinter(m_context.window, p, UiServices::PrintDialogPurpose::Print))
        return;
    const QString file = m_context.documents.currentFilePath();
    p.setDocName(file.isEmpty() ? QStringLiteral("Quenwick") : QFileInfo(file).fileName());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printListing(p, *editor, ListingLook::fromSettings(m_context.settings));
    QApplication::restoreOverrideCursor();
    // A file is the one place the person has to go and look for the job.
    if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty()) {
        const QString target = p.outputFileName();
        Q_EMIT statusNote(printed ? printedToFileText(target) : printToFileFailedText(target));
    }
}

void PrintFeature::exportListing(ExportFormat format)
{
    m_context.clearTagInspector();
    const bool rtf = format == ExportFormat::Rtf;
    // The export filter goes to this one dialog only; the window's open and
    // save dialogs and the file panel keep the settings' filters.
    // The listing goes beside the document by default.
    const QString document = m_context.documents.currentFilePath();
    const QString folder = document.isEmpty() ? QString() : QFileInfo(document).absolutePath();
    const QString path = m_context.ui.saveFileName(
        m_context.window, folder, QString(), qtDialogFilter(rtf ? kRtfFilter : kHtmlFilter),
        rtf ? QStringLiteral("rtf") : QStringLiteral("html"));
    if (path.isEmpty() || !m_context.pages.syncIntoEditor())
        return;
    const ScintillaEditor* editor = m_context.documents.current();
    if (editor == nullptr)
        return;
    const QStringList lines = splitTextLines(editor->text());
    const ExportLook look = exportLook(m_context.settings);
    const QByteArray bytes = rtf ? exportRtf(lines, look) : exportHtmlListing(lines, look);
    const FileWriteResult result = writeFileAtomically(path, bytes);
    if (!result.ok) {
        m_context.ui.notify(m_context.window, UiServices::Icon::Error,
                            cannotSaveText(path, result.errorText));
    }
}

ExportLook PrintFeature::exportLook(const AppSettings& settings)
{
    ExportLook look;
    look.fontName = settings.fontName;
    if (settings.fontSize > 0)
        look.fontSize = settings.fontSize;
    look.textColor = resolved(settings.fontColor, look.textColor);
    look.backgroundColor = resolved(settings.backColor, look.backgroundColor);
    const QPalette palette = QApplication::palette();
    look.highlightTextColor = fromQColor(palette.color(QPalette::HighlightedText));
    look.highlightBackgroundColor = fromQColor(palette.color(QPalette::Highlight));
    look.styles = settings.styles;
    for (HighlightStyle& style : look.styles) {
        // "No colour" as a foreground shows the editor's text colour.
        style.foreground = resolved(style.foreground, look.textColor);
        if (style.hasBackground) {
            const QColor back = toQColor(style.background);
            style.hasBackground = back.isValid();
            style.background = back.isValid() ? fromQColor(back) : 0;
        }
    }
    return look;
}

} // namespace qw
