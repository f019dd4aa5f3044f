#pragma once

#include "app/services/FeatureContext.h"

#include <QObject>

namespace qw {

class ScintillaEditor;
class TagDefinitions;

// The writing aids of the source editors: attaches a MarkupAssist to every
// editor the window makes and registers "Přejít na párový tag".
class AssistFeature : public QObject
{
    Q_OBJECT
public:
    AssistFeature(const FeatureContext& context, const TagDefinitions& definitions,
                  QObject* parent = nullptr);

    // Gives a new document's editor its aids.
    void attach(ScintillaEditor* editor);

private:
    FeatureContext m_context;
    const TagDefinitions& m_definitions;
};

} // namespace qw
