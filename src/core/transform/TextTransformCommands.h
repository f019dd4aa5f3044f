#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <functional>

namespace qw {

class EditorWidget;

// The text tools of the "Nástroje" menu and the editor pop-up's
// "Označený text" submenu, applied to an editor. Each is one undo step.
enum class TextTransformation {
    RemoveDiacritics,   // "Odstranit diakritiku": selection or whole text
    UpperCase,          // "VELKÁ PÍSMENA": selection or whole text
    LowerCase,          // "malá písmena": selection or whole text
    InvertCase,         // "oTOČIT": selection or whole text
    FirstCapital,       // "První Velká": selection or whole text
    TextToHtml,         // "Převést text na HTML": whole text, caret to the start
    RemoveHtml,         // "Odstranit HTML": whole text, caret to the start
    RemoveSurplusLines, // "Odstranit přebytečné řádky": whole text, caret to the start
    TagsToUpperCase,    // "Konvertovat tagy na VELKÁ PÍSMENA": whole text, caret kept
    TagsToLowerCase,    // "Konvertovat tagy na malá písmena": whole text, caret kept
    TextToTable,        // "Převést text na tabulku": replaces the selection
    AddLineBreaks,      // "Přidat zalomení řádku <BR>": replaces the selection, if any
};

// What the tools take from outside the editor.
struct TransformContext
{
    // The page template of the settings, framing "Převést text na HTML".
    QStringList templateHead;
    QStringList templateFoot;
};

void runTextTransformation(EditorWidget& editor, TextTransformation transformation,
                           const TransformContext& context = {});

// The protocol of the tools that work on the selection or, without one, on the
// whole text. With a selection, the selected text is replaced by its
// transformed form and the same range (offset, signed length) is selected
// again. Without one the whole text is replaced and the caret put back at its
// offset. transform must keep the length of a selection for that to hold.
void transformSelectionOrWholeText(EditorWidget& editor,
                                   const std::function<QString(QStringView)>& transform);

// Replaces the whole text of the editor by text as one edit of the span that
// differs, so an unchanged document stays unmodified.
void replaceWholeText(EditorWidget& editor, const QString& text);

// "Datum a čas": replaces the selection with the date and time of now.
void insertDateTime(EditorWidget& editor, const QDateTime& now,
                    const QLocale& locale = QLocale::system());

} // namespace qw
