// Spelling in the real editor, on a generated 1 MB page of varied Czech
// words (one in twenty misspelt, so the dictionary is asked thousands of
// different words): the memory the Czech dictionary takes, the visible part
// underlined after the page is opened and after a jump to its middle, the
// whole page checked in the background (with the longest slice and the
// longest pause of the event loop), and typed keys with spelling on and
// off. Prints one figure a line; a step that does not happen is a failure
// (exit code 1), never a time.
// Usage: bench_spelling [-platform offscreen]

#include "app/BenchSupport.h"
#include "app/editor/HighlightTheme.h"
#include "app/editor/ScintillaEditor.h"
#include "app/spelling/SpellUnderline.h"
#include "app/spelling/Speller.h"
#include "core/spelling/SpellDictionary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace qw;
using namespace qw::bench;
using Sci = QsciScintillaBase;
using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

// Words of the Czech dictionary's own list (its stems), so the page holds
// many different real words.
QStringList czechWords()
{
    QFile f(QStringLiteral("/usr/share/hunspell/cs_CZ.dic"));
    if (!f.open(QIODevice::ReadOnly))
        fail("no Czech dictionary in /usr/share/hunspell");
    QStringList words;
    f.readLine(); // the count
    while (!f.atEnd() && words.size() < 60000) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        const QString word = line.section(u'/', 0, 0);
        if (word.size() > 2 && word.at(0).isLower())
            words.append(word);
    }
    return words;
}

QString czechPage(qsizetype bytes)
{
    const QStringList words = czechWords();
    QRandomGenerator random(30);
    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"cs\">\n<head><title>Obec</title>"
                                  "</head>\n<body>\n");
    qsizetype size = page.toUtf8().size();
    int row = 0;
    while (size < bytes) {
        QString text;
        for (int i = 0; i < 12; ++i) {
            QString w = words.at(random.bounded(static_cast<int>(words.size())));
            if (random.bounded(20) == 0 && w.size() > 3)
                w.remove(random.bounded(static_cast<int>(w.size()) - 1) + 1, 1); // a mistake
            text += w + u' ';
        }
        QString line;
        switch (row++ % 4) {
        case 0:
            line = u"<p class=\"text\">"_s + text + u"</p>\n"_s;
            break;
        case 1:
            line = u"<img src=\"obr.png\" alt=\""_s + text.trimmed() + u"\">\n"_s;
            break;
        case 2:
            line = u"<!-- "_s + text + u"-->\n<td>"_s + text + u"</td>\n"_s;
            break;
        default:
            line = u"<script>var a = 1 < 2;</script><b>"_s + text + u"</b>\n"_s;
        }
        page += line;
        size += line.toUtf8().size();
    }
    page += QStringLiteral("</body>\n</html>\n");
    return page;
}

bool underlinedBetween(ScintillaEditor& e, long from, long to)
{
    const long end = e.SendScintilla(Sci::SCI_INDICATOREND, SpellUnderline::kIndicator, from);
    return e.SendScintilla(Sci::SCI_INDICATORVALUEAT, SpellUnderline::kIndicator, from) != 0 ||
           (end > from && end < to);
}

long visibleFrom(ScintillaEditor& e)
{
    return e.SendScintilla(Sci::SCI_POSITIONFROMPOINT, 0L, 0L);
}

long visibleTo(ScintillaEditor& e)
{
    return e.SendScintilla(Sci::SCI_POSITIONFROMPOINT, static_cast<long>(e.viewport()->width()),
                           static_cast<long>(e.viewport()->height()));
}

