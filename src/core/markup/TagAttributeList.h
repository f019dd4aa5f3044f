#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace qw {

class EditorWidget;

// Letter case of the tag and attribute names the program writes. The user's
// setting is worded "insert HTML in small letters", so upperTag == true means
// LOWER case; false means upper case. Values are never touched.
struct TagCaseOptions
{
    bool upperTag = true;
};

// Plain ASCII case mapping (only A-Z and a-z change): tag and attribute names
// keep any national letters exactly as typed.
QString asciiLower(QStringView text);
QString asciiUpper(QStringView text);
// A name in the case the options ask for.
QString tagNameCase(QStringView name, TagCaseOptions options);

// One attribute of a tag. A bare attribute (a flag such as nowrap) has no
// value; an attribute written as name="" has an empty one. The writer keeps
// the two apart.
struct TagAttribute
{
    QString name;
    std::optional<QString> value;

    bool operator==(const TagAttribute&) const = default;
};

// The one in-memory tag the dialogs, the tag parser and the tag inspector
// share: a tag name and its attributes in the order they are written. The
// empty list is named "root"; callers test for that name (ignoring case) to
// know that no tag is loaded.
class TagAttributeList
{
public:
    static constexpr QStringView emptyName() { return u"root"; }

    QString tagName() const { return m_tagName; }
    const QList<TagAttribute>& attributes() const { return m_attributes; }
    // False for the empty list, and for a tag that is literally named root.
    bool holdsTag() const;

    // Removes every attribute and names the list "root".
    void clearTagAttributes();

    // Finds the attribute by name ignoring ASCII case. Found: a non-empty value
    // replaces the old one in place (the name keeps its old spelling), an empty
    // value removes it. Not found: a non-empty value is appended under the name
    // as passed; an empty value does nothing. Dialogs pass a field's text, so an
    // empty field simply leaves the attribute out.
    void setTagAttribute(QStringView name, const QString& value);

    // Makes the attribute a bare flag (no "=" written): in place when the tag
    // has it, else appended under the name as passed.
    void setBareTagAttribute(QStringView name);

    // First attribute whose name matches ignoring ASCII case, or null.
    const TagAttribute* findTagAttribute(QStringView name) const;

    // Tag name and every attribute name to the configured case.
    void applyTagCase(TagCaseOptions options);

    // The attribute part of a start tag: empty, or each attribute preceded by
    // one space, values verbatim between double quotes (no escaping).
    QString formatTagAttributes() const;

    // Composes "<name attrs>inner" (+ "</name>" when asked) with the names in
    // the configured case, then empties the list. The text is returned.
    QString buildTagText(QStringView name, const QString& innerText, bool withEndTag,
                         TagCaseOptions options);
    // The same, and when insert is set the text replaces the editor's selection;
    // with an end tag the caret is then put between the inner text and the end
    // tag, without one it stays after the text.
    QString buildTagText(EditorWidget& editor, QStringView name, const QString& innerText,
                         bool withEndTag, bool insert, TagCaseOptions options);

    // Composes like buildTagText, always replaces the selection and keeps the
    // list. Without an end tag the caret goes back one character, so after an
    // empty inner text it stands before the closing ">" inside the tag (the tag
    // inspector rewrites the tag under the caret this way).
    void insertTagText(EditorWidget& editor, QStringView name, const QString& innerText,
                       bool withEndTag, TagCaseOptions options);

    // Reads the text of one tag, from "<" to ">", and APPENDS its attributes
    // (callers clear the list first). The list takes the tag's name; the name
    // in ASCII upper case is returned: it is the program's current tag name
    // ("IMG", "/A", "!--"). The parse is deliberately simple and its quirks are
    // relied on by stored documents and callers: line breaks are deleted (not
    // turned into spaces), only a space separates, only double quotes quote.
    QString parseTagText(const QString& tagText, TagCaseOptions options);

private:
    QString composeTagText(QStringView name, const QString& innerText, bool withEndTag,
                           TagCaseOptions options, QString* endTag);

    QString m_tagName = emptyName().toString();
    QList<TagAttribute> m_attributes;
};

} // namespace qw
