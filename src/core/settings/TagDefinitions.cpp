#include "core/settings/TagDefinitions.h"

#include "core/settings/IniFile.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

QString tagSection(QStringView tagName)
{
    return u'!' + tagName.toString();
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString withoutBlanks(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.sliced(from, to - from).toString();
}

} // namespace

AttributeEditorKind AttributeEditor::kind() const
{
    static constexpr struct
    {
        QStringView text;
        AttributeEditorKind kind;
    } kinds[] = {
        {u"STRING", AttributeEditorKind::String}, {u"COMBO", AttributeEditorKind::Combo},
        {u"FILE", AttributeEditorKind::File},     {u"IMAGE", AttributeEditorKind::Image},
        {u"COLOR", AttributeEditorKind::Color},   {u"FONT", AttributeEditorKind::Font},
    };
    for (const auto& k : kinds) {
        if (kindText == k.text)
            return k.kind;
    }
    return AttributeEditorKind::String;
}

SpecialCharacter splitSpecialCharacter(QStringView entry)
{
    qsizetype blank = 0;
    while (blank < entry.size() && !isBlank(entry[blank]))
        ++blank;
    if (blank == entry.size())
        return {QString(), withoutBlanks(entry)};
    return {withoutBlanks(entry.first(blank)), withoutBlanks(entry.sliced(blank))};
}

bool TagDefinitions::hasTag(QStringView tagName) const
{
    return m_file.sectionExists(tagSection(tagName));
}

QStringList TagDefinitions::tagNames() const
{
    QStringList names;
    for (const QString& section : m_file.sectionNames()) {
        if (section.startsWith(u'!') && section.size() > 1)
            names.append(section.sliced(1));
    }
    return names;
}

QStringList TagDefinitions::attributeNames(QStringView tagName) const
{
    return m_file.readSection(tagSection(tagName));
}

AttributeEditor TagDefinitions::attributeEditor(QStringView tagName,
                                                QStringView attributeName) const
{
    AttributeEditor editor;
    const std::optional<QString> stored = m_file.findValue(tagSection(tagName), attributeName);
    if (!stored)
        return editor;
    const QString& value = *stored;
    const qsizetype bar = value.indexOf(u'|');
    if (bar < 0) {
        editor.kindText = value;
        return editor;
    }
    editor.kindText = value.first(bar);
    if (editor.kindText != u"COMBO"_s)
        return editor;
    // Every "|" ends one choice; what follows the last one, even nothing, is
    // the last choice.
    QStringView rest = QStringView(value).sliced(bar + 1);
    for (qsizetype next = rest.indexOf(u'|'); next >= 0; next = rest.indexOf(u'|')) {
        editor.choices.append(rest.first(next).toString());
        rest = rest.sliced(next + 1);
    }
    editor.choices.append(rest.toString());
    return editor;
}

QList<SpecialCharacter> TagDefinitions::specialCharacters() const
{
    QList<SpecialCharacter> characters;
    const QStringList entries = m_file.readList(u"SPECIAL", u"value");
    characters.reserve(entries.size());
    for (const QString& entry : entries)
        characters.append(splitSpecialCharacter(entry));
    return characters;
}

} // namespace qw