// Runs the event loop until `done`, measuring the longest time the loop did
// not come round (a 1 ms timer's largest gap). False after `limitMs`.
template<typename Done> bool runUntil(Done done, int limitMs, double* longestPauseMs)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer gap;
    gap.start();
    double longest = 0;
    QTimer beat;
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, ms(gap));
        gap.restart();
    });
    beat.start();
    while (!done()) {
        if (total.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    if (longestPauseMs != nullptr)
        *longestPauseMs = longest;
    return true;
}

double typeKeys(ScintillaEditor& e, int count, Percentiles* out)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        if (i % 2 == 0)
            QTest::keyClick(&e, Qt::Key_A);
        else
            QTest::keyClick(&e, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        e.viewport()->repaint();
        times.push_back(ms(t));
    }
    *out = percentiles(times);
    return out->p50;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir home;

    // The Czech dictionary alone: its resident memory and reading time.
    {
        const long before = residentKiB();
        QElapsedTimer t;
        t.start();
        std::unique_ptr<SpellDictionary> cs;
        for (const DictionaryFiles& d : installedDictionaries(systemDictionaryFolders())) {
            if (d.name == u"cs_CZ")
                cs = SpellDictionary::open(d);
        }
        if (cs == nullptr || !cs->isCorrect(QStringLiteral("příliš")))
            fail("the Czech dictionary did not load");
        std::printf("%-44s %8.1f ms\n", "Czech dictionary read", ms(t));
        std::printf("%-44s %8.1f MiB\n", "Czech dictionary resident memory",
                    double(residentKiB() - before) / 1024.0);
    }

    const QString page = czechPage(1024 * 1024);
    Speller speller(systemDictionaryFolders(), home.filePath(QStringLiteral("slova.txt")));
    speller.check(QStringLiteral("slovo"), QString());
    if (!runUntil([&] { return !speller.isLoading(); }, 20000, nullptr))
        fail("the dictionary was not read in the background");

    QMainWindow window;
    auto* editor = new ScintillaEditor;
    editor->setHighlightTheme(&HighlightTheme::shared());
    editor->applyLook(QStringLiteral("Verdana"), 9, 0x000000, 0xFFFFFF, 8);
    window.setCentralWidget(editor);
    window.resize(1000, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        fail("the window was not shown");
    auto* underline = new SpellUnderline(editor, &speller);
    runUntil([&] { return underline->isSettled(); }, 5000, nullptr);

    // Opening: the page goes in, the visible part is underlined.
    bool visible = false;
    QObject::connect(underline, &SpellUnderline::visiblePartChecked, [&] { visible = true; });
    QElapsedTimer open;
    open.start();
    editor->setText(page);
    const double loadedMs = ms(open);
    if (!runUntil([&] { return visible; }, 10000, nullptr))
        fail("the visible part was not checked after opening");
    const double openMs = ms(open);
    std::printf("%-44s %8.1f ms\n", "1 MB page into the editor (no spelling yet)", loadedMs);
    if (!underlinedBetween(*editor, visibleFrom(*editor), visibleTo(*editor)))
        fail("nothing underlined on screen after opening");
    std::printf("%-44s %8.1f ms\n", "visible part underlined after opening 1 MB", openMs);

    // A jump to the middle before the background got there.
    visible = false;
    QElapsedTimer scroll;
    scroll.start();
    editor->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE,
                          editor->SendScintilla(Sci::SCI_GETLINECOUNT) / 2);
    if (!runUntil([&] { return visible; }, 10000, nullptr))
        fail("the visible part was not checked after scrolling");
    const double scrollMs = ms(scroll);
    if (!underlinedBetween(*editor, visibleFrom(*editor), visibleTo(*editor)))
        fail("nothing underlined on screen after scrolling");
    std::printf("%-44s %8.1f ms\n", "visible part underlined after a jump", scrollMs);

    // The rest of the page in the background.
    double pause = 0;
    if (!runUntil([&] { return underline->isSettled(); }, 60000, &pause))
        fail("the background pass did not finish in 60 s");
    const double wholeMs = ms(open);
    std::printf("%-44s %8.1f ms\n", "whole 1 MB page checked (from opening)", wholeMs);
    std::printf("%-44s %8.1f ms\n", "longest background slice",
                double(underline->longestSliceNanoseconds()) / 1e6);
    std::printf("%-44s %8.1f ms\n", "longest pause of the event loop meanwhile", pause);

    // The same opening and jump without spelling, for the editor's own
    // pauses (background wrapping and colouring) over as long a time.
    {
        QMainWindow plainWindow;
        auto* plain = new ScintillaEditor;
        plain->setHighlightTheme(&HighlightTheme::shared());
        plain->applyLook(QStringLiteral("Verdana"), 9, 0x000000, 0xFFFFFF, 8);
        plainWindow.setCentralWidget(plain);
        plainWindow.resize(1000, 700);
        plainWindow.show();
        if (!QTest::qWaitForWindowExposed(&plainWindow))
            fail("the second window was not shown");
        QElapsedTimer same;
        same.start();
        plain->setText(page);
        QCoreApplication::processEvents();
        plain->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE,
                             plain->SendScintilla(Sci::SCI_GETLINECOUNT) / 2);
        double plainPause = 0;
        runUntil([&] { return ms(same) > wholeMs; }, 60000, &plainPause);
        std::printf("%-44s %8.1f ms\n", "longest pause without spelling, same time", plainPause);
    }

    // Keys in the middle of the page, spelling on and then off.
    editor->SendScintilla(Sci::SCI_GOTOPOS, editor->SendScintilla(Sci::SCI_GETLENGTH) / 2);
    editor->setFocus();
    Percentiles on;
    Percentiles off;
    typeKeys(*editor, 400, &on);
    runUntil([&] { return underline->isSettled(); }, 10000, nullptr);
    underline->setEnabled(false);
    typeKeys(*editor, 400, &off);
    printPercentiles("key with spelling on (1 MB page)", on);
    printPercentiles("key with spelling off (1 MB page)", off);
    return 0;
}
