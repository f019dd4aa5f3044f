#include "core/elements/ElementWrite.h"

#include "core/editor/EditorWidget.h"

namespace qw {

QString writeElement(EditorWidget& editor, TagAttributeList& list,
                     const ElementWriteRequest& request, TagCaseOptions options)
{
    if (request.mode == ElementMode::Insert)
        list.clearTagAttributes();
    for (const AttributeValue& v : request.values)
        list.setTagAttribute(v.attribute, v.value);

    switch (request.output) {
    case ElementOutput::WrappedInsert:
        return list.buildTagText(editor, request.element, request.text, true, true, options);
    case ElementOutput::StartTag: {
        const QString tag = list.buildTagText(request.element, QString(), false, options);
        editor.replaceSelection(tag);
        return tag;
    }
    case ElementOutput::OwnText:
        list.clearTagAttributes();
        editor.replaceSelection(request.text);
        return request.text;
    }
    return {};
}

} // namespace qw
