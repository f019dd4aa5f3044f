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
    // The open document of the file at path (the same file by any path), or
    // null when it is not open.
    virtual ScintillaEditor* editorOfFile(const QString& path) const = 0;
    // Makes the document of the file at path the current one, opening it
    // when it is not open; null when it cannot be opened.
    virtual ScintillaEditor* showDocumentOf(const QString& path) = 0;
};

} // namespace qw
