#pragma once

#include "app/services/FeatureContext.h"
#include "core/text/TextEncoding.h"

#include <QObject>

#include <functional>

namespace qw {

// "Soubor" > "Kódování": the encoding the current document is saved in next
// time (Windows-1250, UTF-8, UTF-8 with a byte-order mark). Choosing one
// converts nothing at once; the next save writes the text in it, a character
// Windows-1250 lacks as a numeric reference. When the page's own charset
// declaration names another encoding, the user is asked whether to make it
// match, so the saved page says what it is.
class EncodingFeature : public QObject
{
    Q_OBJECT
public:
    // chooser sets the current document's encoding (the document manager's).
    using Choose = std::function<void(TextEncoding)>;

    EncodingFeature(const FeatureContext& context, Choose chooser, QObject* parent = nullptr);

private:
    void choose(TextEncoding encoding);

    FeatureContext m_context;
    Choose m_choose;
};

} // namespace qw
