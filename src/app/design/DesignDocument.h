#pragma once

// What the rest of the program may do with the document of the design page.
// The web view behind it answers asynchronously; this interface is kept
// synchronous by caching what the view last reported (command states, the
// selection and the selected element) and by waiting briefly only where a
// caller needs the document's text.

#include "core/design/DesignWriteBack.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPoint>
#include <QString>
#include <QVariant>

#include <optional>

namespace qw {

// The editing commands, by the numbers the rest of the program uses for
// them.
enum class DesignCommand {
    Bold = 5000,
    Copy = 5002,
    Cut = 5003,
    DeleteCells = 5005,
    FindText = 5008,
    GetFontName = 5013,
    GetFontSize = 5014,
    GetForeColor = 5015,
    Hyperlink = 5016,
    Image = 5017,
    InsertCell = 5019,
    InsertCol = 5020,
    InsertRow = 5021,
    InsertTable = 5022,
    Italic = 5023,
    JustifyCenter = 5024,
    JustifyLeft = 5025,
    JustifyRight = 5026,
    MergeCells = 5029,
    OrderList = 5030,
    Paste = 5032,
    Redo = 5033,
    SelectAll = 5035,
    SetFontName = 5044,
    SetFontSize = 5045,
    SetForeColor = 5046,
    SplitCell = 5047,
    Undo = 5049,
    Unlink = 5050,
    UnorderList = 5051,
};

// A command's state: 0 not supported, 1 disabled, 3 enabled, 7 latched (the
// selection already has the format), 11 mixed.
enum class DesignStatus { NotSupported = 0, Disabled = 1, Enabled = 3, Latched = 7, Mixed = 11 };

// Execution options.
inline constexpr int kDesignDefault = 0;
inline constexpr int kDesignPromptUser = 1;

// The element selected when the view last reported its state.
struct DesignElement
{
    QString tagName;                           // upper case: "TD", "IMG"
    QList<QPair<QString, QString>> attributes; // as written on the element, in order
    QString innerText;

    // The attribute's value; nullopt when the element has no such attribute
    // (names compared without regard to case).
    std::optional<QString> attribute(const QString& name) const;
};

// Attribute changes for an element: a value sets the attribute, nullopt
// removes it.
using DesignAttributeChanges = QList<QPair<QString, std::optional<QString>>>;

struct DesignTableParams
{
    int rows = 1;
    int columns = 2;
    QString tableAttributes; // "border=1 width=100"
    QString cellAttributes;
    QString caption;
};

class DesignDocument : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual DesignStatus commandStatus(DesignCommand command) const = 0;
    // Runs the command on the selection; the Get* commands return their value
    // as text, the others an invalid QVariant.
    virtual QVariant runCommand(DesignCommand command, int option, const QVariant& input = {}) = 0;
    // "None", "Text" or "Control" (a whole object such as a picture or a
    // table is selected).
    virtual QString selectionType() const = 0;
    // Pastes html over the selection unless the selection is a control.
    virtual void pasteHtml(const QString& html) = 0;
    // For a text selection the parent element of the selection, for a
    // control selection the selected object; nullopt before the view is
    // ready.
    virtual std::optional<DesignElement> selectedElement() const = 0;
    // The text of the document's active element (the link being edited).
    virtual QString activeElementText() const = 0;
    // Makes the selection (text or an object) the content of a new link with
    // attributes (name, value); nothing of the selection is lost. A bare
    // caret gets nothing.
    virtual void linkSelection(const QList<QPair<QString, QString>>& attributes) = 0;
    // Changes the attributes of the element selectedElement() described.
    virtual void changeSelectedElement(const DesignAttributeChanges& changes) = 0;
    virtual std::optional<DesignElement> bodyElement() const = 0;
    virtual void changeBody(const DesignAttributeChanges& changes) = 0;
    virtual void insertTable(const DesignTableParams& params) = 0;

    // Loads html as the document (the page's folder is the base of relative
    // addresses). ready() follows when the view can be edited.
    virtual void setHtml(const QString& html, const QString& baseFolder) = 0;
    // The document as the view holds it now, as a snapshot; nullopt when
    // the view did not give it (no answer in time, or no document): the
    // caller must then act as if it could not see the document at all.
    virtual std::optional<DesignSnapshot> snapshot() = 0;
    // The one taken right after the last setHtml.
    virtual DesignSnapshot loadedSnapshot() const = 0;
    // The loaded document can be edited. Before that nothing the user does
    // can change it.
    virtual bool isReady() const = 0;
    // Whether the view reported a change since the last setHtml. The
    // reports come after the change, so this may still be false for the
    // last key: never a reason to skip taking the document back.
    virtual bool edited() const = 0;
    // The keyboard goes to the document: a person who enters the page types
    // into it at once, without a click first.
    virtual void takeFocus() {}

Q_SIGNALS:
    // The loaded document can be edited.
    void ready();
    // The selection, the command states or the document changed.
    void stateChanged();
    // The view reported a change of the document made since the last
    // snapshot (or load). Comes before the stateChanged() of that report.
    void contentChanged();
    // The user asks for the context menu at a global position.
    void contextMenuRequested(const QPoint& globalPos);
};

} // namespace qw
