#include "core/transform/TextTransformCommands.h"

#include "core/editor/EditorWidget.h"
#include "core/transform/CzechLetters.h"
#include "core/transform/DateTimeText.h"
#include "core/transform/HtmlText.h"
#include "core/transform/LineTransforms.h"
#include "core/transform/TagCase.h"
#include "core/transform/TextCase.h"

#include <algorithm>

namespace qw {

namespace {

void transformWholeText(EditorWidget& editor, const std::function<QString(QStringView)>& transform,
                        bool keepCaret)
{
    const qsizetype caret = editor.selectionStart();
    UndoGroup group(editor);
    replaceWholeText(editor, transform(editor.text()));
    editor.setSelectionStart(keepCaret ? caret : 0);
}

void replaceSelectionWith(EditorWidget& editor, const QString& text)
{
    UndoGroup group(editor);
    editor.replaceSelection(text);
}

std::function<QString(QStringView)> caseChange(CaseChange change)
{
    return [change](QStringView text) {
        return changeCaseOutsideTags(text, change);
    };
}

} // namespace

void replaceWholeText(EditorWidget& editor, const QString& text)
{
    const QString old = editor.text();
    const qsizetype common = std::min(old.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < common && old[prefix] == text[prefix])
        ++prefix;
    if (prefix == old.size() && prefix == text.size())
        return;
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    // Never cut a line break in two: the editor keeps CR LF as one break.
    if (prefix > 0 && old[prefix - 1] == u'\r')
        --prefix;
    if (suffix > 0 && old[old.size() - suffix] == u'\n')
        --suffix;
    replaceRange(editor, prefix, old.size() - suffix,
                 text.mid(prefix, text.size() - suffix - prefix));
}

void transformSelectionOrWholeText(EditorWidget& editor,
                                   const std::function<QString(QStringView)>& transform)
{
    if (editor.selectionLength() == 0) {
        transformWholeText(editor, transform, true);
        return;
    }
    const qsizetype start = editor.selectionStart();
    const qsizetype length = editor.selectionLength();
    UndoGroup group(editor);
    editor.replaceSelection(transform(editor.selectedText()));
    editor.setSelectionStart(start);
    editor.setSelectionLength(length);
}

void runTextTransformation(EditorWidget& editor, TextTransformation transformation,
                           const TransformContext& context)
{
    switch (transformation) {
    case TextTransformation::RemoveDiacritics:
        transformSelectionOrWholeText(editor, [](QStringView t) { return removeDiacritics(t); });
        return;
    case TextTransformation::UpperCase:
        transformSelectionOrWholeText(editor, caseChange(CaseChange::Upper));
        return;
    case TextTransformation::LowerCase:
        transformSelectionOrWholeText(editor, caseChange(CaseChange::Lower));
        return;
    case TextTransformation::InvertCase:
        transformSelectionOrWholeText(editor, caseChange(CaseChange::Invert));
        return;
    case TextTransformation::FirstCapital:
        transformSelectionOrWholeText(editor, caseChange(CaseChange::FirstCapital));
        return;
    case TextTransformation::TextToHtml:
        transformWholeText(
            editor,
            [&context](QStringView t) {
                return textToHtml(t, context.templateHead, context.templateFoot);
            },
            false);
        return;
    case TextTransformation::RemoveHtml:
        transformWholeText(
            editor, [](QStringView t) { return removeHtml(t); }, false);
        return;
    case TextTransformation::RemoveSurplusLines:
        transformWholeText(
            editor, [](QStringView t) { return removeSurplusLines(t); }, false);
        return;
    case TextTransformation::TagsToUpperCase:
        transformWholeText(
            editor, [](QStringView t) { return convertTagCase(t, LetterCase::Upper); }, true);
        return;
    case TextTransformation::TagsToLowerCase:
        transformWholeText(
            editor, [](QStringView t) { return convertTagCase(t, LetterCase::Lower); }, true);
        return;
    case TextTransformation::TextToTable:
        replaceSelectionWith(editor, textToTable(editor.selectedText()));
        return;
    case TextTransformation::AddLineBreaks:
        if (editor.selectionLength() != 0)
            replaceSelectionWith(editor, addLineBreaks(editor.selectedText()));
        return;
    }
}

void insertDateTime(EditorWidget& editor, const QDateTime& now, const QLocale& locale)
{
    replaceSelectionWith(editor, dateTimeText(now, locale));
}

} // namespace qw
