#include "app/preview/PreviewRequestFilter.h"

#include "core/preview/PreviewFiles.h"

namespace qw {

namespace {
PreviewRequestKind requestKind(QWebEngineUrlRequestInfo::ResourceType type)
{
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
        return PreviewRequestKind::Page;
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
        return PreviewRequestKind::Frame;
    case QWebEngineUrlRequestInfo::ResourceTypeObject:
    case QWebEngineUrlRequestInfo::ResourceTypePluginResource:
        return PreviewRequestKind::Object;
    case QWebEngineUrlRequestInfo::ResourceTypeXhr:
    case QWebEngineUrlRequestInfo::ResourceTypePing:
    case QWebEngineUrlRequestInfo::ResourceTypeCspReport:
    case QWebEngineUrlRequestInfo::ResourceTypePrefetch:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeSharedWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeServiceWorker:
        return PreviewRequestKind::ScriptRead;
    default:
        return PreviewRequestKind::Resource;
    }
}
} // namespace

void PreviewRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (!previewMayLoad(info.requestUrl(), requestKind(info.resourceType())))
        info.block(true);
}

} // namespace qw
