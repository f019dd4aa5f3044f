#pragma once

#include "app/services/UiServices.h"

#include <QColor>

namespace qw::bench {

// The window's services for a benchmark: every question is refused, every
// dialog cancelled (the print dialog unless confirmPrint is set) and notices
// are only counted, so nothing ever waits.
class QuietUiServices : public UiServices
{
public:
    int notices = 0;

    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::Cancel; }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    int askChoice(QWidget*, const QString&, const QStringList&) override { return -1; }
    void notify(QWidget*, Icon, const QString&) override { ++notices; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString openPictureFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString openProgramFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString existingFolder(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override
    {
        return {};
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&,
                                     const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QColor> pickColor(QWidget*, const QColor&) override { return std::nullopt; }
    // The print dialog is confirmed as preset only where a benchmark prints.
    bool confirmPrint = false;
    bool setupPrinter(QWidget*, QPrinter&, PrintDialogPurpose) override { return confirmPrint; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

} // namespace qw::bench
