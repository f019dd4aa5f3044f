#include "core/usertags/UserTagName.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// A file name holds at most 255 bytes. A user tag's file adds ".qws" to its
// name, and the atomic save may need a temporary name seven bytes longer.
constexpr qsizetype kMaxFileNameBytes = 255;
constexpr qsizetype kTagSuffixBytes = 4 + 7;

} // namespace

QString userTagNameProblem(const QString& name, UserTagNameKind kind)
{
    const bool tag = kind == UserTagNameKind::Tag;
    if (name.isEmpty())
        return tag ? u"Zadejte název vlastního tagu."_s : u"Zadejte název složky."_s;
    if (name == "."_L1 || name == ".."_L1)
        return u"Název „%1“ nelze použít jako název souboru."_s.arg(name);
    if (name.contains(u'/'))
        return u"Název „%1“ nesmí obsahovat znak „/“."_s.arg(name);
    if (name.contains(QChar(u'\0')))
        return u"Název nesmí obsahovat nulový znak."_s;
    if (name.startsWith(u'.'))
        return u"Název „%1“ nesmí začínat tečkou."_s.arg(name);
    const QByteArray fileName = QFile::encodeName(name);
    // Half a surrogate pair names no character and is written as another
    // one: the listing would show a name no command could find again.
    if (QFile::decodeName(fileName) != name)
        return u"Název „%1“ obsahuje znak, který nemůže být v názvu souboru."_s.arg(name);
    const qsizetype bytes = fileName.size() + (tag ? kTagSuffixBytes : 0);
    if (bytes > kMaxFileNameBytes)
        return u"Název „%1“ je příliš dlouhý."_s.arg(name);
    return {};
}

} // namespace qw
