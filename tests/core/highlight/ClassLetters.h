#pragma once

#include "core/highlight/HtmlHighlighter.h"

#include <QFile>
#include <QString>
#include <QStringList>

// The golden files show the class of every character as one letter.
namespace qwtest {

inline QChar classLetter(qw::StyleClass c)
{
    using qw::StyleClass;
    switch (c) {
    case StyleClass::Bracket:
        return u'B';
    case StyleClass::HtmlKeyword:
        return u'K';
    case StyleClass::HtmlTag:
        return u'T';
    case StyleClass::UnknownTag:
        return u'U';
    case StyleClass::HtmlAttribute:
        return u'A';
    case StyleClass::HtmlAttributeValue:
        return u'V';
    case StyleClass::HtmlComment:
        return u'C';
    case StyleClass::ScriptContent:
        return u'S';
    case StyleClass::SpecialChars:
        return u'X';
    case StyleClass::DefaultText:
    case StyleClass::ScriptTag:
        break;
    }
    return u'?'; // classes no run should ever carry
}

// One letter per character of the line, "." outside every run.
inline QString classLetters(qsizetype lineLength, const qw::HighlightRuns& runs)
{
    QString letters(lineLength, u'.');
    for (const qw::HighlightRun& r : runs) {
        for (qsizetype i = r.start; i < r.start + r.length && i < lineLength; ++i)
            letters[i] = classLetter(r.style);
    }
    return letters;
}

inline QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

inline QString dataPath(const char* name)
{
    return QStringLiteral(QW_HIGHLIGHT_DATA_DIR "/") + QString::fromUtf8(name);
}

} // namespace qwtest
