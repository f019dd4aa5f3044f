#include "core/settings/ColorText.h"
#include "core/settings/IniFile.h"
#include "core/settings/TagDefinitions.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QString tagDat = QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat");

// Each call checks the file for changes (one stat) before it answers from
// the parsed text: this is the cost the tag inspector pays per keystroke.
void BM_AttributeNames(benchmark::State& state)
{
    if (!QFileInfo::exists(tagDat)) {
        state.SkipWithError("shipped tag.dat is missing");
        return;
    }
    const qw::IniFile file(tagDat);
    const qw::TagDefinitions tags(file);
    const QStringList probe = {u"A"_s, u"img"_s, u"Table"_s, u"td"_s, u"NOSUCHTAG"_s};
    std::size_t i = 0;
    for (auto _ : state) {
        const QStringList names = tags.attributeNames(probe[int(i++ % probe.size())]);
        benchmark::DoNotOptimize(names.size());
    }
}
BENCHMARK(BM_AttributeNames);

void BM_AttributeEditor(benchmark::State& state)
{
    if (!QFileInfo::exists(tagDat)) {
        state.SkipWithError("shipped tag.dat is missing");
        return;
    }
    const qw::IniFile file(tagDat);
    const qw::TagDefinitions tags(file);
    const std::pair<QString, QString> probe[] = {{u"A"_s, u"target"_s},
                                                 {u"IMG"_s, u"SRC"_s},
                                                 {u"td"_s, u"bgcolor"_s},
                                                 {u"p"_s, u"nosuch"_s}};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [tag, attribute] = probe[i++ % std::size(probe)];
        const qw::AttributeEditor editor = tags.attributeEditor(tag, attribute);
        benchmark::DoNotOptimize(editor.choices.size());
    }
}
BENCHMARK(BM_AttributeEditor);

// The first read after the file changed: the whole file is parsed again.
void BM_ReparseTagDat(benchmark::State& state)
{
    if (!QFileInfo::exists(tagDat)) {
        state.SkipWithError("shipped tag.dat is missing");
        return;
    }
    for (auto _ : state) {
        const qw::IniFile file(tagDat);
        benchmark::DoNotOptimize(file.sectionExists(u"!A"));
    }
}
BENCHMARK(BM_ReparseTagDat);

// One write-through of a small settings file, including the atomic replace.
void BM_WriteString(benchmark::State& state)
{
    QTemporaryDir dir;
    qw::IniFile file(dir.filePath(u"html.dat"_s));
    int n = 0;
    for (auto _ : state)
        file.writeString(u"HTMLKEYWORD", u"fore", qw::colorToText(qw::ColorRef(n++)));
}
BENCHMARK(BM_WriteString);

} // namespace
