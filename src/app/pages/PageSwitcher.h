#pragma once

#include <QObject>

#include <array>
#include <functional>

class QStackedWidget;
class QTabBar;
class QVBoxLayout;
class QWidget;

namespace qw {

class DesignDocument;
class ScintillaEditor;

// The three pages of the main window, by the index they have in it.
enum class PageMode { Source = 0, Preview = 1, Design = 2 };

// What a page other than the source page does when pages change. The feature
// that fills the page implements it.
class PageHandler
{
public:
    virtual ~PageHandler() = default;
    // The page has just become visible. False when it cannot be shown: the
    // source page is shown instead.
    virtual bool showPage() = 0;
    // The page is about to be hidden for another one. False when it cannot
    // be left now (it told the user why): the page stays.
    virtual bool leavePage() { return true; }
    // The current document changed (another tab, another text) while the
    // page is shown.
    virtual void followDocument() {}
    // Before a document or file command: the editor must hold what the page
    // shows. False when it cannot (the user was told why): the command must
    // not go on.
    virtual bool syncIntoEditor() { return true; }
    // A file just opened or fetched is to be shown as it is, not the
    // document's text (the preview shows the file itself).
    virtual void showFile(const QString& path) { Q_UNUSED(path); }
};

// The page control: the one place where pages change. It owns the page mode,
// runs the leave, show and enter steps of every change (tab click, F11, F12),
// carries the document tab strip onto the shown page and decides what the
// commands act on: the current editor exactly while the source page is
// shown.
class PageSwitcher : public QObject
{
    Q_OBJECT
public:
    // strip: the document tab strip with its navigation bar, carried along
    // the bottom edge of whichever page is shown.
    PageSwitcher(QWidget* sourceContent, QWidget* strip,
                 std::function<ScintillaEditor*()> currentEditor, QObject* parent = nullptr);

    // The page control, to be placed in the window.
    QWidget* widget() const { return m_control; }
    QTabBar* tabBar() const { return m_tabs; }
    // The area of a page that its feature fills (a page's own layout).
    QVBoxLayout* contentLayout(PageMode page) const;
    QWidget* page(PageMode page) const;

    void setHandler(PageMode page, PageHandler* handler);
    // A page without a handler has no tab and cannot be entered.
    bool available(PageMode page) const;

    PageMode pageMode() const { return m_mode; }
    // Leaves the shown page, shows page and enters it. The shown page may
    // refuse to be left: it stays.
    void switchTo(PageMode page);

    // The editor that commands act on: the current one on the source page,
    // none on the other pages.
    ScintillaEditor* sourceEditor() const;
    // The design document that commands act on instead: the design view's
    // while the design page is shown, otherwise none. Together with
    // sourceEditor() this is the current page's edit target.
    DesignDocument* designTarget() const;
    // The design feature hands over its document once it exists.
    void setDesignDocument(DesignDocument* document) { m_design = document; }

    // The current document changed: the shown page follows it.
    void followCurrentDocument();
    // Before a document or file command: the shown page hands back what it
    // holds. False when it could not: the command must not go on.
    [[nodiscard]] bool syncIntoEditor();
    // A file just opened or fetched: the shown page shows it as it is.
    void showFile(const QString& path);

Q_SIGNALS:
    // A page was entered (after its show step).
    void pageEntered(PageMode page);
    // The current document changed (another tab, another text), whatever
    // page is shown: for what follows it beside the pages.
    void currentDocumentChanged();

private:
    void enter(PageMode page);
    PageHandler* handler(PageMode page) const { return m_handlers[std::size_t(page)]; }

    QWidget* m_control;
    QTabBar* m_tabs;
    QStackedWidget* m_stack;
    QWidget* m_strip;
    std::array<QWidget*, 3> m_pages{};
    std::array<QVBoxLayout*, 3> m_content{};
    std::array<PageHandler*, 3> m_handlers{};
    std::function<ScintillaEditor*()> m_currentEditor;
    DesignDocument* m_design = nullptr;
    PageMode m_mode = PageMode::Source;
    bool m_switching = false;
};

} // namespace qw
