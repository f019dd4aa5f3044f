#include "core/editor/SearchTexts.h"

namespace qw {

using namespace Qt::StringLiterals;

QString notFoundMessage(const QString& what)
{
    return u"Hledané slovo \""_s + what + u"\" nebylo nalezeno!"_s;
}

QString replaceCountMessage(qsizetype count)
{
    return u"Počet nahrazení : %1."_s.arg(count);
}

QString goOnFromStartQuestion()
{
    return u"Nahrazování došlo na konec dokumentu. Pokračovat od začátku?"_s;
}

} // namespace qw
