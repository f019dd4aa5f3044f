#pragma once

// The one check every dialog of the program passes: a screen reader reads
// each control by the label a person sees beside it, and the keyboard alone
// reaches every control, in the order they are seen. New dialogs are checked
// by adding them to the list of app.accessibility (tst_accessibility.cpp).

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace qw::test {

// A label's text as read: without the accelerator's "&" and spare spaces.
inline QString readText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.simplified();
}

inline QString describe(const QWidget* w)
{
    return QString::fromLatin1(w->metaObject()->className()) + u' ' +
           (w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName());
}

// The controls a person reaches with Tab on the page shown now.
inline QList<QWidget*> keyboardControls(QWidget& dialog)
{
    QList<QWidget*> controls;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dialog) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // The inner parts of a spin box or an editable list pass their
        // focus to it; they are part of that one control.
        if (w->focusProxy() != nullptr)
            continue;
        if (qobject_cast<QComboBox*>(w->parentWidget()) != nullptr ||
            qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr)
            continue;
        controls << w;
    }
    return controls;
}

// What the label a person sees says about w; empty when w shows none.
inline QString visibleLabelOf(QWidget& dialog, QWidget* w)
{
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
        // A "…" button shows its purpose in its tool tip.
        const QString text = readText(button->text());
        bool hasLetter = false;
        for (const QChar c : text)
            hasLetter = hasLetter || c.isLetterOrNumber();
        return hasLetter ? text : readText(button->toolTip());
    }
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == w && label->isVisibleTo(&dialog))
            return readText(label->text());
    }
    return {};
}

// Names: every control's accessible name is its visible label (its buddy
// label, its own caption, or for a "…" button its tool tip); a control the
// dialog shows no label for (a list filling a page) must still have a name.
inline QStringList nameProblems(QWidget& dialog, const QList<QWidget*>& controls)
{
    QStringList problems;
    for (QWidget* w : controls) {
        if (qobject_cast<QTabBar*>(w) != nullptr)
            continue; // read by its tabs' captions
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a != nullptr ? readText(a->text(QAccessible::Name)) : QString();
        const QString label = visibleLabelOf(dialog, w);
        auto same = [](QString x, QString y) {
            // "Písmo :" read as "Písmo" is the same label.
            auto bare = [](QString s) {
                while (s.endsWith(u':') || s.endsWith(u' '))
                    s.chop(1);
                return s;
            };
            return bare(std::move(x)) == bare(std::move(y));
        };
        if (!label.isEmpty()) {
            if (!same(name, label))
                problems << describe(w) + QStringLiteral(": read as \"%1\", labelled \"%2\"")
                                              .arg(name, label);
        } else if (name.isEmpty()) {
            problems << describe(w) + QStringLiteral(": no label and no name");
        } else if (auto* line = qobject_cast<QLineEdit*>(w);
                   line != nullptr && name == readText(line->text())) {
            // A field that says what it holds does not say what it is for.
            problems << describe(w) + QStringLiteral(": read by its own text \"%1\"").arg(name);
        }
    }
    return problems;
}

// Whether b comes after a when the dialog is read: further down, or on the
// same line further right, or in a column further right.
inline bool readAfter(const QRect& a, const QRect& b)
{
    const int tolerance = std::max(4, std::min(a.height(), b.height()) / 2);
    const bool sameLine = std::abs(a.center().y() - b.center().y()) <= tolerance;
    if (sameLine)
        return b.center().x() > a.center().x();
    if (b.top() >= a.top())
        return true;
    return b.left() >= a.right(); // up again only into the next column
}

// The nearest group the control sits in: a group box, a page or the dialog.
inline QWidget* groupOf(QWidget& dialog, QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p != nullptr && p != &dialog; p = p->parentWidget()) {
        if (qobject_cast<QGroupBox*>(p) != nullptr ||
            qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget()
                                                        : nullptr) != nullptr)
            return p;
    }
    return &dialog;
}

