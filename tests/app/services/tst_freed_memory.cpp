// Freed working memory goes back to the system once the program is quiet,
// not while it works: after a large text is loaded (and wrapped in the
// background) the heap would otherwise hold megabytes nobody uses.

#include "app/editor/ScintillaEditor.h"
#include "app/services/FreedMemory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

using namespace qw;

class FreedMemoryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void givenBackOnceQuietNotWhileBusy();
    void loadingOrClosingALargeTextGivesBackWhatWasFreed();
};

namespace {

// Resident size of the main heap in KiB.
qint64 heapResidentKib()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray all = smaps.readAll();
    const qsizetype heap = all.indexOf("[heap]\n");
    const qsizetype rss = heap < 0 ? -1 : all.indexOf("\nRss:", heap);
    if (rss < 0)
        return -1;
    const qsizetype end = all.indexOf('\n', rss + 1);
    return all.mid(rss + 5, end - rss - 5).trimmed().split(' ').first().toLongLong();
}

volatile char g_sink;
// Called through pointers the compiler cannot see through, so that it keeps
// the allocations.
void* (*volatile g_allocate)(std::size_t) = std::malloc;
void (*volatile g_release)(void*) = std::free;

// Fills `mib` MiB of the heap with small blocks and frees them again below
// a block still in use, so the heap cannot shrink by itself: the freed
// memory stays resident until it is given back. Returns the block in use.
void* leaveFreedMemoryInTheHeap(int mib)
{
    std::vector<char*> blocks;
    blocks.reserve(std::size_t(mib) * 1024);
    for (int i = 0; i < mib * 1024; ++i) {
        auto* b = static_cast<char*>(g_allocate(1000));
        std::memset(b, i, 1000);
        blocks.push_back(b);
    }
    // The last block, on top of the others, stays in use.
    void* inUse = blocks.back();
    blocks.pop_back();
    for (char* b : blocks) {
        g_sink = b[500];
        g_release(b);
    }
    return inUse;
}

} // namespace

void FreedMemoryTest::givenBackOnceQuietNotWhileBusy()
{
    void* inUse = leaveFreedMemoryInTheHeap(48);
    const qint64 full = heapResidentKib();
    QVERIFY2(full > 40 * 1024, qPrintable(QString::number(full)));

    returnFreedMemoryWhenQuiet();
    // A busy second and a half: the memory stays with the process.
    QElapsedTimer busy;
    busy.start();
    double x = 1;
    while (busy.elapsed() < 1500) {
        for (int i = 0; i < 100000; ++i)
            x = x * 1.0000001 + 1e-9;
        QCoreApplication::processEvents();
    }
    g_sink = char(x);
    QVERIFY2(heapResidentKib() > full - 4 * 1024, qPrintable(QString::number(heapResidentKib())));

    // Quiet: it goes back.
    QTRY_VERIFY_WITH_TIMEOUT(heapResidentKib() < full - 36 * 1024, 10000);
    g_release(inUse);
}

void FreedMemoryTest::loadingOrClosingALargeTextGivesBackWhatWasFreed()
{
    // What the text itself holds stays, of course; what was freed before
    // must not: a trim of our own afterwards finds almost nothing to give.
    const auto keptFreeKib = [] {
        const qint64 before = heapResidentKib();
        malloc_trim(0);
        return before - heapResidentKib();
    };
    const QString large(2 * 1024 * 1024, u'x');

    auto* editor = new ScintillaEditor;
    void* inUse = leaveFreedMemoryInTheHeap(24);
    editor->setText(large);
    QTest::qWait(2000);
    QVERIFY2(keptFreeKib() < 2048, "after loading");
    g_release(inUse);

    inUse = leaveFreedMemoryInTheHeap(24);
    delete editor;
    QTest::qWait(2000);
    QVERIFY2(keptFreeKib() < 2048, "after closing");
    g_release(inUse);

    // A small text leaves the heap alone.
    ScintillaEditor small;
    inUse = leaveFreedMemoryInTheHeap(24);
    small.setText(QStringLiteral("<p>text</p>"));
    QTest::qWait(1000);
    QVERIFY(keptFreeKib() > 16 * 1024);
    g_release(inUse);
}

QTEST_MAIN(FreedMemoryTest)
#include "tst_freed_memory.moc"
