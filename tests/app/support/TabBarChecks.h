#pragma once

// A check shared by the window tests: a tab bar whose every caption can be
// read whole.

#include <QFontMetrics>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace qw::test {

// No tab lies behind scroll arrows or past the bar's end, none is cut
// short, and the bar itself lies inside its page control.
inline void verifyEveryCaptionWhole(const QTabBar& bar)
{
    for (const QToolButton* arrow : bar.findChildren<QToolButton*>())
        QVERIFY2(!arrow->isVisible(), "a scroll arrow is shown");
    QVERIFY(bar.parentWidget()->rect().contains(bar.geometry()));
    const QFontMetrics metrics(bar.font());
    for (int i = 0; i < bar.count(); ++i) {
        if (!bar.isTabVisible(i))
            continue;
        const QString caption = bar.tabText(i);
        const QRect tab = bar.tabRect(i);
        QVERIFY2(bar.rect().contains(tab), qPrintable(caption));
        QVERIFY2(tab.width() >= metrics.horizontalAdvance(caption), qPrintable(caption));
    }
}

} // namespace qw::test
