// The design view's untouched-bytes promise measured on real pages, through
// what a person uses: the main window opens each page, the design page shows
// it in the real design document (its scripts, editing on), keys go to the
// focused widget of the view and leaving the page runs the window's own
// write-back into the editor (offscreen or under Xvfb):
//
//   bench_design_corpus FOLDER [--verbose]
//       Every .htm/.html page below FOLDER is opened; then
//       (a) a letter typed and deleted again (the document reports an edit,
//           its content is what was loaded), the page left: no replacement
//           and the editor's text byte-identical;
//       (b) a word typed at a defined place (in the first text of the body
//           that begins with two letters or digits, between them; the caret
//           put there by the document's own selection), the page left:
//           exact: the text is the source with just the word put in at the
//                  source offset of that place;
//           range: the changed characters lie inside the source range of
//                  the element holding that text.
//       Prints found / loaded / measured, the figures and every failed page
//       with the reason; exits with 1 when (a) is below 100 %, (b) exact
//       below 97 % or (b) range below 100 %, or when any page could not be
//       read, loaded, typed into or left.
//
//   bench_design_corpus --dump FILE [--edit | --script JS]
//       Prints the snapshot after loading FILE and the one after the word of
//       (b) was typed or JS was run in the view's own world, as JSON
//       {"loaded": ..., "left": ...}: the core's write-back tests take their
//       fixtures from here.
//
//   bench_design_corpus --seed FILE OUT [--script JS]
//       Writes the fuzz seed of the design view's reader (fuzz/design_outline)
//       for FILE: the source and both snapshots of --dump --edit (or of
//       --dump --script JS).

#include "app/design/DesignFeature.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/design/DesignWriteBack.h"
#include "core/design/HtmlOutline.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <cstdio>
#include <memory>
#include <optional>

using namespace qw;

