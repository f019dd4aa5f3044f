#include "core/settings/SettingsEdits.h"

#include <array>

using namespace Qt::StringLiterals;

namespace qw {

QString normalizedDefaultExt(const QString& field)
{
    if (field.isEmpty() || field.startsWith(u'.'))
        return field;
    return u'.' + field;
}

FilterRow FilterRow::fromText(QStringView text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0)
        return {text.toString(), QString()};
    QStringView rest = text.sliced(bar + 1);
    if (!rest.isEmpty())
        rest.chop(1);
    return {text.first(bar).toString(), rest.toString()};
}

QString FilterRow::toText() const
{
    return name + u'|' + mask + u'|';
}

namespace {
constexpr StyleClass tagStyles[] = {StyleClass::HtmlTag, StyleClass::HtmlKeyword,
                                    StyleClass::Bracket, StyleClass::UnknownTag};
constexpr StyleClass attributeStyles[] = {StyleClass::HtmlAttribute};
constexpr StyleClass valueStyles[] = {StyleClass::HtmlAttributeValue};
constexpr StyleClass commentStyles[] = {StyleClass::HtmlComment};
constexpr StyleClass scriptStyles[] = {StyleClass::ScriptTag, StyleClass::ScriptContent};
constexpr StyleClass specialStyles[] = {StyleClass::SpecialChars};
} // namespace

std::span<const StyleEntry> styleEntries()
{
    static const std::array<StyleEntry, 6> entries = {{
        {u"HTML Tagy"_s, StyleClass::HtmlTag, tagStyles},
        {u"HTML atributy"_s, StyleClass::HtmlAttribute, attributeStyles},
        {u"HTML hodnoty atributu"_s, StyleClass::HtmlAttributeValue, valueStyles},
        {u"HTML komentáře"_s, StyleClass::HtmlComment, commentStyles},
        {u"Skripty"_s, StyleClass::ScriptContent, scriptStyles},
        {u"Speciální znaky"_s, StyleClass::SpecialChars, specialStyles},
    }};
    return entries;
}

void applyStyleEntry(HighlightStyles& styles, const StyleEntry& entry, ColorRef foreground,
                     bool bold, bool italic, bool underline)
{
    for (StyleClass c : entry.changed) {
        HighlightStyle& s = styleOf(styles, c);
        s.foreground = foreground;
        s.bold = bold;
        s.italic = italic;
        s.underline = underline;
    }
}

} // namespace qw
