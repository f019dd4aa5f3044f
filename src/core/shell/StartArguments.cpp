#include "core/shell/StartArguments.h"

#include <QDir>
#include <QFileInfo>

namespace qw {

StartRequest parseStartArguments(const QStringList& arguments, const QString& workingFolder)
{
    StartRequest request;
    const QDir base(workingFolder);
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            if (argument == u"--") {
                optionsEnded = true;
            } else if (argument == u"--version") {
                return StartRequest{StartRequest::Action::Version, {}, {}};
            } else if (argument == u"--help" || argument == u"-h") {
                return StartRequest{StartRequest::Action::Help, {}, {}};
            } else if (request.unknownOption.isEmpty()) {
                request.unknownOption = argument;
            }
            continue;
        }
        const QFileInfo info(base, argument);
        if (info.isFile())
            request.files << QDir::cleanPath(info.absoluteFilePath());
    }
    if (!request.unknownOption.isEmpty()) {
        request.action = StartRequest::Action::Unknown;
        request.files.clear();
    }
    return request;
}

QString startUsageText()
{
    return QStringLiteral("Použití: quenwick [VOLBY] [SOUBOR...]\n"
                          "Editor ručně psaných stránek HTML.\n"
                          "\n"
                          "Otevře zadané soubory v pořadí, v jakém jsou uvedeny. Když už program\n"
                          "běží, předá mu je a skončí.\n"
                          "\n"
                          "Volby:\n"
                          "  -h, --help     vypíše tuto nápovědu a skončí\n"
                          "      --version  vypíše verzi programu a skončí\n"
                          "  --             další argumenty jsou soubory, i když začínají '-'\n");
}

} // namespace qw
