#include "core/text/SaveFormat.h"

using namespace Qt::StringLiterals;

namespace qw {

LineBreak lineBreakForSaveFormat(QStringView saveFormat, LineBreak previous)
{
    if (saveFormat == u"WIN"_s)
        return LineBreak::CrLf;
    if (saveFormat == u"UNIX"_s)
        return LineBreak::Lf;
    if (saveFormat == u"MAC"_s)
        return LineBreak::Cr;
    return previous;
}

} // namespace qw
