#include "app/elements/ElementDialogs.h"

#include "app/elements/AppletDialog.h"
#include "app/elements/BodyDialog.h"
#include "app/elements/FontDialog.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/FormDialog.h"
#include "app/elements/FrameDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/ScriptDialog.h"
#include "app/elements/TableDialogs.h"
#include "app/elements/TextAreaDialog.h"

namespace qw {

ElementDialogs::ElementDialogs(ElementDialogContext context, QWidget* parentWindow)
    : QObject(parentWindow), m_context(std::move(context)), m_parent(parentWindow)
{}

ElementDialog* ElementDialogs::dialogFor(ElementDialogId id)
{
    switch (id) {
    case ElementDialogId::Link:
        return &get<LinkDialog>();
    case ElementDialogId::Body:
        return &get<BodyDialog>();
    case ElementDialogId::Image:
        return &get<ImageDialog>();
    case ElementDialogId::Table:
        return &get<TableDialog>();
    case ElementDialogId::Row:
        return &get<RowDialog>();
    case ElementDialogId::Cell:
        return &get<CellDialog>();
    case ElementDialogId::Applet:
        return &get<AppletDialog>();
    case ElementDialogId::FormControl:
        return &get<FormControlDialog>();
    case ElementDialogId::Font:
        return &get<FontDialog>();
    case ElementDialogId::Form:
        return &get<FormDialog>();
    case ElementDialogId::Frameset:
        return &get<FramesetDialog>();
    case ElementDialogId::Frame:
        return &get<FrameDialog>();
    case ElementDialogId::InlineFrame:
        return &get<InlineFrameDialog>();
    case ElementDialogId::HorizontalRule:
        return &get<LineDialog>();
    case ElementDialogId::TextArea:
        return &get<TextAreaDialog>();
    case ElementDialogId::Script:
        return &get<ScriptDialog>();
    }
    return nullptr;
}

void ElementDialogs::open(ElementDialog& dialog, const Opening& opening,
                          const std::function<void(ElementDialog&)>& setup)
{
    dialog.forgetFilledValues();
    if (opening.reset)
        dialog.resetDialogFields();
    dialog.setMode(opening.mode);
    if (opening.caption)
        dialog.setWindowTitle(*opening.caption);
    if (setup)
        setup(dialog);
    if (opening.fill)
        dialog.fillDialogFromAttributes(*m_context.attributes);
    dialog.prepareToShow();
    show(dialog);
}

bool ElementDialogs::openForEditTag(const EditTagTarget& target)
{
    if (target.row == nullptr)
        return false;
    ElementDialog* dialog = dialogFor(target.row->dialog);
    if (dialog == nullptr)
        return false;
    Opening opening;
    opening.mode = ElementMode::Edit;
    opening.reset = target.row->resetFirst;
    if (!target.row->caption.isEmpty())
        opening.caption = target.row->caption.toString();
    opening.fill = true;
    open(*dialog, opening, [&target](ElementDialog& d) { d.applyEditTagSetup(target); });
    return true;
}

void ElementDialogs::show(QDialog& dialog)
{
    if (m_show)
        m_show(dialog);
    else
        dialog.exec();
}

} // namespace qw
