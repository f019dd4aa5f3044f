#pragma once

// The shared form of the element dialogs.
//
// A dialog declares its fields as a table of FieldDef rows (control name,
// label, kind, bound attribute, suggested items, focus colour on exit, group,
// page, browse button) and hands it to buildFields() in its constructor; the
// base lays the rows out (labels aligned, each label the buddy of its field),
// binds each field to its attribute, resets, fills from the attribute list
// and colours the focused field. The OK order is a list of field names given
// to setOkOrder(): OK sets each field's bound attribute from its value in
// that order, then writes.
//
// A dialog then holds only what is special about it, through these hooks:
// - elementName(): the element it writes ("a", "img");
// - insertOutput() / insertContent(): how insert mode writes (wrapped around
//   the selection by default);
// - validate(): refuse OK and stay open (the image dialog without address);
// - request(): the whole write request, for dialogs that compose more;
// - writeToSource(): for dialogs that write somewhere else (a new document);
// - writeToDesign(): OK on the design page (by default: the selected element
//   of the dialog's tag changed in edit mode, otherwise the text built as
//   for the source pasted over a text selection); it may refuse;
// - designWholeNumbers() / designUntouched(): attributes the default design
//   write converts to whole numbers or leaves alone;
// - browsed(): after a browse button put a path into its field;
// - applyEditTagSetup(): the extra set-up of the edit-tag command's row;
// - prepareToShow(): just before showing (focus, previews);
// - clearsOnClose(): false for dialogs that keep their values.
// runOk() is the OK button's logic and can be called without exec().

#include "app/design/DesignDocument.h"
#include "core/elements/ElementWrite.h"
#include "core/markup/EditTagDialogs.h"
#include "core/markup/LinkPath.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace qw {

class ColorCombo;
class DesignDocument;
class EditorWidget;
class UiServices;

// What the dialogs need from the window.
struct ElementDialogContext
{
    UiServices* ui = nullptr;
    // The window's one attribute list (the edit-tag command parsed the tag
    // into it).
    TagAttributeList* attributes = nullptr;
    // The current editor while the source page is shown, otherwise null: the
    // one place an OK chooses where it writes.
    std::function<EditorWidget*()> sourceEditor;
    // The design document while the design page is shown, otherwise null:
    // the other target of an OK.
    std::function<DesignDocument*()> designTarget;
    std::function<TagCaseOptions()> tagCase;
    std::function<LinkOptions()> linkOptions;
    // The current document's file (empty for an unsaved one).
    std::function<QString()> documentPath;
    // A browse button made link, the address of filePath, for the current
    // document (kept so a new document's first save can make it relative).
    std::function<void(const QString& link, const QString& filePath)> linkMade;
    // The general file dialog's filter in the desktop's form; with reset set,
    // it is first set back to the user's filter list.
    std::function<QString(bool reset)> fileFilter;
    // Puts a filter of a dialog's own on the general file dialog, where it
    // stays until the next reset.
    std::function<void(const QString& filter)> setFileFilter;
    // Opens a new empty document and returns its editor (null on failure).
    std::function<EditorWidget*()> newDocument;
};

enum class FieldKind { Edit, Combo, Memo, Check, Spin, Color };

// The background a field returns to when it loses the focus; None: the field
// is not coloured while it has the focus.
enum class FocusExit { None, White, Window };

enum class BrowseKind {
    None,
    Picture, // the picture dialog; the path through makeLinkPath
    File,    // the general file dialog; the path through makeLinkPath
    Custom,  // the dialog's own browse()
};

struct FieldDef
{
    QString name{};  // control name: "cmbHREF"
    QString label{}; // "Href:"; a check box's text; empty: the group names it
    FieldKind kind = FieldKind::Edit;
    QString attribute{}; // bound attribute in upper case; empty: not bound
    QStringList items{}; // a combo box's suggestions
    FocusExit focus = FocusExit::None;
    QString group{}; // caption of the group box it lies in
    QString page{};  // tab page it lies on
    BrowseKind browse = BrowseKind::None;
    QString browseHint{}; // the browse button's tool tip and accessible name
    QString browseName{}; // the browse button's control name ("btnOpen")
    int minimum = 0;      // spin fields
    int maximum = 100;
    int initial = 0; // a spin field's value, or 1 for a checked check box
    bool hidden = false;
};

// A text field bound to an attribute and coloured while it has the focus:
// the starting point of most rows of a dialog's table.
FieldDef editField(const char* name, const char* label, const char* attribute,
                   const QString& group = QString());

// Light yellow of the focused field.
inline constexpr QRgb kFocusColor = qRgb(255, 255, 128);

class ElementDialog : public QDialog
{
    Q_OBJECT
public:
    ElementDialog(ElementDialogContext& context, const QString& formCaption, QWidget* parent);

    ElementMode mode() const { return m_mode; }
    void setMode(ElementMode mode) { m_mode = mode; }

