#pragma once

// Reading the design view from a test: a script run in the isolated world
// of the view's own scripts (the page's world runs none), and where an
// element lies on screen, so that clicks can go where a person would click.

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace qw::test {

// The script's result; the text "<no answer>" when the view gave none.
inline QVariant evaluateInDesign(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<no answer>");
    return result;
}

// A point inside the element matched by selector, at fraction x of the width
// of its first line of text (or of its box, for an element without content
// such as a picture), halfway down.
inline QPoint pointInDesign(QWebEngineView* view, const QString& selector, double x = 0.5)
{
    const QVariantMap r =
        evaluateInDesign(view,
                         QStringLiteral("(function () { var e = document.querySelector('%1');"
                                        " var range = document.createRange();"
                                        " range.selectNodeContents(e);"
                                        " var b = (e.firstChild ? range : e).getClientRects()[0];"
                                        " return {x: b.left, y: b.top, w: b.width, h: b.height};"
                                        " })()")
                             .arg(selector))
            .toMap();
    return QPoint(
        int(r.value(QStringLiteral("x")).toDouble() + r.value(QStringLiteral("w")).toDouble() * x),
        int(r.value(QStringLiteral("y")).toDouble() + r.value(QStringLiteral("h")).toDouble() / 2));
}

// A double click at p on surface (the widget that takes the view's mouse
// input): two presses close together in event time, as the view counts
// clicks by the events' time stamps, and far from any earlier click.
inline void doubleClickDesign(QWidget* surface, const QPoint& p)
{
    static ulong stamp = 1'000'000'000;
    stamp += 100'000;
    const QPoint global = surface->mapToGlobal(p);
    for (int i = 0; i < 2; ++i) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, p, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
            e.setTimestamp(stamp += 20);
            QApplication::sendEvent(surface, &e);
        }
    }
}

} // namespace qw::test
