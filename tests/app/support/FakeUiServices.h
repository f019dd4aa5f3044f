#pragma once

#include "app/services/UiServices.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace qw::test {

// A scripted stand-in for the desktop's dialogs. Tests queue the answers the
// user would give; every question, notice and dialog request is recorded so
// it can be asserted. Nothing here ever opens a window.
//
// A question asked with no answer queued is answered with Cancel (or No, an
// empty file name, a cancelled input) and remembered in unscripted(): a test
// that checks unscripted() is empty and every queue is used up knows the
// window asked exactly what the test expected.
class FakeUiServices : public UiServices
{
public:
    struct Notice
    {
        Icon icon = Icon::None;
        QString text;
    };
    struct SaveRequest
    {
        QString folder;
        QString proposed;
        QString filter;
        QString defaultSuffix;
    };

    // Answers, used from the front.
    QList<Answer> yesNoCancelAnswers;
    QList<bool> yesNoAnswers;
    QList<int> choiceAnswers;  // the index of the button chosen
    QStringList openFileNames; // an empty entry means the dialog was cancelled
    QStringList saveFileNames;
    QStringList folderNames; // an empty entry means the folder dialog was cancelled
    QList<std::optional<QString>> inputResults;
    QList<std::optional<QColor>> colorResults; // nullopt: the colour dialog was cancelled
    // One entry per print dialog: it makes the user's choice on the printer
    // and returns whether the dialog was confirmed.
    QList<std::function<bool(QPrinter&)>> printerSetups;
    QDateTime clock = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 30));

    // What the window asked and showed, in order.
    QStringList questions;
    QList<QStringList> choiceButtons; // the buttons each choice offered
    QList<Notice> notices;
    QList<SaveRequest> saveRequests;
    QStringList openCaptions;
    int pictureDialogs = 0;      // how many of the open dialogs were the picture dialog
    int programDialogs = 0;      // how many of them offered programs only
    QStringList openFilters;     // the filter each open dialog offered
    QStringList openFolders;     // the folder each open dialog started in
    QStringList folderStarts;    // the folder each folder dialog started in
    QList<QColor> colorRequests; // the colour each colour dialog was preset to
    int printDialogs = 0;
    QList<PrintDialogPurpose> printPurposes; // what each print dialog was for
    // One line per call ("question: ...", "notice: ..."), so a test can check
    // the order against its own entries (for example a signal it listens to).
    QStringList events;

    const QStringList& unscripted() const { return m_unscripted; }
    // True when every queued answer was used.
    bool allAnswersUsed() const;

    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    int askChoice(QWidget* parent, const QString& text, const QStringList& buttons) override;
    void notify(QWidget* parent, Icon icon, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& folder) override;
    // Answered from openFileNames like any open dialog.
    QString openPictureFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& folder) override;
    // Answered from openFileNames like any open dialog.
    QString openProgramFileName(QWidget* parent, const QString& caption,
                                const QString& folder) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                         const QString& filter, const QString& defaultSuffix) override;
    QString existingFolder(QWidget* parent, const QString& caption, const QString& folder) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QColor> pickColor(QWidget* parent, const QColor& initial) override;
    bool setupPrinter(QWidget* parent, QPrinter& printer, PrintDialogPurpose purpose) override;
    QDateTime now() override { return clock; }

    // Runs inside the next Yes / No / Cancel question, before it is answered:
    // what happens while the question is open (a file handed over, say).
    std::function<void()> whileAsking;

private:
    QStringList m_unscripted;
};

} // namespace qw::test
