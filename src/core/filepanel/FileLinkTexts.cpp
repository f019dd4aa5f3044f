#include "core/filepanel/FileLinkTexts.h"

namespace qw {

using namespace Qt::StringLiterals;

FileLinkTexts fileLinkTexts(const QString& filePath, const QString& documentPath, LinkOptions links,
                            TagCaseOptions tagCase)
{
    const QString link = makeLinkPath(filePath, documentPath, links);
    return {tagNameCase(u"<a href=\""_s, tagCase) + link + u"\">"_s,
            tagNameCase(u"</a>"_s, tagCase)};
}

} // namespace qw
