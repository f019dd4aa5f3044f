#include "app/assist/AssistFeature.h"

#include "app/assist/MarkupAssist.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace qw {

AssistFeature::AssistFeature(const FeatureContext& context, const TagDefinitions& definitions,
                             QObject* parent)
    : QObject(parent), m_context(context), m_definitions(definitions)
{
    context.commands.registerAction(u"edit.gotoPartnerTag"_s, [this](ActionPlace) {
        if (MarkupAssist* assist = MarkupAssist::of(m_context.pages.sourceEditor()))
            assist->goToPartner();
    });
}

void AssistFeature::attach(ScintillaEditor* editor)
{
    new MarkupAssist(editor, m_definitions, m_context.settings, [this, editor]() -> QString {
        // Only the current document is typed into.
        if (m_context.documents.current() != editor)
            return QString();
        const QString path = m_context.documents.currentFilePath();
        return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    });
}

} // namespace qw
