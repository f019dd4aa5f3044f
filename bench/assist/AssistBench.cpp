// Times the writing aids where a person waits for them, in a real editor
// with its aids attached: from the key that opens the list (sent to the
// editor as a key press) until Scintilla's list is up, and the partner-tag
// marks after a caret move into another tag (the editor's update signal, as
// Scintilla sends it). Both on a 5 KB and a 50 MB page, the caret in the
// middle. A list that does not come up, or marks that are not set, are a
// failure (exit code 1), not a figure.

#include "app/BenchSupport.h"
#include "app/assist/MarkupAssist.h"
#include "app/editor/ScintillaEditor.h"
#include "core/assist/Completion.h"
#include "core/settings/AppSettings.h"
#include "core/settings/IniFile.h"
#include "core/settings/TagDefinitions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <cstdio>
#include <cstdlib>

using namespace qw;
using namespace qw::bench;
using Sci = QsciScintillaBase;
using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    std::_Exit(1);
}

void typeKey(QWidget& target, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

// Where a person would type: the start of the first line from the middle
// on (or from the line after `after`) that begins with `marker`.
long lineStartWith(ScintillaEditor& e, const char* marker, long after = -1)
{
    const long from = after < 0 ? e.SendScintilla(Sci::SCI_GETLENGTH) / 2 : after;
    const int line = int(e.SendScintilla(Sci::SCI_LINEFROMPOSITION, from)) + (after < 0 ? 0 : 1);
    for (int l = line; l < line + 50; ++l) {
        const long start = e.SendScintilla(Sci::SCI_POSITIONFROMLINE, l);
        const long end = e.SendScintilla(Sci::SCI_GETLINEENDPOSITION, l);
        if (e.textRange(e.offsetFromPosition(start), e.offsetFromPosition(end))
                .startsWith(QLatin1StringView(marker)))
            return start;
    }
    fail("no line of the generated page to type into");
}

// The key that opens the list, its time, then Escape and the key undone.
void listAfterKey(ScintillaEditor& e, const char* page, const char* what, const char* marker,
                  long shift, QChar key, int rounds)
{
    const long at = lineStartWith(e, marker) + shift;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        e.SendScintilla(Sci::SCI_GOTOPOS, at);
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        typeKey(e, Qt::Key_unknown, QString(key));
        const bool shown = e.SendScintilla(Sci::SCI_AUTOCACTIVE) != 0;
        times.push_back(ms(t));
        if (!shown)
            fail("the list did not come up after the key");
        typeKey(e, Qt::Key_Escape, QString());
        e.undo();
    }
    char name[96];
    std::snprintf(name, sizeof name, "%s: list after %s", page, what);
    printPercentiles(name, percentiles(std::move(times)));
}

// The core's decision alone for the same places, on the window the editor
// cuts (64 KB before the caret, 4 KB after): what the list costs beyond it is
// Scintilla's own list window.
void decisionAlone(ScintillaEditor& e, const TagDefinitions& definitions, const char* page,
                   int rounds)
{
    const qsizetype at = e.offsetFromPosition(lineStartWith(e, "<p class"));
    const QString window = e.textRange(std::max<qsizetype>(0, at - 64 * 1024), at + 4096);
    const qsizetype caret = at - std::max<qsizetype>(0, at - 64 * 1024);
    for (const auto& [what, typed] : {std::pair{"'<'", u"<"_s}, std::pair{"'&'", u"&"_s},
                                      std::pair{"a blank in a start tag", u"<p "_s}}) {
        const QString text = window.first(caret) + typed + window.sliced(caret);
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer t;
            t.start();
            const Offer offer = offerAt(text, caret + typed.size(), definitions, OfferOptions());
            times.push_back(ms(t));
            if (offer.entries.isEmpty())
                fail("the core offered nothing where the list comes up");
        }
        char name[96];
        std::snprintf(name, sizeof name, "%s: decision after %s", page, what);
        printPercentiles(name, percentiles(std::move(times)));
    }
}

// Caret moves between the start tags of two rows; each move's marks.
void partnerAfterMove(ScintillaEditor& e, const char* page, int rounds)
{
    MarkupAssist* assist = MarkupAssist::of(&e);
    const long first = lineStartWith(e, "<tr>") + 1;
    const long second = lineStartWith(e, "<tr>", first) + 1;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        e.SendScintilla(Sci::SCI_SETEMPTYSELECTION, i % 2 ? first : second);
        QElapsedTimer t;
        t.start();
        Q_EMIT e.SCN_UPDATEUI(Sci::SC_UPDATE_SELECTION);
        times.push_back(ms(t));
        const auto marks = assist->partnerMarks();
        if (marks.size() != 2 || marks.first().first != (i % 2 ? first : second) - 1)
            fail("the partner of the tag at the caret was not marked");
    }
    char name[96];
    std::snprintf(name, sizeof name, "%s: partner marks after a caret move", page);
    printPercentiles(name, percentiles(std::move(times)));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const IniFile tagDat(QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat"));
    const TagDefinitions definitions(tagDat);
    const AppSettings settings;
    const int rounds = 200;
    for (const auto& [page, bytes] :
         {std::pair{"5 KB", qsizetype(5 * 1024)}, std::pair{"50 MB", qsizetype(50 << 20)}}) {
        ScintillaEditor e;
        e.resize(900, 700);
        new MarkupAssist(&e, definitions, settings, [] { return QString(); });
        e.setText(QString::fromLatin1(generatePage(bytes)));
        e.show();
        QCoreApplication::processEvents();
        // The text's rows: "<tr>..." and "<p class=...><a href=...>".
        listAfterKey(e, page, "'<'", "<p class", 0, u'<', rounds);
        listAfterKey(e, page, "a blank in a start tag", "<p class", 2, u' ', rounds);
        listAfterKey(e, page, "'&'", "<tr>", 4, u'&', rounds);
        decisionAlone(e, definitions, page, rounds);
        partnerAfterMove(e, page, rounds * 5);
        e.setModified(false);
    }
    return 0;
}
