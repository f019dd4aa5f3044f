#include "core/settings/AppPaths.h"
#include "core/settings/ColorText.h"
#include "core/settings/IniFile.h"
#include "core/settings/SettingsPersistence.h"
#include "core/settings/TagDefinitions.h"
#include "core/settings/UserStore.h"

#include <QDir>
#include <QFile>
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

// A whole settings save over a copy of the shipped html.dat with the tag
// definitions of tag.dat appended, so the file is as large as either ever is.
void BM_SaveSettings(benchmark::State& state)
{
    QTemporaryDir dir;
    const qw::AppPaths paths(dir.filePath(u"app"_s), dir.filePath(u"config"_s),
                             dir.filePath(u"data"_s), dir.filePath(u"tmp"_s));
    QDir().mkpath(paths.shippedDataFolder());
    QByteArray bytes;
    for (const char* name : {"/html.dat", "/tag.dat"}) {
        QFile in(QStringLiteral(QW_SHIPPED_DATA_DIR) + QLatin1StringView(name));
        if (in.open(QIODevice::ReadOnly))
            bytes += in.readAll() + "\r\n";
    }
    QFile out(paths.shippedDataFolder() + u"html.dat"_s);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    out.close();
    qw::IniFile html(out.fileName());
    const qw::UserStore store(paths.userStoreFile());
    qw::AppSettings settings = qw::loadSettings(store, html, paths);
    for (auto _ : state) {
        settings.fontSize = settings.fontSize == 9 ? 10 : 9;
        benchmark::DoNotOptimize(qw::saveSettings(settings, store, html, paths).ok());
    }
    state.counters["file_kb"] = double(bytes.size()) / 1024;
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

} // namespace
