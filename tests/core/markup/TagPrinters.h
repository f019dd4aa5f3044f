#pragma once

#include "core/markup/TagAttributeList.h"

#include <ostream>

namespace qw {

// Readable failure messages for attribute comparisons.
inline void PrintTo(const TagAttribute& attribute, std::ostream* os)
{
    *os << attribute.name.toStdString();
    if (attribute.value)
        *os << "=[" << attribute.value->toStdString() << "]";
}

} // namespace qw
