#pragma once

#include <QList>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace qw {

// The rendered page beside the source. Made by the web module (it lives
// there with the engine); the window knows it only through this.
class LivePreviewView : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows html, its relative addresses resolved against base, from memory.
    // The view keeps its scroll position (at the end of the page it stays at
    // the end) and shows the old rendering until the new one is in place.
    virtual void showHtml(const QByteArray& utf8, const QUrl& base) = 0;
    // The same for a page too large to be handed over from memory: a file.
    virtual void showFile(const QUrl& file) = 0;
    // Scrolls the element at path (child element indexes from the body)
    // into view when it is outside it, and outlines it for a moment.
    virtual void revealElement(const QList<int>& path) = 0;
    // Nothing shown, nothing running: the view is out of sight.
    virtual void clear() = 0;
    // Runs script in the page's own world; done gets its result.
    virtual void evaluate(const QString& script, std::function<void(const QVariant&)> done) = 0;
    // The widget that takes the page's keys and mouse, as a person's input
    // reaches it.
    virtual QWidget* inputWidget() const = 0;

Q_SIGNALS:
    // A page given to showHtml or showFile is drawn at its place.
    void pageShown();
    // The element at path was clicked with Ctrl held.
    void elementChosen(const QList<int>& path);
    // The page followed a link: it goes to the desktop's browser instead.
    void linkFollowed(const QUrl& url);
};

} // namespace qw
