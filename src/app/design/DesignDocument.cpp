#include "app/design/DesignDocument.h"

namespace qw {

std::optional<QString> DesignElement::attribute(const QString& name) const
{
    for (const auto& [key, value] : attributes) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

} // namespace qw
