#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// What a start of the program was asked to do by its command line.
struct StartRequest
{
    enum class Action { Run, Version, Help, Unknown };
    Action action = Action::Run;
    // The files to open, in the order named, made absolute; names of
    // nothing that is a file are left out.
    QStringList files;
    // The option that was not understood (Action::Unknown).
    QString unknownOption;
};

// Reads the arguments after the program's own name (arguments.at(0)).
// "--version" and "--help" ("-h") win over files; "--" ends the options, so
// a file may begin with "-". Relative names are taken from workingFolder.
StartRequest parseStartArguments(const QStringList& arguments, const QString& workingFolder);

// The short usage "--help" prints, in Czech.
QString startUsageText();

} // namespace qw
