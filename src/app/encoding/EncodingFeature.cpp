#include "app/encoding/EncodingFeature.h"

#include "app/editor/ScintillaEditor.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "core/text/CharsetDeclaration.h"

namespace qw {

EncodingFeature::EncodingFeature(const FeatureContext& context, Choose chooser, QObject* parent)
    : QObject(parent), m_context(context), m_choose(std::move(chooser))
{
    const struct
    {
        const char* id;
        TextEncoding encoding;
    } commands[] = {
        {"file.encodingWindows1250", TextEncoding::Windows1250},
        {"file.encodingUtf8", TextEncoding::Utf8},
        {"file.encodingUtf8Bom", TextEncoding::Utf8Bom},
    };
    for (const auto& c : commands) {
        const TextEncoding encoding = c.encoding;
        m_context.commands.registerAction(QString::fromLatin1(c.id),
                                          [this, encoding](ActionPlace) { choose(encoding); });
    }
}

void EncodingFeature::choose(TextEncoding encoding)
{
    ScintillaEditor* editor = m_context.documents.current();
    if (editor == nullptr)
        return;
    m_choose(encoding);
    // The declaration stands at the page's start: only that much is read.
    const qsizetype head = std::min(editor->length(), kCharsetSearchLength);
    const auto update = charsetUpdateFor(editor->textRange(0, head), encoding);
    if (!update)
        return;
    const QString question =
        QStringLiteral("Stránka uvádí kódování „%1“. Změnit je na „%2“?")
            .arg(editor->textRange(update->start, update->start + update->length), update->name);
    if (!m_context.ui.askYesNo(m_context.window, question))
        return;
    editor->setSelectionStart(update->start);
    editor->setSelectionLength(update->length);
    editor->replaceSelection(update->name);
}

} // namespace qw
