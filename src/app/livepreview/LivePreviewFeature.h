#pragma once

#include "app/services/FeatureContext.h"
#include "core/design/HtmlOutline.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSplitter>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace qw {

class LivePreviewView;
class ScintillaEditor;

// "Náhled vedle kódu": the current document rendered beside (or below) its
// source on the source page, refreshed a moment after typing stops, keeping
// its place, following the caret; Ctrl+click in it puts the caret on the
// element's start tag. The web view is made when the preview is first shown.
class LivePreviewFeature : public QObject
{
    Q_OBJECT
public:
    using ViewFactory = std::function<LivePreviewView*()>;

    // The pause after the last change before the preview shows the text.
    static constexpr int kRefreshPause = 300;
    // After the caret stops: the preview shows its element.
    static constexpr int kCaretPause = 120;

    LivePreviewFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~LivePreviewFeature() override;

    bool isShown() const { return m_shown; }
    void setShown(bool shown);
    bool isBelow() const { return m_below; }
    void setBelow(bool below);

    LivePreviewView* view() const;
    QSplitter* splitter() const { return m_splitter; }

    void setViewFactory(ViewFactory factory) { m_viewFactory = std::move(factory); }
    // Where a link followed in the preview goes (by default the desktop's
    // browser).
    void setLinkOpener(std::function<void(const QUrl&)> opener) { m_openLink = std::move(opener); }

Q_SIGNALS:
    // The text the preview was last given is drawn at its place.
    void refreshed();

private:
    bool ensureView();
    void followEditor();
    void textChanged();
    void caretMoved();
    void refresh();
    void followCaret();
    void chooseElement(const QList<int>& path);
    const HtmlOutline& shownOutline();
    void storeShare();
    void updateChecks();

    FeatureContext m_context;
    ViewFactory m_viewFactory;
    std::function<void(const QUrl&)> m_openLink;
    QPointer<LivePreviewView> m_view;
    QPointer<QSplitter> m_splitter;
    QPointer<ScintillaEditor> m_editor;
    QTimer m_refreshTimer;
    QTimer m_caretTimer;
    bool m_shown = false;
    bool m_below = false;
    // The editor's text changed since the preview was last given it.
    bool m_stale = true;
    bool m_caretAfterRefresh = false;
    // The caret moved with an edit: its element is taken as seen, not shown.
    bool m_quietCaret = false;
    // The text last given to the preview and, made when first asked for,
    // its outline: the caret and Ctrl+click are read against it.
    QString m_shownText;
    HtmlOutline m_outline;
    bool m_outlineMade = false;
    bool m_revealedAny = false;
    QList<int> m_revealed;
    QString m_tempFolder;
};

} // namespace qw
