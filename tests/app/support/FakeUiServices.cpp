#include "FakeUiServices.h"

#include <utility>

namespace qw::test {

bool FakeUiServices::allAnswersUsed() const
{
    return yesNoCancelAnswers.isEmpty() && yesNoAnswers.isEmpty() && openFileNames.isEmpty() &&
           saveFileNames.isEmpty() && inputResults.isEmpty() && colorResults.isEmpty() &&
           printerSetups.isEmpty() && choiceAnswers.isEmpty() && folderNames.isEmpty();
}

UiServices::Answer FakeUiServices::askYesNoCancel(QWidget*, const QString& text)
{
    questions << text;
    events << QStringLiteral("question: ") + text;
    if (whileAsking)
        std::exchange(whileAsking, nullptr)();
    if (yesNoCancelAnswers.isEmpty()) {
        m_unscripted << QStringLiteral("askYesNoCancel: ") + text;
        return Answer::Cancel;
    }
    return yesNoCancelAnswers.takeFirst();
}

bool FakeUiServices::askYesNo(QWidget*, const QString& text)
{
    questions << text;
    events << QStringLiteral("question: ") + text;
    if (yesNoAnswers.isEmpty()) {
        m_unscripted << QStringLiteral("askYesNo: ") + text;
        return false;
    }
    return yesNoAnswers.takeFirst();
}

int FakeUiServices::askChoice(QWidget*, const QString& text, const QStringList& buttons)
{
    questions << text;
    events << QStringLiteral("question: ") + text;
    choiceButtons << buttons;
    if (choiceAnswers.isEmpty()) {
        m_unscripted << QStringLiteral("askChoice: ") + text;
        return -1;
    }
    return choiceAnswers.takeFirst();
}

void FakeUiServices::notify(QWidget*, Icon icon, const QString& text)
{
    notices << Notice{icon, text};
    events << QStringLiteral("notice: ") + text;
}

QString FakeUiServices::openFileName(QWidget*, const QString& caption, const QString& filter,
                                     const QString& folder)
{
    openCaptions << caption;
    openFilters << filter;
    openFolders << folder;
    events << QStringLiteral("open dialog");
    if (openFileNames.isEmpty()) {
        m_unscripted << QStringLiteral("openFileName: ") + caption;
        return {};
    }
    return openFileNames.takeFirst();
}

QString FakeUiServices::openPictureFileName(QWidget* parent, const QString& caption,
                                            const QString& filter, const QString& folder)
{
    ++pictureDialogs;
    events << QStringLiteral("picture dialog");
    return openFileName(parent, caption, filter, folder);
}

QString FakeUiServices::openProgramFileName(QWidget* parent, const QString& caption,
                                            const QString& folder)
{
    ++programDialogs;
    events << QStringLiteral("program dialog");
    return openFileName(parent, caption, QString(), folder);
}

QString FakeUiServices::existingFolder(QWidget*, const QString& caption, const QString& folder)
{
    folderStarts << folder;
    events << QStringLiteral("folder dialog: ") + caption;
    if (folderNames.isEmpty()) {
        m_unscripted << QStringLiteral("folder dialog: ") + caption;
        return {};
    }
    return folderNames.takeFirst();
}

QString FakeUiServices::saveFileName(QWidget*, const QString& folder, const QString& proposed,
                                     const QString& filter, const QString& defaultSuffix)
{
    saveRequests << SaveRequest{folder, proposed, filter, defaultSuffix};
    events << QStringLiteral("save dialog: ") + proposed;
    if (saveFileNames.isEmpty()) {
        m_unscripted << QStringLiteral("saveFileName: ") + proposed;
        return {};
    }
    return saveFileNames.takeFirst();
}

std::optional<QString> FakeUiServices::inputText(QWidget*, const QString& title,
                                                 const QString& prompt, const QString&)
{
    events << QStringLiteral("input: ") + prompt;
    if (inputResults.isEmpty()) {
        m_unscripted << QStringLiteral("inputText: ") + title;
        return std::nullopt;
    }
    return inputResults.takeFirst();
}

std::optional<QColor> FakeUiServices::pickColor(QWidget*, const QColor& initial)
{
    colorRequests << initial;
    events << QStringLiteral("colour dialog");
    if (colorResults.isEmpty()) {
        m_unscripted << QStringLiteral("pickColor");
        return std::nullopt;
    }
    return colorResults.takeFirst();
}

bool FakeUiServices::setupPrinter(QWidget*, QPrinter& printer, PrintDialogPurpose purpose)
{
    ++printDialogs;
    printPurposes << purpose;
    events << QStringLiteral("print dialog");
    if (printerSetups.isEmpty()) {
        m_unscripted << QStringLiteral("setupPrinter");
        return false;
    }
    return printerSetups.takeFirst()(printer);
}

} // namespace qw::test
