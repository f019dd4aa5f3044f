#include "core/text/DocumentFile.h"
#include "core/text/DocumentText.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kDocumentSize = 50LL << 20;

// A 50 MB Windows-1250 page: markup, Czech text, an occasional character
// that has to be written as a reference.
const QByteArray& documentBytes()
{
    static const QByteArray bytes = [] {
        const QByteArray lines[] = {
            "<tr><td class=\"name\">\xC8\x65sk\xE1 \xF8\x65\xE8</td><td>\x9Elu\x9Dou\xE8k\xFD "
            "k\xF9\xF2 \xFAp\xECl \xEF\xE1"
            "belsk\xE9 \xF3\x64y</td></tr>\r\n",
            "<p align=\"left\">P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \x84text\x93 "
            "&nbsp;\x80 100,-</p>\r\n",
            "\t<a href=\"../obr\xE1zky/index.html\">Zp\xECt</a>\r\n",
            "\r\n",
        };
        QByteArray out;
        out.reserve(kDocumentSize + 256);
        for (int i = 0; out.size() < kDocumentSize; ++i)
            out += lines[i % 4];
        return out;
    }();
    return bytes;
}

QTemporaryDir& benchDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString sourcePath()
{
    static const QString path = [] {
        const QString p = benchDir().filePath(u"page.html"_s);
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(documentBytes()) != documentBytes().size())
            qFatal("cannot write the benchmark document");
        return p;
    }();
    return path;
}

void BM_ReadDocumentFile(benchmark::State& state)
{
    const QString path = sourcePath();
    for (auto _ : state) {
        qw::DocumentReadResult read = qw::readDocumentFile(path);
        if (!read.ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.text.data());
    }
    state.SetBytesProcessed(state.iterations() * documentBytes().size());
}
BENCHMARK(BM_ReadDocumentFile)->Unit(benchmark::kMillisecond);

void BM_WriteDocumentFile(benchmark::State& state)
{
    const QString text = qw::decodeDocument(documentBytes()).text;
    const QString path = benchDir().filePath(u"saved.html"_s);
    for (auto _ : state) {
        const qw::FileWriteResult written =
            qw::writeDocumentFile(path, text, qw::LineBreak::CrLf, qw::TextEncoding::Windows1250);
        if (!written.ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * documentBytes().size());
}
BENCHMARK(BM_WriteDocumentFile)->Unit(benchmark::kMillisecond);

// The same two steps without the disk, to tell conversion from file time.
void BM_DecodeDocument(benchmark::State& state)
{
    for (auto _ : state) {
        qw::DecodedDocument doc = qw::decodeDocument(documentBytes());
        benchmark::DoNotOptimize(doc.text.data());
    }
    state.SetBytesProcessed(state.iterations() * documentBytes().size());
}
BENCHMARK(BM_DecodeDocument)->Unit(benchmark::kMillisecond);

void BM_EncodeDocument(benchmark::State& state)
{
    const QString text = qw::decodeDocument(documentBytes()).text;
    for (auto _ : state) {
        QByteArray bytes =
            qw::encodeDocument(text, qw::LineBreak::Lf, qw::TextEncoding::Windows1250);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * documentBytes().size());
}
BENCHMARK(BM_EncodeDocument)->Unit(benchmark::kMillisecond);

void BM_EncodeDocumentUtf8(benchmark::State& state)
{
    const QString text = qw::decodeDocument(documentBytes()).text;
    for (auto _ : state) {
        QByteArray bytes = qw::encodeDocument(text, qw::LineBreak::CrLf, qw::TextEncoding::Utf8);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * documentBytes().size());
}
BENCHMARK(BM_EncodeDocumentUtf8)->Unit(benchmark::kMillisecond);

} // namespace
