#include "core/markup/TagAttributeList.h"

#include "core/editor/EditorWidget.h"

namespace qw {

namespace {
bool isAsciiUpper(QChar c)
{
    return c >= u'A' && c <= u'Z';
}
bool isAsciiLower(QChar c)
{
    return c >= u'a' && c <= u'z';
}
} // namespace

QString asciiLower(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (isAsciiUpper(c))
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return out;
}

QString asciiUpper(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (isAsciiLower(c))
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return out;
}

QString tagNameCase(QStringView name, TagCaseOptions options)
{
    return options.upperTag ? asciiLower(name) : asciiUpper(name);
}

namespace {
bool sameNameIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        QChar x = a[i];
        QChar y = b[i];
        if (isAsciiUpper(x))
            x = QChar(x.unicode() + (u'a' - u'A'));
        if (isAsciiUpper(y))
            y = QChar(y.unicode() + (u'a' - u'A'));
        if (x != y)
            return false;
    }
    return true;
}
} // namespace

bool TagAttributeList::holdsTag() const
{
    return !sameNameIgnoringAsciiCase(m_tagName, emptyName());
}

void TagAttributeList::clearTagAttributes()
{
    m_attributes.clear();
    m_tagName = emptyName().toString();
}

void TagAttributeList::setTagAttribute(QStringView name, const QString& value)
{
    for (qsizetype i = 0; i < m_attributes.size(); ++i) {
        if (!sameNameIgnoringAsciiCase(m_attributes[i].name, name))
            continue;
        if (value.isEmpty())
            m_attributes.removeAt(i);
        else
            m_attributes[i].value = value;
        return;
    }
    if (!value.isEmpty())
        m_attributes.append(TagAttribute{name.toString(), value});
}

void TagAttributeList::setBareTagAttribute(QStringView name)
{
    for (TagAttribute& attribute : m_attributes) {
        if (sameNameIgnoringAsciiCase(attribute.name, name)) {
            attribute.value.reset();
            return;
        }
    }
    m_attributes.append(TagAttribute{name.toString(), std::nullopt});
}

const TagAttribute* TagAttributeList::findTagAttribute(QStringView name) const
{
    for (const TagAttribute& attribute : m_attributes) {
        if (sameNameIgnoringAsciiCase(attribute.name, name))
            return &attribute;
    }
    return nullptr;
}

void TagAttributeList::applyTagCase(TagCaseOptions options)
{
    m_tagName = tagNameCase(m_tagName, options);
    for (TagAttribute& attribute : m_attributes)
        attribute.name = tagNameCase(attribute.name, options);
}

QString TagAttributeList::formatTagAttributes() const
{
    QString result;
    // Whether the result holds anything but spaces and control characters;
    // kept as we append so the check stays linear in the number of attributes.
    bool visible = false;
    const auto anyVisible = [](QStringView text) {
        for (QChar c : text) {
            if (c.unicode() > u' ')
                return true;
        }
        return false;
    };
    for (const TagAttribute& attribute : m_attributes) {
        if (visible) {
            result += u' ';
            result += attribute.name;
        } else {
            result = attribute.name;
        }
        visible = visible || anyVisible(attribute.name);
        if (attribute.value) {
            result += u"=\"";
            result += *attribute.value;
            result += u'"';
            visible = true;
        }
    }
    if (!result.isEmpty())
        result.prepend(u' ');
    return result;
}

QString TagAttributeList::composeTagText(QStringView name, const QString& innerText,
                                         bool withEndTag, TagCaseOptions options, QString* endTag)
{
    applyTagCase(options);
    const QString casedName = tagNameCase(name, options);
    QString text = u'<' + casedName + formatTagAttributes() + u'>' + innerText;
    if (withEndTag) {
        *endTag = QStringLiteral("</") + casedName + u'>';
        text += *endTag;
    }
    return text;
}

QString TagAttributeList::buildTagText(QStringView name, const QString& innerText, bool withEndTag,
                                       TagCaseOptions options)
{
    QString endTag;
    const QString text = composeTagText(name, innerText, withEndTag, options, &endTag);
    clearTagAttributes();
    return text;
}

QString TagAttributeList::buildTagText(EditorWidget& editor, QStringView name,
                                       const QString& innerText, bool withEndTag, bool insert,
                                       TagCaseOptions options)
{
    QString endTag;
    const QString text = composeTagText(name, innerText, withEndTag, options, &endTag);
    if (insert) {
        editor.replaceSelection(text);
        if (withEndTag)
            editor.setSelectionStart(editor.selectionStart() - endTag.size());
    }
    clearTagAttributes();
    return text;
}

void TagAttributeList::insertTagText(EditorWidget& editor, QStringView name,
                                     const QString& innerText, bool withEndTag,
                                     TagCaseOptions options)
{
    QString endTag;
    editor.replaceSelection(composeTagText(name, innerText, withEndTag, options, &endTag));
    if (!withEndTag)
        editor.setSelectionStart(editor.selectionStart() - 1);
}

} // namespace qw
