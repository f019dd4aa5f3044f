#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace qw {

// Holds a previewed page to what the preview lets it load (previewMayLoad).
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

} // namespace qw
