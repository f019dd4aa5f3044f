// After every key and mouse-button release the window searches the tag at
// the caret and refills the inspector from "tag.dat", which is consulted on
// every refill. The target is well under a millisecond with the shipped file.

#include "core/editor/MemoryEditor.h"
#include "core/inspector/TagInspection.h"
#include "core/settings/IniFile.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString page()
{
    QString html = u"<html>\r\n<body>\r\n"_s;
    for (int i = 0; i < 2000; ++i) {
        html += u"<p class=\"c\">Odstavec "_s + QString::number(i) +
                u" <img src=\"obr.gif\" alt=\"Obrázek\" width=\"10\" height=\"20\" "
                u"data-x=\"1\"> <a href=\"x.html\">odkaz</a></p>\r\n"_s;
    }
    return html + u"</body>\r\n</html>"_s;
}

// An HTML5 page: its flags are looked up on every refill as well.
QString html5Page()
{
    QString html = u"<!DOCTYPE html>\r\n<html lang=\"cs\">\r\n<body>\r\n"_s;
    for (int i = 0; i < 2000; ++i) {
        html += u"<section class=\"c\">Oddíl "_s + QString::number(i) +
                u" <video controls autoplay src=\"film.mp4\" poster=\"obr.jpg\" "
                u"data-x=\"1\"></video></section>\r\n"_s;
    }
    return html + u"</body>\r\n</html>"_s;
}

void refill(benchmark::State& state, QStringView mark, bool html5 = false,
            bool html5PageOnly = false)
{
    const qw::IniFile tagDat(QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat"));
    const qw::TagDefinitions definitions(tagDat);
    qw::MemoryEditor editor(html5 || html5PageOnly ? html5Page() : page());
    const qsizetype caret = editor.textRange(0, editor.length()).indexOf(mark, 50000) + 3;
    qw::CaretTagState tags;
    qw::TagInspection inspection;
    for (auto _ : state) {
        editor.setSelectionStart(caret);
        const qw::TagAtCaret found = qw::findTagAtCaret(editor, false, tags, qw::TagCaseOptions{});
        inspection.fill(definitions, found, tags.attributes, qw::TagCaseOptions{}, html5);
        if (inspection.rows().isEmpty())
            state.SkipWithError("no rows for the tag at the caret");
        // The kind of the row the user edits is asked when its editor opens.
        benchmark::DoNotOptimize(inspection.editorFor(definitions, 0));
    }
    state.counters["rows"] = static_cast<double>(inspection.rows().size());
}

void imageTag(benchmark::State& state)
{
    refill(state, u"<img");
}

void linkTag(benchmark::State& state)
{
    refill(state, u"<a ");
}

void videoTagInHtml5Page(benchmark::State& state)
{
    refill(state, u"<video", true);
}

// The same tag with its flags not looked up: what the HTML5 rules add.
void videoTagWithoutHtml5Rules(benchmark::State& state)
{
    refill(state, u"<video", false, true);
}

} // namespace

BENCHMARK(imageTag)->Unit(benchmark::kMicrosecond);
BENCHMARK(linkTag)->Unit(benchmark::kMicrosecond);
BENCHMARK(videoTagInHtml5Page)->Unit(benchmark::kMicrosecond);
BENCHMARK(videoTagWithoutHtml5Rules)->Unit(benchmark::kMicrosecond);