namespace {

// The word (b) types; no page of the corpus holds it.
const QString kTypedWord = QStringLiteral("Quenwick");
// How long the view may take for a load, a script or the keys' effect.
constexpr int kLoadWaitMs = 30000;
constexpr int kAnswerWaitMs = 10000;

// Every question answered so that nothing waits: a modified document is
// closed without saving; messages are kept for the failure's reason.
class HarnessUi : public bench::QuietUiServices
{
public:
    QStringList messages;

    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
    void notify(QWidget*, Icon, const QString& text) override
    {
        ++notices;
        messages << text;
    }
};

// The place (b) types at, as the view found it: the path of child indexes
// from <body> to the text node, and the two letters around the caret.
struct TypedPlace
{
    QList<int> path;
    QChar before;
    QChar after;
};

// Finds the first rendered text of the body that begins with two letters or
// digits and the place between them: inside a word, so the engine cannot
// move a caret there out of its element. With collapse, puts the caret there
// through the document's own selection. Answers the place, where it is on
// screen and the length of the body's text.
const char* const kPlaceCaretScript = R"JS(
(function (collapse) {
    var skip = {SCRIPT: 1, STYLE: 1, NOSCRIPT: 1, TEXTAREA: 1, SELECT: 1, OPTION: 1,
                OPTGROUP: 1, TITLE: 1, TEMPLATE: 1, IFRAME: 1, OBJECT: 1, BUTTON: 1};
    if (!document.body)
        return null;
    var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (var node = walker.nextNode(); node; node = walker.nextNode()) {
        var m = /^[ \t\n\r\f]*[A-Za-z0-9][A-Za-z0-9]/.exec(node.data);
        if (!m)
            continue;
        var inside = true;
        for (var e = node.parentElement; e && e !== document.body; e = e.parentElement) {
            if (skip[e.tagName] || e.namespaceURI !== "http://www.w3.org/1999/xhtml")
                inside = false;
        }
        if (!inside || getComputedStyle(node.parentElement).visibility !== "visible")
            continue;
        var k = m[0].length - 1;
        var range = document.createRange();
        range.setStart(node, k - 1);
        range.setEnd(node, k + 1);
        if (range.getClientRects().length === 0)
            continue;
        if (!collapse)
            node.parentElement.scrollIntoView({block: "center"});
        var rect = range.getClientRects()[0];
        var selection = document.getSelection();
        if (collapse) {
            selection.collapse(node, k);
            if (selection.anchorNode !== node || selection.anchorOffset !== k)
                continue;
        }
        var path = [];
        for (var n = node; n !== document.body; n = n.parentNode)
            path.unshift(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
        return {path: path, before: node.data.charAt(k - 1), after: node.data.charAt(k),
                x: (rect.left + rect.right) / 2, y: (rect.top + rect.bottom) / 2,
                length: document.body.textContent.length};
    }
    return null;
})
)JS";

QVariant evaluate(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    return QTest::qWaitFor([&] { return done; }, kAnswerWaitMs) ? result : QVariant();
}

int bodyTextLength(QWebEngineView* view)
{
    const QVariant v =
        evaluate(view, QStringLiteral("document.body ? document.body.textContent.length : -1"));
    return v.isValid() ? v.toInt() : -2;
}

QJsonObject toJson(const DesignSnapshot& s)
{
    QJsonArray attributes;
    for (const auto& attribute : s.bodyAttributes)
        attributes.append(QJsonArray{attribute.first, attribute.second});
    return QJsonObject{{QStringLiteral("headNodes"), QJsonArray::fromStringList(s.headNodes)},
                       {QStringLiteral("bodyAttributes"), attributes},
                       {QStringLiteral("bodyNodes"), QJsonArray::fromStringList(s.bodyNodes)}};
}

// The main window with one page at a time, and the write-back it runs
// recorded on its way.
class Session
{
public:
    explicit Session(const QString& dataDir)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("prog/Data/Settings"));
        for (const char* name : {"tag.dat", "html.dat"}) {
            const QString file = QString::fromLatin1(name);
            QFile::copy(dataDir + u'/' + file,
                        m_dir.filePath(QStringLiteral("prog/Data/Settings/") + file));
        }
        m_context = std::make_unique<AppContext>(
            AppPaths(m_dir.filePath(QStringLiteral("prog")), m_dir.filePath(QStringLiteral("cfg")),
                     m_dir.filePath(QStringLiteral("data")), m_dir.filePath(QStringLiteral("tmp"))),
            m_ui);
        m_context->loadSettings();
        m_window = std::make_unique<MainWindow>(*m_context);
        m_window->design().setWriteBack([this](const QString& source, const DesignSnapshot& loaded,
                                               const DesignSnapshot& left,
                                               const DesignWriteBackOptions& options) {
            m_writeBacks.append(designWriteBack(source, loaded, left, options));
            return m_writeBacks.last();
        });
        m_window->resize(1200, 850);
        m_window->show();
        m_window->openStartFile(QString());
        if (QTest::qWaitForWindowExposed(m_window.get())) {
            m_window->activateWindow();
            m_active = QTest::qWaitForWindowActive(m_window.get());
        }
    }

    bool active() const { return m_active; }
    ScintillaEditor* editor() { return m_window->documents().current(); }
    WebDesignDocument* document()
    {
        return qobject_cast<WebDesignDocument*>(m_window->design().document());
    }
    QWebEngineView* view() { return document() != nullptr ? document()->view() : nullptr; }
    const QList<QList<TextReplacement>>& writeBacks() const { return m_writeBacks; }

    bool open(const QString& path, QString* why)
    {
        m_ui.messages.clear();
        if (!m_window->documents().openDocument(path) || editor() == nullptr) {
            *why = QStringLiteral("not read: ") + m_ui.messages.join(u' ');
            return false;
        }
        return true;
    }

    void close()
    {
        if (m_window->pages().pageMode() != PageMode::Source)
            m_window->pages().switchTo(PageMode::Source);
        m_window->documents().closeDocument();
    }

    // Enters the design page and waits until the document is ready, with
    // the keyboard focus in the view.
    bool enter(QString* why)
    {
        m_ui.messages.clear();
        m_window->pages().switchTo(PageMode::Design);
        if (m_window->pages().pageMode() != PageMode::Design || document() == nullptr) {
            *why = QStringLiteral("the design page was not shown: ") + m_ui.messages.join(u' ');
            return false;
        }
        if (!QTest::qWaitFor([this] { return document()->isReady(); }, kLoadWaitMs)) {
            *why = QStringLiteral("not loaded in the design view");
            return false;
        }
        view()->setFocus();
        QWidget* proxy = view()->focusProxy() != nullptr ? view()->focusProxy() : view();
        if (!QTest::qWaitFor([proxy] { return QApplication::focusWidget() == proxy; }, 2000)) {
            *why = QStringLiteral("the view took no keyboard focus");
            return false;
        }
        return true;
    }

    // A click on the place, as a person starts, then the caret put exactly
    // there.
    std::optional<TypedPlace> placeCaret(int* textLength)
    {
        const QString script = QString::fromUtf8(kPlaceCaretScript);
        const QVariantMap seen = evaluate(view(), script + QStringLiteral("(false)")).toMap();
        if (!seen.contains(QStringLiteral("path")))
            return std::nullopt;
        QWidget* surface = view()->focusProxy() != nullptr ? view()->focusProxy() : view();
        QTest::mouseClick(surface, Qt::LeftButton, {},
                          QPoint(int(seen.value(QStringLiteral("x")).toDouble()),
                                 int(seen.value(QStringLiteral("y")).toDouble())));
        const QVariantMap answer = evaluate(view(), script + QStringLiteral("(true)")).toMap();
        if (!answer.contains(QStringLiteral("path")))
            return std::nullopt;
        TypedPlace place;
        for (const QVariant& index : answer.value(QStringLiteral("path")).toList())
            place.path.append(index.toInt());
        const auto letter = [&answer](const QString& key) {
            const QString s = answer.value(key).toString();
            return s.isEmpty() ? QChar() : s.front();
        };
        place.before = letter(QStringLiteral("before"));
        place.after = letter(QStringLiteral("after"));
        *textLength = answer.value(QStringLiteral("length")).toInt();
        return place;
    }

    // Keys as a person types them, to the focused widget; true once the
    // body's text has the expected length and the document reported the
    // edit.
    bool type(const QList<QPair<Qt::Key, QString>>& keys, int expectedLength, QString* why)
    {
        for (const auto& [key, text] : keys) {
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr) {
                *why = QStringLiteral("no focused widget for the keys");
                return false;
            }
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
        int length = -1;
        if (!QTest::qWaitFor([&] { return (length = bodyTextLength(view())) == expectedLength; },
                             kAnswerWaitMs)) {
            *why = QStringLiteral("the keys did not arrive (text length %1, expected %2)")
                       .arg(length)
                       .arg(expectedLength);
            return false;
        }
        if (!QTest::qWaitFor([this] { return document()->edited(); }, kAnswerWaitMs)) {
            *why = QStringLiteral("the document never reported the edit");
            return false;
        }
        return true;
    }

    // Leaves the design page as a person does; false when the window kept it.
    bool leave(QString* why)
    {
        m_ui.messages.clear();
        m_writeBacks.clear();
        m_window->pages().switchTo(PageMode::Source);
        if (m_window->pages().pageMode() != PageMode::Source) {
            *why = QStringLiteral("the design page could not be left: ") + m_ui.messages.join(u' ');
            return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
    HarnessUi m_ui;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<MainWindow> m_window;
    QList<QList<TextReplacement>> m_writeBacks;
    bool m_active = false;
};

QList<QPair<Qt::Key, QString>> keysOf(const QString& word)
{
    QList<QPair<Qt::Key, QString>> keys;
    for (QChar c : word) {
        const QChar upper = c.toUpper();
        const Qt::Key key = upper.isDigit() ? Qt::Key(Qt::Key_0 + (upper.unicode() - u'0'))
                                            : Qt::Key(Qt::Key_A + (upper.unicode() - u'A'));
        keys.append({key, QString(c)});
    }
    return keys;
}

// Where the typed place lies in the source, found by the same reading of
// the source as the write-back's: the text node at the view's path, the
// caret after its leading white space and first letter; and the source
// range of the element holding it.
struct SourcePlace
{
    qsizetype offset = -1;
    qsizetype elementStart = 0;
    qsizetype elementEnd = 0;
};

std::optional<SourcePlace> sourcePlace(const QString& source, const TypedPlace& place, QString* why)
{
    const HtmlOutline outline = outlineHtml(source);
    int parent = -1;
    int node = outline.body;
    for (int index : place.path) {
        parent = node;
        node = outline.nodes[size_t(node)].firstChild;
        for (int i = 0; i < index && node >= 0; ++i)
            node = outline.nodes[size_t(node)].nextSibling;
        if (node < 0) {
            *why = QStringLiteral("the source's element tree has no node at the typed place");
            return std::nullopt;
        }
    }
    const OutlineNode& text = outline.nodes[size_t(node)];
    if (parent < 0 || text.name != u"#text") {
        *why =
            QStringLiteral("the source's node at the typed place is %1, not text").arg(text.name);
        return std::nullopt;
    }
    qsizetype at = text.start;
    while (at < text.end && QStringView(u" \t\n\r\f").contains(source.at(at)))
        ++at;
    ++at;
    if (at >= text.end || source.at(at - 1) != place.before || source.at(at) != place.after) {
        *why = QStringLiteral("the source does not hold \"%1%2\" at the typed place")
                   .arg(place.before)
                   .arg(place.after);
        return std::nullopt;
    }
    const OutlineNode& element = outline.nodes[size_t(parent)];
    return SourcePlace{at, element.start, element.end};
}

// The part of `before` that `after` changed: [first, end).
std::pair<qsizetype, qsizetype> changedRange(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {head, before.size() - tail};
}

struct Figures
{
    int found = 0;
    int loaded = 0;
    int measured = 0;
    int measuredA = 0;
    int unchanged = 0; // (a)
    int coreRan = 0;   // (a): the snapshots differed, the core wrote back
    int exact = 0;     // (b)
    int inRange = 0;   // (b)
    QStringList failed;

    void fail(const QString& page, const QString& why)
    {
        failed << page + QStringLiteral(": ") + why;
    }
};

void measure(Session& s, const QString& path, const QString& name, Figures& f, bool verbose)
{
    QString why;
    if (!s.open(path, &why)) {
        f.fail(name, why);
        return;
    }
    const QString source = s.editor()->text();
    if (!s.enter(&why)) {
        f.fail(name, why);
        s.close();
        return;
    }
    ++f.loaded;

    // (a) A letter typed and taken back.
    int length = 0;
    std::optional<TypedPlace> place = s.placeCaret(&length);
    if (!place) {
        f.fail(name, QStringLiteral("no text to type into"));
        s.close();
        return;
    }
    if (!s.type({{Qt::Key_X, QStringLiteral("x")}}, length + 1, &why) ||
        !s.type({{Qt::Key_Backspace, QString()}}, length, &why) || !s.leave(&why)) {
        f.fail(name, QStringLiteral("(a) ") + why);
        s.close();
        return;
    }
    const QString afterA = s.editor()->text();
    bool replaced = false;
    for (const QList<TextReplacement>& r : s.writeBacks())
        replaced = replaced || !r.isEmpty();
    ++f.measuredA;
    if (!s.writeBacks().isEmpty())
        ++f.coreRan;
    if (!replaced && afterA == source) {
        ++f.unchanged;
    } else {
        const auto [from, to] = changedRange(source, afterA);
        std::printf("(a) FAIL %s: %s, text changed in [%lld, %lld)\n", qPrintable(name),
                    replaced ? "replacements written" : "no replacement", qlonglong(from),
                    qlonglong(to));
    }

    // (b) A word typed at the same place, into the text as (a) left it.
    if (!s.enter(&why) || !(place = s.placeCaret(&length)) ||
        !s.type(keysOf(kTypedWord), length + int(kTypedWord.size()), &why) || !s.leave(&why)) {
        f.fail(name, QStringLiteral("(b) ") + (why.isEmpty() ? QStringLiteral("no text") : why));
        s.close();
        return;
    }
    ++f.measured;
    const QString written = s.editor()->text();
    const std::optional<SourcePlace> at = sourcePlace(afterA, *place, &why);
    const auto [from, to] = changedRange(afterA, written);
    const bool exact =
        at && written == afterA.left(at->offset) + kTypedWord + afterA.mid(at->offset);
    const bool inRange =
        at && written != afterA && from >= at->elementStart && to <= at->elementEnd;
    if (exact)
        ++f.exact;
    if (inRange)
        ++f.inRange;
    if (!exact || !inRange || verbose) {
        const QString where = at ? QStringLiteral("typed at %1 in an element at [%2, %3)")
                                       .arg(at->offset)
                                       .arg(at->elementStart)
                                       .arg(at->elementEnd)
                                 : why;
        std::printf("(b) %s %s: %s; changed [%lld, %lld) of the source, %lld characters more\n",
                    exact && inRange ? "ok"
                    : !inRange       ? "FAIL range"
                                     : "FAIL exact",
                    qPrintable(name), qPrintable(where), qlonglong(from), qlonglong(to),
                    qlonglong(written.size() - afterA.size()));
    }
    s.close();
}

double percent(int part, int whole)
{
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

// The document after loading and after the word of (b) or a script.
std::optional<std::pair<DesignSnapshot, DesignSnapshot>>
recordSnapshots(Session& s, const QString& path, bool edit, const QString& script, QString* source)
{
    QString why;
    if (!s.open(path, &why) || !s.enter(&why)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(why));
        return std::nullopt;
    }
    *source = s.editor()->text();
    const DesignSnapshot loaded = s.document()->loadedSnapshot();
    int length = 0;
    std::optional<TypedPlace> place;
    if (edit && (!(place = s.placeCaret(&length)) ||
                 !s.type(keysOf(kTypedWord), length + int(kTypedWord.size()), &why))) {
        std::fprintf(stderr, "%s: not typed: %s\n", qPrintable(path), qPrintable(why));
        return std::nullopt;
    }
    if (!script.isEmpty())
        evaluate(s.view(), script);
    const std::optional<DesignSnapshot> left = s.document()->snapshot();
    if (!left) {
        std::fprintf(stderr, "%s: no snapshot from the view\n", qPrintable(path));
        return std::nullopt;
    }
    return std::pair{loaded, *left};
}

// A fuzz seed of the design view's reader: a choice byte (0: UTF-8), then
// the source and both snapshots, fields apart by U+001E and the items of a
// list by U+001F.
QByteArray fuzzSeed(const QString& source, const DesignSnapshot& loaded, const DesignSnapshot& left)
{
    const QChar field(0x1e);
    const QChar item(0x1f);
    QStringList fields{source};
    for (const DesignSnapshot* s : {&loaded, &left}) {
        QStringList attributes;
        for (const auto& [name, value] : s->bodyAttributes)
            attributes << name << value;
        fields << s->headNodes.join(item) << attributes.join(item) << s->bodyNodes.join(item);
    }
    return QByteArray(1, '\0') + fields.join(field).toUtf8();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s FOLDER [--verbose]\n"
                     "       %s --dump FILE [--edit | --script JS]\n"
                     "       %s --seed FILE OUT [--script JS]\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    Session session(QStringLiteral(QW_SHIPPED_DATA_DIR));
    if (!session.active()) {
        std::fprintf(stderr, "the window could not be shown and activated\n");
        return 2;
    }

    if (args[1] == u"--dump" || args[1] == u"--seed") {
        if (args.size() < 3 || (args[1] == u"--seed" && args.size() < 4))
            return 2;
        const qsizetype at = args.indexOf(QStringLiteral("--script"));
        const QString script = at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
        QString source;
        const bool edit =
            (args[1] == u"--seed" && script.isEmpty()) || args.contains(QStringLiteral("--edit"));
        const auto snapshots = recordSnapshots(session, args[2], edit, script, &source);
        if (!snapshots)
            return 2;
        if (args[1] == u"--seed") {
            QFile out(args[3]);
            const QByteArray seed = fuzzSeed(source, snapshots->first, snapshots->second);
            return out.open(QIODevice::WriteOnly) && out.write(seed) == seed.size() ? 0 : 2;
        }
        const QJsonObject out{{QStringLiteral("loaded"), toJson(snapshots->first)},
                              {QStringLiteral("left"), toJson(snapshots->second)}};
        std::fputs(QJsonDocument(out).toJson().constData(), stdout);
        return 0;
    }

    const bool verbose = args.contains(QStringLiteral("--verbose"));
    const QDir root(args[1]);
    QStringList files;
    QDirIterator it(args[1], {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();

    Figures f;
    f.found = int(files.size());
    for (const QString& file : files)
        measure(session, file, root.relativeFilePath(file), f, verbose);

    const double a = percent(f.unchanged, f.measuredA);
    const double exact = percent(f.exact, f.measured);
    const double range = percent(f.inRange, f.measured);
    std::printf("found %d, loaded %d, measured %d\n", f.found, f.loaded, f.measured);
    std::printf("(a) a letter typed and deleted, text byte-identical: %d/%d = %.1f %%\n",
                f.unchanged, f.measuredA, a);
    std::printf("    of which the snapshot differed from the loaded one: %d\n", f.coreRan);
    std::printf("(b) a typed word, text is the source with just the word: %d/%d = %.1f %%\n",
                f.exact, f.measured, exact);
    std::printf("(b) a typed word, changes inside its element's source: %d/%d = %.1f %%\n",
                f.inRange, f.measured, range);
    for (const QString& failure : f.failed)
        std::printf("FAILED %s\n", qPrintable(failure));
    const bool ok = f.found > 0 && f.failed.isEmpty() && f.measured == f.found && a == 100.0 &&
                    exact >= 97.0 && range == 100.0;
    return ok ? 0 : 1;
}
