// The editor's UTF-16 offsets on a 50 MB page and on a 5 KB one: loading
// the text, and a key typed at the start or the end of it followed by the
// questions the window asks after every key (the caret's offset, its line,
// the position of an offset). A key must cost the same on both pages.

#include "core/text/Utf16Index.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string pageText(std::size_t size)
{
    const char* const lines[] = {
        "<tr><td class=\"name\">Česká řeč</td><td>žluťoučký kůň úpěl ďábelské ódy</td></tr>\r\n",
        "<p align=\"left\">Příliš žluťoučký kůň „text“ &nbsp;€ 100,-</p>\r\n",
        "\t<a href=\"../obrázky/index.html\">Zpět</a>\r\n",
        "\r\n",
    };
    std::string out;
    out.reserve(size + 256);
    for (int i = 0; out.size() < size; ++i)
        out += lines[i % 4];
    return out;
}

// The text as an editor holds it: bytes with a gap where it is typed in.
class GapText : public qw::Utf8Text
{
public:
    explicit GapText(const std::string& text) : m_bytes(text.begin(), text.end())
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n')
                m_lineStarts.push_back(long(i + 1));
        }
        m_gapStart = long(text.size());
    }
    long length() const override { return long(m_bytes.size()) - m_gapLength; }
    // Lines as they were before the key: the benchmark asks for lines only
    // with the key taken back.
    int lineAt(long position) const override
    {
        return int(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position) -
                   m_lineStarts.begin());
    }
    void copyBytes(long from, long count, char* to) const override
    {
        // Either side of the gap, as the editor reads its buffer.
        const long end = from + count;
        const long before = std::max(0L, std::min(end, m_gapStart) - from);
        std::memcpy(to, m_bytes.data() + from, std::size_t(before));
        const long after = from + before;
        std::memcpy(to + before, m_bytes.data() + after + m_gapLength, std::size_t(end - after));
    }
    void insertAt(long position, char c)
    {
        moveGap(position);
        if (m_gapLength == 0) {
            m_bytes.insert(m_bytes.begin() + m_gapStart, 64, '\0');
            m_gapLength = 64;
        }
        m_bytes[std::size_t(m_gapStart++)] = c;
        --m_gapLength;
    }
    void removeAt(long position)
    {
        moveGap(position);
        ++m_gapLength;
    }

private:
    void moveGap(long position)
    {
        while (m_gapStart > position) {
            --m_gapStart;
            m_bytes[std::size_t(m_gapStart + m_gapLength)] = m_bytes[std::size_t(m_gapStart)];
        }
        while (m_gapStart < position) {
            m_bytes[std::size_t(m_gapStart)] = m_bytes[std::size_t(m_gapStart + m_gapLength)];
            ++m_gapStart;
        }
    }
    std::vector<char> m_bytes;
    std::vector<long> m_lineStarts;
    long m_gapStart = 0;
    long m_gapLength = 0;
};

void BM_Utf16IndexLoad(benchmark::State& state)
{
    const std::string text = pageText(std::size_t(state.range(0)));
    GapText bytes(text);
    for (auto _ : state) {
        qw::Utf16Index index(bytes);
        index.inserted(0, text.data(), long(text.size()));
        benchmark::DoNotOptimize(index.unitsBefore(long(text.size())));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_Utf16IndexLoad)->Arg(5000)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

// Arguments: page size, and 0 for a key at the start, 1 at the end.
void BM_Utf16IndexKeyAndQuestions(benchmark::State& state)
{
    const std::string text = pageText(std::size_t(state.range(0)));
    GapText bytes(text);
    qw::Utf16Index index(bytes);
    index.inserted(0, text.data(), long(text.size()));
    const long caret = state.range(1) == 0 ? 3 : long(text.size()) - 3;
    const char letter = 'x';
    for (auto _ : state) {
        bytes.insertAt(caret, letter);
        index.inserted(caret, &letter, 1);
        const qsizetype units = index.unitsBefore(caret + 1);
        benchmark::DoNotOptimize(index.positionOfUnits(units));
        index.beforeDeletion(caret, 1);
        bytes.removeAt(caret);
        index.deleted(caret, 1);
        benchmark::DoNotOptimize(index.lineOfUnits(index.unitsBefore(caret)));
    }
}
BENCHMARK(BM_Utf16IndexKeyAndQuestions)
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({50 << 20, 0})
    ->Args({50 << 20, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
