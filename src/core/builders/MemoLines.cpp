#include "core/builders/MemoLines.h"

#include "core/text/TextLines.h"

namespace qw {

QStringList memoLines(const QString& text)
{
    return splitTextLines(text);
}

} // namespace qw
