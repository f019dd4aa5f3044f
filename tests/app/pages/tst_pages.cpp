// The page control with stand-in pages: what each page change runs and in
// which order, what a refused page leads to, and where the document strip
// goes.

#include "app/pages/PageSwitcher.h"

#include <QLabel>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

using namespace qw;

namespace {

// Writes down each step with whether its page was on screen then.
class RecordingPage : public PageHandler
{
public:
    RecordingPage(const QString& name, QStringList& log) : m_name(name), m_log(log) {}

    PageSwitcher* switcher = nullptr;
    PageMode mode = PageMode::Preview;
    bool canShow = true;
    bool canLeave = true;

    bool showPage() override
    {
        m_log << m_name + QStringLiteral(" show ") + visibility();
        return canShow;
    }
    bool leavePage() override
    {
        m_log << m_name + QStringLiteral(" leave ") + visibility();
        return canLeave;
    }
    void followDocument() override { m_log << m_name + QStringLiteral(" follow"); }
    bool syncIntoEditor() override
    {
        m_log << m_name + QStringLiteral(" sync");
        return true;
    }
    void showFile(const QString& path) override
    {
        m_log << m_name + QStringLiteral(" file ") + path;
    }

private:
    QString visibility() const
    {
        return switcher->page(mode)->isVisible() ? QStringLiteral("shown")
                                                 : QStringLiteral("hidden");
    }

    QString m_name;
    QStringList& m_log;
};

struct Fixture
{
    QWidget window;
    QLabel* source = new QLabel(QStringLiteral("source"));
    QLabel* strip = new QLabel(QStringLiteral("strip"));
    PageSwitcher* pages = nullptr;
    QStringList log;
    RecordingPage preview{QStringLiteral("preview"), log};
    RecordingPage design{QStringLiteral("design"), log};

    Fixture()
    {
        pages = new PageSwitcher(
            source, strip, [] { return nullptr; }, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(pages->widget());
        preview.switcher = pages;
        design.switcher = pages;
        design.mode = PageMode::Design;
        window.resize(400, 300);
        window.show();
    }
};

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aPageWithoutHandlerHasNoTab();
    void leaveRunsWhileTheOldPageIsStillShownThenShowOnTheNewOne();
    void aRefusedPageLeavesTheSourcePageShown();
    void aPageThatCannotBeLeftStaysShown();
    void onlyTheShownPageFollowsTheDocument();
};

void PagesTest::aPageWithoutHandlerHasNoTab()
{
    Fixture f;
    QTabBar* tabs = f.pages->tabBar();
    QVERIFY(tabs->isTabVisible(0));
    QVERIFY(!tabs->isTabVisible(1));
    QVERIFY(!tabs->isTabVisible(2));
    QVERIFY(!f.pages->available(PageMode::Preview));
    f.pages->switchTo(PageMode::Preview);
    QCOMPARE(f.pages->pageMode(), PageMode::Source);
    QVERIFY(f.log.isEmpty());

    f.pages->setHandler(PageMode::Preview, &f.preview);
    QVERIFY(tabs->isTabVisible(1));
    // A page whose handler goes while it is shown hands over to the source.
    f.pages->switchTo(PageMode::Preview);
    f.pages->setHandler(PageMode::Preview, nullptr);
    QCOMPARE(f.pages->pageMode(), PageMode::Source);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.strip->parentWidget(), f.pages->page(PageMode::Source));
}

void PagesTest::leaveRunsWhileTheOldPageIsStillShownThenShowOnTheNewOne()
{
    Fixture f;
    f.pages->setHandler(PageMode::Preview, &f.preview);
    f.pages->setHandler(PageMode::Design, &f.design);
    QList<PageMode> entered;
    QObject::connect(f.pages, &PageSwitcher::pageEntered, [&](PageMode page) { entered << page; });

    f.pages->switchTo(PageMode::Preview);
    // The tab does what the key does.
    f.pages->tabBar()->setCurrentIndex(2);
    f.pages->switchTo(PageMode::Source);
    QCOMPARE(
        f.log,
        QStringList({QStringLiteral("preview show shown"), QStringLiteral("preview leave shown"),
                     QStringLiteral("design show shown"), QStringLiteral("design leave shown")}));
    QCOMPARE(entered, QList<PageMode>({PageMode::Preview, PageMode::Design, PageMode::Source}));
    QCOMPARE(f.strip->parentWidget(), f.pages->page(PageMode::Source));
    QVERIFY(f.strip->isVisible());
}

void PagesTest::aPageThatCannotBeLeftStaysShown()
{
    Fixture f;
    f.pages->setHandler(PageMode::Preview, &f.preview);
    f.pages->setHandler(PageMode::Design, &f.design);
    f.pages->switchTo(PageMode::Design);
    f.design.canLeave = false;
    QList<PageMode> entered;
    QObject::connect(f.pages, &PageSwitcher::pageEntered, [&](PageMode page) { entered << page; });
    f.log.clear();
    // By the key and by the tab: the bar goes back to the page still shown.
    f.pages->switchTo(PageMode::Source);
    QTest::mouseClick(f.pages->tabBar(), Qt::LeftButton, {},
                      f.pages->tabBar()->tabRect(1).center());
    QCOMPARE(f.log, QStringList({QStringLiteral("design leave shown"),
                                 QStringLiteral("design leave shown")}));
    QCOMPARE(f.pages->pageMode(), PageMode::Design);
    QCOMPARE(f.pages->tabBar()->currentIndex(), int(PageMode::Design));
    QVERIFY(f.pages->page(PageMode::Design)->isVisible());
    QVERIFY(entered.isEmpty());
    QCOMPARE(f.strip->parentWidget(), f.pages->page(PageMode::Design));
}

void PagesTest::aRefusedPageLeavesTheSourcePageShown()
{
    Fixture f;
    f.pages->setHandler(PageMode::Preview, &f.preview);
    f.preview.canShow = false;
    f.pages->tabBar()->setCurrentIndex(1);
    QCOMPARE(f.log, QStringList({QStringLiteral("preview show shown")}));
    QCOMPARE(f.pages->pageMode(), PageMode::Source);
    QCOMPARE(f.pages->tabBar()->currentIndex(), 0);
    QVERIFY(f.pages->page(PageMode::Source)->isVisible());
    QVERIFY(!f.pages->page(PageMode::Preview)->isVisible());
}

void PagesTest::onlyTheShownPageFollowsTheDocument()
{
    Fixture f;
    f.pages->setHandler(PageMode::Preview, &f.preview);
    f.pages->setHandler(PageMode::Design, &f.design);
    f.pages->followCurrentDocument();
    QVERIFY(f.pages->syncIntoEditor());
    f.pages->showFile(QStringLiteral("/x.html"));
    QVERIFY(f.log.isEmpty());

    f.pages->switchTo(PageMode::Design);
    f.log.clear();
    f.pages->followCurrentDocument();
    QVERIFY(f.pages->syncIntoEditor());
    f.pages->showFile(QStringLiteral("/x.html"));
    QCOMPARE(f.log, QStringList({QStringLiteral("design follow"), QStringLiteral("design sync"),
                                 QStringLiteral("design file /x.html")}));
}

QTEST_MAIN(PagesTest)
#include "tst_pages.moc"
