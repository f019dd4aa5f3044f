#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qw {

class IniFile;

// How the tag inspector edits an attribute's value.
enum class AttributeEditorKind { String, Combo, File, Image, Color, Font };

struct AttributeEditor
{
    // The kind as the file writes it; empty when the attribute has no key.
    QString kindText;
    // The drop-down choices; only a COMBO has any.
    QStringList choices;

    // Kind names count only exactly as written in capitals; anything else,
    // and the empty kind, is a text box.
    AttributeEditorKind kind() const;

    friend bool operator==(const AttributeEditor&, const AttributeEditor&) = default;
};

struct SpecialCharacter
{
    QString character; // as it looks on the page
    QString html;      // the text the editor inserts for it

    friend bool operator==(const SpecialCharacter&, const SpecialCharacter&) = default;
};

// Splits an entry of the special-character list at its first blank; both
// parts are trimmed. Without a blank the whole entry is the HTML form.
SpecialCharacter splitSpecialCharacter(QStringView entry);

// The read-only view of "tag.dat": which attributes a tag has and how each is
// edited, and the special characters. It keeps nothing itself, so every
// answer reflects the file as it is now (the IniFile re-reads a changed file).
class TagDefinitions
{
public:
    explicit TagDefinitions(const IniFile& file) : m_file(file) {}

    bool hasTag(QStringView tagName) const;
    // Every tag the file defines, as its section names it, in file order.
    QStringList tagNames() const;
    // The tag's attributes in file order.
    QStringList attributeNames(QStringView tagName) const;
    AttributeEditor attributeEditor(QStringView tagName, QStringView attributeName) const;
    QList<SpecialCharacter> specialCharacters() const;

private:
    const IniFile& m_file;
};

} // namespace qw