    // Empties edits, combo boxes and memos, unchecks check boxes and puts
    // colour fields on "Žádná"; spin fields keep their values.
    void resetDialogFields();
    // For each attribute in list order, every field bound to its upper-case
    // name takes its value (an attribute without value: empty text); colour
    // fields are set from the text. Memos, check boxes and spin fields are
    // never filled.
    void fillDialogFromAttributes(const TagAttributeList& attributes);

    // The design page's property commands, once the dialog is filled from
    // the element: a field still showing at OK what it was filled with
    // leaves its attribute as the element has it (a colour or a number the
    // field shows in a form of its own is not rewritten). Forgotten at every
    // opening and closing.
    void keepFilledValues();
    void forgetFilledValues() { m_filled.clear(); }

    // The edit-tag command's extra set-up for this dialog (its row).
    virtual void applyEditTagSetup(const EditTagTarget& target);
    // Called by the opener just before the dialog is shown. By default the
    // first field takes the focus (a dialog that names another field gives
    // it the focus instead).
    virtual void prepareToShow();

    // The OK button: validates, writes to the target and closes. False when
    // the dialog refused and stays open.
    bool runOk();

    // Field access by control name.
    QWidget* field(QStringView name) const;
    QString fieldText(QStringView name) const;
    void setFieldText(QStringView name, const QString& text);
    ColorCombo* colorField(QStringView name) const;
    QCheckBox* checkField(QStringView name) const;
    QSpinBox* spinField(QStringView name) const;
    QToolButton* browseButton(QStringView name) const;
    QGroupBox* groupBox(const QString& caption) const;
    QTabWidget* pages() const { return m_pages; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    const QList<FieldDef>& fieldDefs() const { return m_defs; }

    // Runs a browse button's action as the click does (tests call it).
    void browse(QStringView name);

    void done(int result) override;

protected:
    // Builds the widgets of the table; call once from the constructor.
    void buildFields(const QList<FieldDef>& fields);
    void setOkOrder(const QStringList& fieldNames) { m_okOrder = fieldNames; }
    // Where the dialog adds widgets of its own below the fields.
    QVBoxLayout* contentLayout() const { return m_content; }
    QFormLayout* formOf(const QString& group, const QString& page);
    ElementDialogContext& context() const { return m_context; }
    UiServices& ui() const { return *m_context.ui; }

    virtual QString elementName() const { return {}; }
    virtual ElementOutput insertOutput() const { return ElementOutput::WrappedInsert; }
    // The content of a wrapped insert: the editor's selected text by default.
    virtual QString insertContent(EditorWidget& editor) const;
    virtual bool validate() { return true; }
    // The attributes OK sets, in order: each field of the OK order with its
    // bound attribute and its value.
    virtual QList<AttributeValue> okValues() const;
    virtual ElementWriteRequest request(EditorWidget& editor) const;
    virtual void writeToSource(EditorWidget& editor);
    // False refuses the OK: nothing (further) is applied and the dialog stays
    // open.
    virtual bool writeToDesign(DesignDocument& document);
    // Upper-case attribute names whose fields the design write takes as
    // whole numbers, refusing a field that is not one.
    virtual QStringList designWholeNumbers() const { return {}; }
    // Upper-case attribute names the design write does not touch.
    virtual QStringList designUntouched() const { return {}; }
    // The attribute changes of the design write: each OK value set when not
    // empty, removed when empty; nullopt (after telling the user) when a
    // whole-number field holds something else.
    std::optional<DesignAttributeChanges> designChanges();
    // The text OK would write on the source page, built without an editor.
    QString designText() const;
    virtual void browseCustom(const FieldDef& def);
    virtual void browsed(const FieldDef& def, const QString& fullPath);
    virtual bool clearsOnClose() const { return true; }

    // The first field the dialog shows (on its current page) takes the
    // focus, whatever field had it when the dialog last closed.
    void focusFirstField();

    // The value OK reads from a field: text, colour value, "1"/"" for a
    // check box, the number of a spin field.
    QString fieldValue(const FieldDef& def) const;
    // The path a picked file becomes in a field.
    QString linkPath(const QString& fullPath) const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The field that has the focus opens with its text selected, so typing
    // replaces a value kept from the last use.
    void showEvent(QShowEvent* event) override;

private:
    struct Built
    {
        FieldDef def;
        QWidget* widget = nullptr;
        QLabel* label = nullptr;
        QToolButton* button = nullptr;
    };
    QWidget* makeWidget(const FieldDef& def);
    const Built* built(QStringView name) const;
    void setBackground(QWidget* widget, const QColor& color);

    ElementDialogContext& m_context;
    ElementMode m_mode = ElementMode::Insert;
    QList<FieldDef> m_defs;
    QList<Built> m_fields;
    QHash<QWidget*, FocusExit> m_focusExit;
    QStringList m_okOrder;
    // Bound attribute -> the value OK read from its field when filled.
    QHash<QString, QString> m_filled;
    QVBoxLayout* m_content = nullptr;
    QTabWidget* m_pages = nullptr;
    QHash<QString, QWidget*> m_pageWidgets;
    QHash<QString, QGroupBox*> m_groups;
    QHash<QString, QFormLayout*> m_forms;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qw
