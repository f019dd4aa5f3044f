#pragma once

// The main window with the real design page (the design feature and its
// document over a web view, scripts and editing on), a page opened from a
// file and entered there, and the ways a person reaches it: clicks on the
// view, keys to the focused widget, the design page's context menu. Element
// dialogs are shown without a modal loop and recorded.

#include "app/design/DesignFeature.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/findinfiles/FindInFilesDialog.h"
#include "app/findinfiles/FindInFilesFeature.h"
#include "app/shell/MainWindow.h"
#include "support/DesignViewProbe.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QWebEngineView>

#include <memory>

namespace qw::test {

struct DesignWindow
{
    TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QDialog* shownDialog = nullptr;
    bool active = false;

    DesignWindow()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->elementDialogs().setShowHook([this](QDialog& d) {
            shownDialog = &d;
            d.show();
        });
        // The find-in-files dialog is modal: a test sees it shown and cancelled.
        if (auto* inFiles = window->findChild<FindInFilesFeature*>())
            inFiles->setDialogRunner([this](FindInFilesDialog& d) {
                shownDialog = &d;
                return false;
            });
        window->resize(1000, 750);
        window->show();
        window->openStartFile(QString());
        if (QTest::qWaitForWindowExposed(window.get())) {
            window->activateWindow();
            active = QTest::qWaitForWindowActive(window.get());
        }
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    WebDesignDocument* document() const
    {
        return qobject_cast<WebDesignDocument*>(window->design().document());
    }
    QWebEngineView* view() const { return document()->view(); }
    QWidget* surface() const { return view()->focusProxy() ? view()->focusProxy() : view(); }
    QString path(const QString& name) const { return inst.path(QStringLiteral("site/") + name); }

    // Opens the page from a file in the folder "site" on the source page.
    bool openFile(const QString& name, const QByteArray& bytes)
    {
        if (!active)
            return false;
        writeBytes(path(name), bytes);
        return window->documents().openDocument(path(name));
    }

    // Opens the page and enters the design page once it can be edited.
    bool openInDesign(const QString& name, const QByteArray& bytes)
    {
        return openFile(name, bytes) && enterDesign();
    }

    bool enterDesign()
    {
        window->pages().switchTo(PageMode::Design);
        if (window->pages().pageMode() != PageMode::Design || document() == nullptr)
            return false;
        return QTest::qWaitFor([this] { return document()->isReady(); }, 20000);
    }

    QVariant evaluate(const QString& script) { return evaluateInDesign(view(), script); }
    QString selectedText()
    {
        return evaluate(QStringLiteral("String(window.getSelection())")).toString();
    }
    QString bodyHtml() { return evaluate(QStringLiteral("document.body.innerHTML")).toString(); }

    QPoint pointIn(const QString& selector, double x = 0.5)
    {
        return pointInDesign(view(), selector, x);
    }
    void click(const QPoint& p) { QTest::mouseClick(surface(), Qt::LeftButton, {}, p); }
    void doubleClick(const QPoint& p) { doubleClickDesign(surface(), p); }

    // A right click where a person would make it; the menu it opens.
    QMenu* contextMenuAt(const QPoint& p)
    {
        QTest::mousePress(surface(), Qt::RightButton, {}, p);
        QTest::mouseRelease(surface(), Qt::RightButton, {}, p);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, p, surface()->mapToGlobal(p));
        QApplication::sendEvent(surface(), &menuEvent);
        if (!QTest::qWaitFor(
                [this] {
                    return window->design().contextMenu() != nullptr &&
                           window->design().contextMenu()->isVisible();
                },
                10000))
            return nullptr;
        return window->design().contextMenu();
    }
};

} // namespace qw::test
