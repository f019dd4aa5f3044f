#include "app/pages/PageSwitcher.h"

#include "app/editor/ScintillaEditor.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace qw {

PageSwitcher::PageSwitcher(QWidget* sourceContent, QWidget* strip,
                           std::function<ScintillaEditor*()> currentEditor, QObject* parent)
    : QObject(parent), m_control(new QWidget), m_tabs(new QTabBar), m_stack(new QStackedWidget),
      m_strip(strip), m_currentEditor(std::move(currentEditor))
{
    m_control->setObjectName(QStringLiteral("PageControl1"));
    m_control->setAccessibleName(QStringLiteral("Stránky"));
    m_tabs->setObjectName(QStringLiteral("PageControl1Tabs"));
    m_tabs->setAccessibleName(QStringLiteral("Stránky"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    auto* layout = new QVBoxLayout(m_control);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);

    const QString captions[] = {QStringLiteral("Úpravy (F11)"), QStringLiteral("Náhled (F12)"),
                                QStringLiteral("Design")};
    const QString names[] = {QStringLiteral("tsSource"), QStringLiteral("tsPreview"),
                             QStringLiteral("tsDesign")};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        auto* page = new QWidget;
        page->setObjectName(names[i]);
        page->setAccessibleName(captions[i]);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->setSpacing(0);
        auto* content = new QVBoxLayout;
        content->setContentsMargins(0, 0, 0, 0);
        content->setSpacing(0);
        pageLayout->addLayout(content, 1);
        m_pages[i] = page;
        m_content[i] = content;
        m_stack->addWidget(page);
        m_tabs->addTab(captions[i]);
        // A page comes with the feature that fills it.
        m_tabs->setTabVisible(int(i), i == 0);
    }
    m_content[0]->addWidget(sourceContent, 1);
    static_cast<QVBoxLayout*>(m_pages[0]->layout())->addWidget(m_strip);

    // The bar has already moved when this runs; the stack has not, so the
    // page being left is still the shown one during its leave step.
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_switching && index >= 0)
            switchTo(static_cast<PageMode>(index));
    });
}

QVBoxLayout* PageSwitcher::contentLayout(PageMode page) const
{
    return m_content[std::size_t(page)];
}

QWidget* PageSwitcher::page(PageMode page) const
{
    return m_pages[std::size_t(page)];
}

void PageSwitcher::setHandler(PageMode page, PageHandler* handler)
{
    m_handlers[std::size_t(page)] = handler;
    if (page == PageMode::Source)
        return;
    // Hiding the shown tab moves the bar to a neighbour: no page change.
    m_switching = true;
    m_tabs->setTabVisible(int(page), handler != nullptr);
    m_switching = false;
    if (handler == nullptr && m_mode == page) {
        m_tabs->setCurrentIndex(int(PageMode::Source));
        m_stack->setCurrentIndex(int(PageMode::Source));
        enter(PageMode::Source);
    }
}

bool PageSwitcher::available(PageMode page) const
{
    return page == PageMode::Source || handler(page) != nullptr;
}

void PageSwitcher::switchTo(PageMode page)
{
    if (m_switching)
        return;
    if (!available(page) || page == m_mode) {
        // A click on an unavailable page's tab cannot happen; F11 on the
        // source page only gives the editor its focus back.
        m_switching = true;
        m_tabs->setCurrentIndex(int(m_mode));
        m_switching = false;
        if (page == m_mode)
            enter(m_mode);
        return;
    }
    m_switching = true;
    if (PageHandler* old = handler(m_mode); old != nullptr && !old->leavePage()) {
        // The page keeps what the user did there: it stays shown.
        m_tabs->setCurrentIndex(int(m_mode));
        m_switching = false;
        return;
    }
    m_tabs->setCurrentIndex(int(page));
    m_stack->setCurrentIndex(int(page));
    PageMode shown = page;
    if (PageHandler* h = handler(page); h != nullptr && !h->showPage()) {
        shown = PageMode::Source;
        m_tabs->setCurrentIndex(int(shown));
        m_stack->setCurrentIndex(int(shown));
    }
    m_switching = false;
    enter(shown);
}

void PageSwitcher::enter(PageMode page)
{
    m_mode = page;
    auto* layout = static_cast<QVBoxLayout*>(m_pages[std::size_t(page)]->layout());
    if (layout->indexOf(m_strip) < 0) {
        layout->addWidget(m_strip);
        m_strip->show();
    }
    if (page == PageMode::Source) {
        if (ScintillaEditor* e = m_currentEditor())
            e->setFocus();
    }
    Q_EMIT pageEntered(page);
}

ScintillaEditor* PageSwitcher::sourceEditor() const
{
    return m_mode == PageMode::Source ? m_currentEditor() : nullptr;
}

DesignDocument* PageSwitcher::designTarget() const
{
    return m_mode == PageMode::Design ? m_design : nullptr;
}

void PageSwitcher::followCurrentDocument()
{
    if (PageHandler* h = handler(m_mode))
        h->followDocument();
    Q_EMIT currentDocumentChanged();
}

bool PageSwitcher::syncIntoEditor()
{
    PageHandler* h = handler(m_mode);
    return h == nullptr || h->syncIntoEditor();
}

} // namespace qw

namespace qw {

void PageSwitcher::showFile(const QString& path)
{
    if (PageHandler* h = handler(m_mode))
        h->showFile(path);
}

} // namespace qw
