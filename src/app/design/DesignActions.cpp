#include "app/design/DesignActions.h"

namespace qw {

namespace {
bool enabled(const DesignDocument& document, DesignCommand command)
{
    return document.commandStatus(command) == DesignStatus::Enabled;
}

void runFormat(DesignDocument& document, DesignCommand command)
{
    const DesignStatus status = document.commandStatus(command);
    if (status == DesignStatus::Enabled || status == DesignStatus::Latched)
        document.runCommand(command, kDesignPromptUser);
}
} // namespace

void runDesignAction(DesignDocument& document, DesignAction action, QStringView startText)
{
    switch (action) {
    case DesignAction::None:
        return;
    case DesignAction::Bold:
        return runFormat(document, DesignCommand::Bold);
    case DesignAction::Italic:
        return runFormat(document, DesignCommand::Italic);
    case DesignAction::JustifyCenter:
        return runFormat(document, DesignCommand::JustifyCenter);
    case DesignAction::JustifyRight:
        return runFormat(document, DesignCommand::JustifyRight);
    case DesignAction::JustifyLeft:
        return runFormat(document, DesignCommand::JustifyLeft);
    case DesignAction::PasteStartText:
        if (document.selectionType().compare(QStringLiteral("Control"), Qt::CaseInsensitive) != 0)
            document.pasteHtml(startText.toString());
        return;
    case DesignAction::InsertTable:
        if (enabled(document, DesignCommand::InsertTable))
            document.insertTable({1, 2, QStringLiteral("border=1 width=100"), {}, {}});
        return;
    case DesignAction::InsertRow:
        if (enabled(document, DesignCommand::InsertRow))
            document.runCommand(DesignCommand::InsertRow, kDesignDefault);
        return;
    case DesignAction::InsertCell:
        if (enabled(document, DesignCommand::InsertCell))
            document.runCommand(DesignCommand::InsertCell, kDesignDefault);
        return;
    }
}

void runDesignEditCommand(DesignDocument& document, DesignCommand command)
{
    if (!enabled(document, command))
        return;
    const bool selectAll = command == DesignCommand::SelectAll;
    document.runCommand(command, selectAll ? kDesignDefault : kDesignPromptUser);
}

} // namespace qw
