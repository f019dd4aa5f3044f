// The design view's untouched-bytes promise measured with the real browser
// engine (offscreen or under Xvfb), scripts off for the page and the
// snapshot script in the application's own world, as the design view has it:
//
//   bench_design_corpus FOLDER [--min-edit PERCENT] [--middle] [--verbose]
//       Every .htm/.html page below FOLDER is read with the program's own
//       reader and loaded; then
//       (a) a second snapshot without an edit must give no replacements, so
//           the text stays byte-identical;
//       (b) a word typed into the text of the first <p> or <td> (or, with
//           --middle, the first from the middle of the page on; a DOM edit,
//           as typing makes it) must change only lines of that element: the
//           changed lines lie within as many lines as the element's
//           serialisation has, around the edit;
//       (c) the written text, loaded again, must give the edited document.
//       Also counted: pages whose written text is the source with just the
//       typed word put in.
//       Prints the three figures; exits with 1 when (a) is below 100 % or
//       (b) below PERCENT (default 95).
//
//   bench_design_corpus --dump FILE [--edit | --script JS]
//       Prints the snapshot after loading FILE and the one after the edit of
//       (b) or after running JS in the page (the application's world), as
//       JSON {"loaded": ..., "left": ...}: the fixtures of the core's
//       write-back tests come from here.

#include "app/preview/WebEngineSetup.h"
#include "core/design/DesignWriteBack.h"
#include "core/text/DocumentFile.h"

#include <QApplication>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <cstdio>
#include <optional>

static void loadDesignResources()
{
    Q_INIT_RESOURCE(design);
}

