#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QFileDialog;
class QInputDialog;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace qw {

// Every modal question the window asks and every modal notice it shows goes
// through here, and so do the file dialogs and the clock: tests hand the
// window a scripted implementation, so no test ever waits on a modal loop.
class UiServices
{
public:
    virtual ~UiServices() = default;

    enum class Answer { Yes, No, Cancel };
    enum class Icon { Information, Warning, Error, None };

    // A Yes / No / Cancel question with the caption "Quenwick".
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A Yes / No question with the caption "Quenwick".
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // A question with the caption "Quenwick" and one button per text; the
    // index of the button chosen, or -1 when the box was closed without one.
    virtual int askChoice(QWidget* parent, const QString& text, const QStringList& buttons) = 0;
    // A notice with an OK button.
    virtual void notify(QWidget* parent, Icon icon, const QString& text) = 0;

    // File dialogs; an empty result means cancelled. filter is in the form of
    // the open and save dialogs ("Name (*.a *.b);;Other (*)"); an empty
    // folder leaves the start to the desktop.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& folder) = 0;
    // The picture file dialog: an open dialog with a preview of the picture
    // under the cursor beside its list (every picture browse uses it).
    virtual QString openPictureFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& folder) = 0;
    // An open dialog that lists folders and the programs in them (files this
    // user may run) only.
    virtual QString openProgramFileName(QWidget* parent, const QString& caption,
                                        const QString& folder) = 0;
    // A dialog choosing an existing folder, starting in folder.
    virtual QString existingFolder(QWidget* parent, const QString& caption,
                                   const QString& folder) = 0;
    // Starts in folder and proposes `proposed` (a bare name is taken inside
    // folder, a full path in its own); adds defaultSuffix (without its point)
    // to a name typed without one; asks before replacing an existing file.
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                                 const QString& filter, const QString& defaultSuffix) = 0;

    // A one-line input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title,
                                             const QString& prompt, const QString& initial) = 0;

    // The system colour dialog preset to initial; nullopt when cancelled.
    virtual std::optional<QColor> pickColor(QWidget* parent, const QColor& initial) = 0;

    // What the print dialog is for: printing now ("Tisk") or only choosing
    // where later jobs go ("Nastavení tisku").
    enum class PrintDialogPurpose { Print, Setup };
    // The print dialog on printer, preset with what the printer holds: the
    // system's printers and printing to a PDF file. True when confirmed; the
    // printer then holds the choice.
    virtual bool setupPrinter(QWidget* parent, QPrinter& printer, PrintDialogPurpose purpose) = 0;

    virtual QDateTime now() = 0;
};

// A file dialog as every file dialog of the program is shown: starting in
// folder, with filter's names shown as written, since each name carries its
// mask already ("HTML soubory (*.htm;*.html)").
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& caption,
                                            const QString& folder, const QString& filter);

// The one-line input dialog as the program shows it, not yet run (the
// dialogs' accessibility check opens it as the address of a download).
std::unique_ptr<QInputDialog> makeInputDialog(QWidget* parent, const QString& title,
                                              const QString& prompt, const QString& initial);

// The print dialog as the program shows it, not yet run. For the setup it
// is titled "Nastavení tisku" and confirmed with "OK", since it prints
// nothing; for printing it keeps the desktop's own title and button.
std::unique_ptr<QPrintDialog> makePrintDialog(QWidget* parent, QPrinter& printer,
                                              UiServices::PrintDialogPurpose purpose);

// The real dialogs of the desktop.
class DesktopUiServices : public UiServices
{
public:
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    int askChoice(QWidget* parent, const QString& text, const QStringList& buttons) override;
    void notify(QWidget* parent, Icon icon, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& folder) override;
    QString openPictureFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& folder) override;
    QString openProgramFileName(QWidget* parent, const QString& caption,
                                const QString& folder) override;
    QString existingFolder(QWidget* parent, const QString& caption, const QString& folder) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                         const QString& filter, const QString& defaultSuffix) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QColor> pickColor(QWidget* parent, const QColor& initial) override;
    bool setupPrinter(QWidget* parent, QPrinter& printer, PrintDialogPurpose purpose) override;
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

} // namespace qw
