#pragma once

#include "core/text/TextEncoding.h"

#include <QString>

namespace qw {

class ScintillaEditor;

// What a feature may do with the open documents, without knowing the tabs.
class DocumentAccess
{
public:
    virtual ~DocumentAccess() = default;

    // The current document's editor, or null when there is none.
    virtual ScintillaEditor* current() const = 0;
    // The current document's file, or empty when it has none yet.
    virtual QString currentFilePath() const = 0;
    virtual TextEncoding currentEncoding() const = 0;
    // A new document (named like every new one) holding text, unmodified,
    // saved later in encoding. Becomes the current document.
    virtual void openTextAsNewDocument(const QString& text, TextEncoding encoding) = 0;
};

} // namespace qw