namespace {

using qw::DesignSnapshot;

// The word (b) types; no page of the corpus holds it.
const QString kTypedWord = QStringLiteral("Quenwick ");

// Which paragraph or cell (b) types into: the first with text, or the first
// with text from the middle of the page on (--middle).
bool typeInTheMiddle = false;

QString typingScript()
{
    return QStringLiteral(R"JS(
(function () {
    var cells = document.body ? document.body.querySelectorAll("p, td") : [];
    for (var i = %2; i < cells.length; ++i) {
        var cell = cells[i];
        for (var node = cell.firstChild; node; node = node.nextSibling) {
            if (node.nodeType === Node.TEXT_NODE && /\S/.test(node.data)) {
                var lines = cell.outerHTML.split("\n").length;
                node.insertData(node.data.search(/\S/), "%1");
                return lines;
            }
        }
    }
    return 0;
})()
)JS")
        .arg(kTypedWord, typeInTheMiddle ? QStringLiteral("Math.floor(cells.length / 2)")
                                         : QStringLiteral("0"));
}

class SnapshotPage
{
public:
    SnapshotPage() : m_profile(new QWebEngineProfile), m_page(new QWebEnginePage(m_profile))
    {
        m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        QFile file(QStringLiteral(":/design/snapshot.js"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("The snapshot script is missing from the resources");
        QWebEngineScript script;
        script.setName(QStringLiteral("designSnapshot"));
        script.setSourceCode(QString::fromUtf8(file.readAll()));
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        m_page->scripts().insert(script);
    }
    ~SnapshotPage()
    {
        delete m_page;
        delete m_profile;
    }

    bool load(const QString& html, const QUrl& base)
    {
        bool ok = false;
        QEventLoop loop;
        auto connection =
            QObject::connect(m_page, &QWebEnginePage::loadFinished, &loop, [&](bool finished) {
                ok = finished;
                loop.quit();
            });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        const QByteArray utf8 = html.toUtf8();
        if (utf8.size() < kSetHtmlLimit) {
            m_page->setHtml(html, base);
        } else {
            // Too large for setHtml: a UTF-8 file whose byte-order mark
            // decides its encoding, as the text's would.
            QFile file(m_folder.filePath(QStringLiteral("page.html")));
            if (!file.open(QIODevice::WriteOnly) || file.write("\xEF\xBB\xBF") != 3 ||
                file.write(utf8) != utf8.size())
                return false;
            file.close();
            m_page->load(QUrl::fromLocalFile(file.fileName()));
        }
        loop.exec();
        QObject::disconnect(connection);
        return ok;
    }

    QVariant run(const QString& script)
    {
        QVariant result;
        bool done = false;
        QEventLoop loop;
        m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                              [&](const QVariant& value) {
                                  result = value;
                                  done = true;
                                  loop.quit();
                              });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        if (!done)
            loop.exec();
        return result;
    }

    std::optional<DesignSnapshot> snapshot()
    {
        const QVariantMap map = run(QStringLiteral("qwDesignSnapshot()")).toMap();
        if (!map.contains(QStringLiteral("bodyNodes")))
            return std::nullopt;
        DesignSnapshot s;
        s.headNodes = map.value(QStringLiteral("headNodes")).toStringList();
        s.bodyNodes = map.value(QStringLiteral("bodyNodes")).toStringList();
        const QVariantList attributes = map.value(QStringLiteral("bodyAttributes")).toList();
        for (const QVariant& attribute : attributes) {
            const QStringList pair = attribute.toStringList();
            if (pair.size() == 2)
                s.bodyAttributes.append({pair[0], pair[1]});
        }
        return s;
    }

private:
    // setHtml takes pages up to 2 MB once percent-encoded.
    static constexpr qsizetype kSetHtmlLimit = 1'500'000;

    QTemporaryDir m_folder;
    QWebEngineProfile* m_profile;
    QWebEnginePage* m_page;
};

QJsonObject toJson(const DesignSnapshot& s)
{
    QJsonArray attributes;
    for (const auto& attribute : s.bodyAttributes)
        attributes.append(QJsonArray{attribute.first, attribute.second});
    return QJsonObject{{QStringLiteral("headNodes"), QJsonArray::fromStringList(s.headNodes)},
                       {QStringLiteral("bodyAttributes"), attributes},
                       {QStringLiteral("bodyNodes"), QJsonArray::fromStringList(s.bodyNodes)}};
}

QString applied(const QString& text, const QList<qw::TextReplacement>& replacements)
{
    QString out;
    qsizetype at = 0;
    for (const qw::TextReplacement& r : replacements) {
        out += QStringView(text).sliced(at, r.start - at);
        out += r.text;
        at = r.start + r.length;
    }
    out += QStringView(text).sliced(at);
    return out;
}

QUrl baseOf(const QString& path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absolutePath() + u'/');
}

int dump(const QString& path, bool edit, const QString& script)
{
    const qw::DocumentReadResult read = qw::readDocumentFile(path);
    SnapshotPage page;
    if (!read.ok || !page.load(read.text, baseOf(path)))
        return 2;
    const std::optional<DesignSnapshot> loaded = page.snapshot();
    if (!loaded)
        return 2;
    if (edit && page.run(typingScript()).toInt() == 0)
        return 2;
    if (!script.isEmpty())
        page.run(script);
    const std::optional<DesignSnapshot> left = page.snapshot();
    if (!left)
        return 2;
    const QJsonObject out{{QStringLiteral("loaded"), toJson(*loaded)},
                          {QStringLiteral("left"), toJson(*left)}};
    std::fputs(QJsonDocument(out).toJson().constData(), stdout);
    return 0;
}

struct Figures
{
    int pages = 0;
    int unchangedSame = 0;
    int edited = 0;
    int editLocal = 0;
    int editWordOnly = 0;
    int editRoundTrip = 0;
};

// Whether the two texts differ only in lines around the typed word, at most
// elementLines of them.
bool onlyElementLinesDiffer(const QString& before, const QString& after, int elementLines,
                            QString* why)
{
    const QStringList a = before.split(QStringLiteral("\r\n"));
    const QStringList b = after.split(QStringLiteral("\r\n"));
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const qsizetype changedBefore = a.size() - head - tail;
    const qsizetype changedAfter = b.size() - head - tail;
    bool hasWord = false;
    for (qsizetype i = head; i < head + changedAfter; ++i)
        hasWord = hasWord || b[i].contains(kTypedWord);
    *why = QStringLiteral("lines %1..%2 changed (%3 new), element has %4")
               .arg(head + 1)
               .arg(head + changedBefore)
               .arg(changedAfter)
               .arg(elementLines);
    return hasWord && changedBefore >= 1 && changedBefore <= elementLines &&
           changedAfter <= changedBefore + 1;
}

void measure(SnapshotPage& page, const QString& path, Figures& f, bool verbose)
{
    const qw::DocumentReadResult read = qw::readDocumentFile(path);
    if (!read.ok)
        return;
    const QString& text = read.text;
    // A load that fails once under a busy machine is tried again.
    if (!page.load(text, baseOf(path)) && !page.load(text, baseOf(path))) {
        std::fprintf(stderr, "not loaded: %s\n", qPrintable(path));
        return;
    }
    const std::optional<DesignSnapshot> loaded = page.snapshot();
    const std::optional<DesignSnapshot> again = page.snapshot();
    if (!loaded || !again)
        return;
    ++f.pages;
    const QList<qw::TextReplacement> none = qw::designWriteBack(text, *loaded, *again);
    if (none.isEmpty() && applied(text, none) == text)
        ++f.unchangedSame;
    else
        std::printf("(a) FAIL %s\n", qPrintable(path));

    const int elementLines = page.run(typingScript()).toInt();
    if (elementLines == 0)
        return; // no paragraph or cell with text
    const std::optional<DesignSnapshot> left = page.snapshot();
    if (!left)
        return;
    ++f.edited;
    const QString written = applied(text, qw::designWriteBack(text, *loaded, *left));
    QString why;
    if (onlyElementLinesDiffer(text, written, elementLines, &why))
        ++f.editLocal;
    else
        std::printf("(b) FAIL %s: %s\n", qPrintable(path), qPrintable(why));
    if (verbose)
        std::printf("%s: %s\n", qPrintable(path), qPrintable(why));
    // Stricter still: the text is the source with just the word put in.
    qsizetype head = 0;
    while (head < text.size() && head < written.size() && text[head] == written[head])
        ++head;
    if (written.size() == text.size() + kTypedWord.size() &&
        QStringView(written).sliced(head + kTypedWord.size()) == QStringView(text).sliced(head))
        ++f.editWordOnly;
    else if (verbose)
        std::printf("more than the word: %s\n", qPrintable(path));

    if (page.load(written, baseOf(path))) {
        const std::optional<DesignSnapshot> reloaded = page.snapshot();
        if (reloaded && *reloaded == *left)
            ++f.editRoundTrip;
        else
            std::printf("(c) FAIL %s\n", qPrintable(path));
    }
}

double percent(int part, int whole)
{
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

} // namespace

int main(int argc, char** argv)
{
    qw::prepareWebEngine();
    QApplication app(argc, argv);
    loadDesignResources();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == u"--dump") {
        const qsizetype script = args.indexOf(QStringLiteral("--script"));
        return dump(args[2], args.contains(QStringLiteral("--edit")),
                    script > 0 && script + 1 < args.size() ? args[script + 1] : QString());
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s FOLDER [--min-edit PERCENT] [--middle] [--verbose]\n"
                     "       %s --dump FILE [--edit | --script JS]\n",
                     argv[0], argv[0]);
        return 2;
    }
    double minEdit = 95.0;
    const qsizetype at = args.indexOf(QStringLiteral("--min-edit"));
    if (at > 0 && at + 1 < args.size())
        minEdit = args[at + 1].toDouble();
    const bool verbose = args.contains(QStringLiteral("--verbose"));
    typeInTheMiddle = args.contains(QStringLiteral("--middle"));

    QStringList files;
    QDirIterator it(args[1], {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();

    SnapshotPage page;
    Figures f;
    for (const QString& file : files)
        measure(page, file, f, verbose);
    const double a = percent(f.unchangedSame, f.pages);
    const double b = percent(f.editLocal, f.edited);
    std::printf("pages: %d, with a paragraph or cell to edit: %d\n", f.pages, f.edited);
    std::printf("(a) unchanged, byte-identical: %d/%d = %.1f %%\n", f.unchangedSame, f.pages, a);
    std::printf("(b) one edit, only its element's lines differ: %d/%d = %.1f %%\n", f.editLocal,
                f.edited, b);
    std::printf("    of which the text differs by the typed word alone: %d/%d = %.1f %%\n",
                f.editWordOnly, f.edited, percent(f.editWordOnly, f.edited));
    std::printf("(c) one edit, written text loads as the edited document: %d/%d = %.1f %%\n",
                f.editRoundTrip, f.edited, percent(f.editRoundTrip, f.edited));
    return f.pages > 0 && a == 100.0 && b >= minEdit ? 0 : 1;
}
