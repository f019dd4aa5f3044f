#pragma once

#include "app/services/FeatureContext.h"

#include <QObject>

#include <memory>

class QPrinter;

namespace qw {

struct ExportLook;

// "Tisk", "Nastavení tisku..." and "Exportovat": the current document as a
// coloured source listing on the printer, or as an RTF or HTML file.
class PrintFeature : public QObject
{
    Q_OBJECT
public:
    enum class ExportFormat { Rtf, Html };

    PrintFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~PrintFeature() override;

    // Prints the whole current document as one job after the print dialog,
    // which comes every time, preset with the last choice. A job into a PDF
    // file ends with statusNote() saying where the file went (or that it
    // could not be written); other failures end quietly.
    void print();
    // The print dialog as a setup: the choice is kept for the run.
    void setupPrinter();
    // Asks for a file and writes the current document's listing into it.
    void exportListing(ExportFormat format);

    // The printer kept for the run. Made on first use: asking the system for
    // its printers takes a while, and a start must not wait for it.
    QPrinter& printer();

    // The settings' editor look and colouring styles, every colour resolved
    // to red, green and blue, for the converters.
    static ExportLook exportLook(const AppSettings& settings);

Q_SIGNALS:
    // A line for the status bar about the job just done.
    void statusNote(const QString& text);

private:
    FeatureContext m_context;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace qw
