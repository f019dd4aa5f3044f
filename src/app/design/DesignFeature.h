#pragma once

#include "app/design/DesignDocument.h"
#include "app/design/DesignProperty.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/FeatureContext.h"
#include "core/design/DesignWriteBack.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
class QVBoxLayout;

namespace qw {

class ScintillaEditor;

// The page "Design": the current document edited visually. The source text
// stays the master copy. Entering the page loads the current editor's text
// into the design document; leaving it, changing tabs or any file command
// takes the document back into the editor it was loaded from, but only what
// the user changed there (the write-back), as one undo step, so that a page
// entered and left without an edit keeps every byte and its modified flag.
// The document is always asked for what it holds now, never trusted to have
// reported its last change yet; when it cannot answer, the page is not left
// and the command does not go on.
class DesignFeature : public QObject, public PageHandler
{
    Q_OBJECT
public:
    // Makes the design document, placing its view in the page's layout;
    // null when it cannot be made. By default the document over a web view.
    using DocumentFactory = std::function<DesignDocument*(QVBoxLayout* page)>;
    // The replacements that take the loaded source to the edited document.
    using WriteBack = std::function<QList<TextReplacement>(
        const QString& source, const DesignSnapshot& loaded, const DesignSnapshot& left,
        const DesignWriteBackOptions& options)>;
    // Opens the element dialog of a property command (the window's dialog
    // openers).
    using PropertyOpener = std::function<void(DesignProperty)>;

    DesignFeature(const FeatureContext& context, WriteBack writeBack, QObject* parent = nullptr);

    void setDocumentFactory(DocumentFactory factory) { m_factory = std::move(factory); }
    void setWriteBack(WriteBack writeBack) { m_writeBack = std::move(writeBack); }
    void setPropertyOpener(PropertyOpener opener) { m_propertyOpener = std::move(opener); }

    // The design document once the page was shown successfully.
    DesignDocument* document() const { return m_document; }
    // The editor the document was last loaded from (null once it is gone).
    ScintillaEditor* loadedEditor() const { return m_loadedEditor; }

    // PageHandler
    bool showPage() override;
    bool leavePage() override;
    void followDocument() override;
    bool syncIntoEditor() override;

    // Whether the page holds edits of editor that are not in it yet, as the
    // document has reported them: what the modified mark follows.
    bool holdsEditsOf(const ScintillaEditor* editor) const;
    // The same asked of the document itself, for a decision that would
    // throw such edits away; a document that cannot answer holds some.
    bool holdsEditsNow(const ScintillaEditor* editor);

    // The context menu with its states as the document reports them now.
    // The caller owns it.
    QMenu* buildContextMenu(QWidget* parent);
    // The last menu popped up by the document's request (tests inspect it).
    QMenu* contextMenu() const { return m_menu; }

Q_SIGNALS:
    // The design document reported a change of selection, states or text.
    void stateChanged();
    // holdsEditsOf() changed its answer.
    void pendingEditsChanged();

private:
    DesignDocument* makeWebDocument(QVBoxLayout* page);
    void load();
    // False when the document could not be had (the user was told).
    bool writeBack();
    void setPendingEdits(bool pending);
    void popUpContextMenu(const QPoint& globalPos);
    void insertTable();
    void runIf(DesignCommand command, DesignStatus wanted, int option);

    FeatureContext m_context;
    WriteBack m_writeBack;
    DocumentFactory m_factory;
    PropertyOpener m_propertyOpener;
    DesignDocument* m_document = nullptr;
    QPointer<ScintillaEditor> m_loadedEditor;
    // The editor's text as the document was loaded from it (or as the last
    // write-back left it) and the document's snapshot matching it; none
    // while the one taken at loading is the base.
    QString m_loadedText;
    std::optional<DesignSnapshot> m_base;
    bool m_loadPending = false;
    // The document reported edits since it was last taken back.
    bool m_pendingEdits = false;
    // Taken back in this turn of the event loop: nothing can have reached
    // the view since, so the next hand-over of the same turn needs no
    // second snapshot.
    bool m_handedOver = false;
    QPointer<QMenu> m_menu;
};

} // namespace qw
