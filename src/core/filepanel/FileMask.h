#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qw {

// The mask of a file filter, such as "*.htm;*.html": a file matches when "*"
// followed by its extension (the text from the last "." of its name on)
// equals one of the patterns, ignoring case. Patterns are whole texts, so
// "*.htm" does not match a.html and "index.*" matches nothing.
//
// "*.*" and "*" match every file, also a name without any dot, as a folder
// listing means on Linux; they do so alone or as one pattern of several.
// Blanks around a pattern are ignored and empty patterns match nothing, so an
// empty mask lists no file.
class FileMask
{
public:
    explicit FileMask(const QString& mask);

    bool matches(QStringView fileName) const;
    bool matchesEverything() const { return m_everything; }

private:
    QStringList m_patterns; // "*" + extension, as typed
    bool m_everything = false;
};

} // namespace qw