// Tab from the first control round to it again, as a person's keyboard
// does: every control is met once and each group's controls in the order
// they are read.
inline QStringList tabProblems(QWidget& dialog, const QList<QWidget*>& controls)
{
    QStringList problems;
    if (controls.isEmpty())
        return problems;
    QWidget* first = nullptr;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if (controls.contains(w)) {
            first = w;
            break;
        }
    }
    if (first == nullptr)
        return {QStringLiteral("no control is in the focus chain")};
    first->setFocus(Qt::TabFocusReason);
    [[maybe_unused]] const bool focused =
        QTest::qWaitFor([first] { return QApplication::focusWidget() == first; }, 1000);
    if (QApplication::focusWidget() != first && !first->isAncestorOf(QApplication::focusWidget()))
        return {describe(first) + QStringLiteral(": takes no focus")};
    QList<QWidget*> order{first};
    for (int i = 0; i < 4 * controls.size() + 4; ++i) {
        QWidget* before = QApplication::focusWidget();
        QTest::keyClick(before, Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == before) {
            problems << describe(before) + QStringLiteral(": keeps Tab, the keyboard is caught");
            return problems;
        }
        while (now != nullptr && !controls.contains(now) && now != &dialog)
            now = now->parentWidget();
        if (now == nullptr || now == &dialog) {
            problems << QStringLiteral("Tab left the dialog's controls after ") +
                            describe(order.last());
            return problems;
        }
        if (now == first)
            break;
        if (order.contains(now)) {
            problems << QStringLiteral("Tab goes round without the first control, at ") +
                            describe(now);
            break;
        }
        order << now;
    }
    // Radio buttons of one group are one stop: Tab reaches the chosen one,
    // the arrows the rest.
    auto sameStop = [](QWidget* a, QWidget* b) {
        auto* ra = qobject_cast<QRadioButton*>(a);
        auto* rb = qobject_cast<QRadioButton*>(b);
        return ra != nullptr && rb != nullptr && ra->autoExclusive() && rb->autoExclusive() &&
               ra->parentWidget() == rb->parentWidget();
    };
    for (QWidget* w : controls) {
        bool reached = false;
        for (QWidget* o : std::as_const(order))
            reached = reached || o == w || sameStop(o, w);
        if (!reached)
            problems << describe(w) + QStringLiteral(": Tab never reaches it");
    }
    // Read from the control seen first: the round ends where it began.
    auto rectOf = [&](QWidget* w) {
        return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size());
    };
    qsizetype start = 0;
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QRect r = rectOf(order.at(i));
        const QRect best = rectOf(order.at(start));
        if (r.top() < best.top() || (r.top() == best.top() && r.left() < best.left()))
            start = i;
    }
    std::rotate(order.begin(), order.begin() + start, order.end());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget* a = order.at(i - 1);
        QWidget* b = order.at(i);
        if (groupOf(dialog, a) != groupOf(dialog, b))
            continue;
        const QRect ra(a->mapTo(&dialog, QPoint(0, 0)), a->size());
        const QRect rb(b->mapTo(&dialog, QPoint(0, 0)), b->size());
        if (!readAfter(ra, rb))
            problems << QStringLiteral("Tab goes back from %1 to %2").arg(describe(a), describe(b));
    }
    return problems;
}

// Everything wrong with dialog, on each of its pages; empty when nothing
// is. The dialog is shown (not run) for the check and hidden again.
inline QStringList dialogAccessibilityProblems(QDialog& dialog)
{
    const bool wasVisible = dialog.isVisible();
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        return {QStringLiteral("the dialog does not become active")};
    QStringList problems;
    auto checkPage = [&](const QString& where) {
        const QList<QWidget*> controls = keyboardControls(dialog);
        // Names first: going round with Tab may scroll or move things.
        QStringList found = nameProblems(dialog, controls);
        found += tabProblems(dialog, controls);
        for (const QString& p : std::as_const(found))
            problems << where + p;
    };
    const QList<QTabWidget*> pages = dialog.findChildren<QTabWidget*>();
    if (pages.isEmpty()) {
        checkPage(QString());
    } else {
        QTabWidget* tabs = pages.first();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            checkPage(QStringLiteral("[%1] ").arg(readText(tabs->tabText(i))));
        }
        tabs->setCurrentIndex(0);
    }
    if (!wasVisible)
        dialog.hide();
    problems.removeDuplicates();
    return problems;
}

} // namespace qw::test
