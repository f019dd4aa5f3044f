#pragma once

// A stand-in for the design page's document: command states, the selection
// and the snapshots are what the test scripts; every call that would change
// the document is recorded, so tests check what the program asked of it.

#include "app/design/DesignDocument.h"

#include <QHash>
#include <QStringList>

namespace qw::test {

class FakeDesignDocument : public DesignDocument
{
public:
    using DesignDocument::DesignDocument;

    // Scripted answers.
    QHash<DesignCommand, DesignStatus> statuses; // missing: not supported
    QHash<DesignCommand, QString> outputs;       // the Get* commands' values
    QString selection = QStringLiteral("Text");
    std::optional<DesignElement> element;
    std::optional<DesignElement> body;
    QString activeText;
    DesignSnapshot loaded;
    DesignSnapshot current;
    bool wasEdited = false;
    bool ready = true;
    // The view gives no snapshot (it does not answer in time).
    bool snapshotFails = false;

    // What was asked.
    struct Run
    {
        DesignCommand command;
        int option;
        QVariant input;
    };
    QList<Run> runs;
    QStringList pasted;
    QList<QList<QPair<QString, QString>>> links;
    QList<DesignAttributeChanges> elementChanges;
    QList<DesignAttributeChanges> bodyChanges;
    QList<DesignTableParams> tables;
    QStringList loadedHtml;
    QStringList loadedFolders;
    int snapshots = 0;

    DesignStatus commandStatus(DesignCommand command) const override
    {
        return statuses.value(command, DesignStatus::NotSupported);
    }
    QVariant runCommand(DesignCommand command, int option, const QVariant& input = {}) override
    {
        runs.append({command, option, input});
        const auto it = outputs.constFind(command);
        return it != outputs.constEnd() ? QVariant(*it) : QVariant();
    }
    QString selectionType() const override { return selection; }
    void pasteHtml(const QString& html) override
    {
        if (selection.compare(u"Control", Qt::CaseInsensitive) != 0)
            pasted << html;
    }
    void linkSelection(const QList<QPair<QString, QString>>& attributes) override
    {
        if (selection.compare(u"None", Qt::CaseInsensitive) != 0)
            links << attributes;
    }
    std::optional<DesignElement> selectedElement() const override { return element; }
    QString activeElementText() const override { return activeText; }
    void changeSelectedElement(const DesignAttributeChanges& changes) override
    {
        elementChanges << changes;
    }
    std::optional<DesignElement> bodyElement() const override { return body; }
    void changeBody(const DesignAttributeChanges& changes) override { bodyChanges << changes; }
    void insertTable(const DesignTableParams& params) override { tables << params; }
    void setHtml(const QString& html, const QString& baseFolder) override
    {
        loadedHtml << html;
        loadedFolders << baseFolder;
        wasEdited = false;
        current = loaded;
    }
    std::optional<DesignSnapshot> snapshot() override
    {
        ++snapshots;
        if (snapshotFails)
            return std::nullopt;
        return current;
    }
    DesignSnapshot loadedSnapshot() const override { return loaded; }
    bool isReady() const override { return ready; }
    bool edited() const override { return wasEdited; }

    // The user edits the document: its snapshot becomes next.
    void edit(const DesignSnapshot& next)
    {
        current = next;
        wasEdited = true;
        Q_EMIT contentChanged();
        Q_EMIT stateChanged();
    }
};

} // namespace qw::test
