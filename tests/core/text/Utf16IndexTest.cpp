#include "core/text/Utf16Index.h"

#include <QString>
#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace qw;

namespace {

// The editor's side: UTF-8 bytes with lines broken at CR LF, LF or CR, and
// a count of the bytes the index copied to read.
class TextBytes : public Utf8Text
{
public:
    std::string bytes;
    mutable long copied = 0;

    long length() const override { return long(bytes.size()); }
    int lineAt(long position) const override
    {
        int line = 0;
        for (long i = 0; i < position && i < length(); ++i) {
            if (bytes[std::size_t(i)] == '\n' ||
                (bytes[std::size_t(i)] == '\r' &&
                 (i + 1 >= length() || bytes[std::size_t(i + 1)] != '\n')))
                ++line;
        }
        return line;
    }
    void copyBytes(long from, long count, char* to) const override
    {
        EXPECT_GE(from, 0);
        EXPECT_LE(from + count, length());
        copied += count;
        bytes.copy(to, std::size_t(count), std::size_t(from));
    }
};

// An editor applying edits and telling the index, as the window does.
struct Editor
{
    TextBytes text;
    Utf16Index index{text};

    void insert(long at, const std::string& s)
    {
        text.bytes.insert(std::size_t(at), s);
        index.inserted(at, s.data(), long(s.size()));
    }
    void remove(long at, long n)
    {
        index.beforeDeletion(at, n);
        text.bytes.erase(std::size_t(at), std::size_t(n));
        index.deleted(at, n);
    }
};

// What a fresh decoding of the text says, independent of the index.
qsizetype unitsBeforeByDecoding(const std::string& bytes, long position)
{
    return QString::fromUtf8(bytes.data(), qsizetype(position)).size();
}

long positionByDecoding(const std::string& bytes, qsizetype units)
{
    QString prefix = QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).left(units);
    if (!prefix.isEmpty() && prefix.back().isHighSurrogate())
        prefix.chop(1);
    return long(prefix.toUtf8().size());
}

std::vector<long> characterStarts(const std::string& bytes)
{
    std::vector<long> starts;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            starts.push_back(long(i));
    }
    return starts;
}

void expectAgreesWithDecoding(const Editor& ed, std::mt19937& rng, int questions)
{
    const std::string& b = ed.text.bytes;
    const std::vector<long> starts = characterStarts(b);
    const qsizetype total = unitsBeforeByDecoding(b, long(b.size()));
    for (int q = 0; q < questions; ++q) {
        const long pos = starts[rng() % starts.size()];
        ASSERT_EQ(ed.index.unitsBefore(pos), unitsBeforeByDecoding(b, pos)) << "position " << pos;
        const qsizetype units = qsizetype(rng() % std::size_t(total + 3));
        const long expected = positionByDecoding(b, units);
        ASSERT_EQ(ed.index.positionOfUnits(units), expected) << "units " << units;
        ASSERT_EQ(ed.index.lineOfUnits(units), ed.text.lineAt(expected)) << "units " << units;
    }
    ASSERT_EQ(ed.index.unitsBefore(long(b.size())), total);
}

std::string randomText(std::mt19937& rng, std::size_t pieces)
{
    static const char* const kPieces[] = {"a",
                                          "href",
                                          " ",
                                          "\xC5\xBE" /* ž */,
                                          "\xE2\x82\xAC" /* € */,
                                          "\xF0\x9F\x98\x80" /* emoji, a surrogate pair */,
                                          "\r\n",
                                          "\n",
                                          "\r",
                                          "<p>"};
    std::string s;
    for (std::size_t i = 0; i < pieces; ++i)
        s += kPieces[rng() % std::size(kPieces)];
    return s;
}

} // namespace

TEST(Utf16Index, RandomEditsAgreeWithDecodingTheText)
{
    std::mt19937 rng(17);
    Editor ed;
    ed.insert(0, randomText(rng, 20000)); // large: marked as it goes in
    expectAgreesWithDecoding(ed, rng, 50);
    for (int round = 0; round < 250; ++round) {
        const std::vector<long> starts = characterStarts(ed.text.bytes);
        const long at = starts[rng() % starts.size()];
        switch (rng() % 5) {
        case 0:
        case 1: // a key or a word
            ed.insert(at, randomText(rng, 1 + rng() % 3));
            break;
        case 2: // a paste, sometimes one that is marked on the way in
            ed.insert(at, randomText(rng, rng() % 2 != 0 ? 30 : 5000));
            break;
        default: { // a deletion of a character up to a few kilobytes
            const std::size_t k =
                std::size_t(std::find(starts.begin(), starts.end(), at) - starts.begin());
            const std::size_t span = rng() % 3 == 0 ? rng() % 3000 : 1 + rng() % 3;
            const long to = starts[std::min(starts.size() - 1, k + span)];
            if (to > at)
                ed.remove(at, to - at);
        }
        }
        expectAgreesWithDecoding(ed, rng, 4);
        if (HasFatalFailure())
            return;
    }
    // Typing in one place, as a person does.
    long caret = characterStarts(ed.text.bytes)[100];
    for (int key = 0; key < 300; ++key) {
        const std::string typed = key % 7 == 0 ? "\xC5\xBE" : "x";
        ed.insert(caret, typed);
        caret += long(typed.size());
    }
    expectAgreesWithDecoding(ed, rng, 50);
}

TEST(Utf16Index, EdgesOfCharactersLinesAndTheText)
{
    Editor ed;
    // "a", CR LF, "ž", emoji (two units), CR, "b"
    ed.insert(0, "a\r\n\xC5\xBE\xF0\x9F\x98\x80\rb");
    struct Case
    {
        long position;
        qsizetype units;
    };
    // Inside a character counts up to its start; out of range is clamped.
    for (const Case c : {Case{0, 0}, Case{2, 2}, Case{4, 3}, Case{5, 4}, Case{6, 4}, Case{7, 4},
                         Case{9, 6}, Case{11, 8}, Case{99, 8}, Case{-3, 0}})
        EXPECT_EQ(ed.index.unitsBefore(c.position), c.units) << c.position;
    // Between the halves of the pair is the pair's start; past the end the end.
    for (const Case c : {Case{0, 0}, Case{2, 2}, Case{3, 3}, Case{5, 4}, Case{5, 5}, Case{9, 6},
                         Case{11, 8}, Case{11, 40}, Case{0, -1}})
        EXPECT_EQ(ed.index.positionOfUnits(c.units), c.position) << c.units;
    for (const auto& [units, line] :
         std::vector<std::pair<qsizetype, int>>{{0, 0}, {2, 0}, {3, 1}, {6, 1}, {7, 2}, {50, 2}})
        EXPECT_EQ(ed.index.lineOfUnits(units), line) << units;
}

TEST(Utf16Index, DeletionsAtAndAroundMarks)
{
    // A large insertion marks its way about every 4 KB: in plain letters,
    // exactly there. Deletions that end at, just past, or start at a mark.
    struct Span
    {
        long from, to;
    };
    for (const Span span : {Span{4000, 4096}, Span{4000, 4097}, Span{4096, 4100}, Span{4095, 8193},
                            Span{1, 20000}, Span{0, 12288}}) {
        Editor ed;
        // Four-byte letters end where two marks stand, and one more lies
        // between; a two-byte one inside the first deletions.
        std::string text(20000, 'a');
        for (std::size_t at : {3996, 5000, 8188})
            text.replace(at, 4, "\xF0\x9F\x98\x80");
        text.replace(4050, 2, "\xC5\xBE");
        ed.insert(0, text);
        ed.remove(span.from, span.to - span.from);
        const std::string& b = ed.text.bytes;
        for (long pos : {0L, 3996L, 4000L, 4001L, 8000L, 12000L, long(b.size())}) {
            pos = std::min(pos, long(b.size()));
            EXPECT_EQ(ed.index.unitsBefore(pos), unitsBeforeByDecoding(b, pos))
                << span.from << "-" << span.to << " at " << pos;
        }
        for (qsizetype units : {3999, 4000, 8000, 12000})
            EXPECT_EQ(ed.index.positionOfUnits(units), positionByDecoding(b, units))
                << span.from << "-" << span.to << " units " << units;
    }
}

TEST(Utf16Index, AQuestionCountsAFewKilobytesOnceTheWayIsMarked)
{
    std::mt19937 rng(5);
    Editor ed;
    // Typed piece by piece: nothing marked on the way in.
    for (int i = 0; i < 400; ++i)
        ed.insert(ed.text.length(), randomText(rng, 200));
    const long length = ed.text.length();
    ASSERT_GT(length, 150000);

    // The first question far in counts the way there, once.
    ed.index.unitsBefore(length);
    expectAgreesWithDecoding(ed, rng, 20);
    const std::vector<long> starts = characterStarts(ed.text.bytes);
    for (int q = 0; q < 50; ++q) {
        ed.text.copied = 0;
        ed.index.unitsBefore(starts[rng() % starts.size()]);
        ed.index.positionOfUnits(qsizetype(rng() % std::size_t(length)));
        EXPECT_LE(ed.text.copied, 3 * 8192);
    }

    // Keys at the start move the marks after them; nothing is counted again.
    for (int key = 0; key < 100; ++key)
        ed.insert(2 * key, "\xC5\xBE");
    ed.text.copied = 0;
    EXPECT_EQ(ed.index.unitsBefore(ed.text.length()),
              unitsBeforeByDecoding(ed.text.bytes, ed.text.length()));
    EXPECT_LE(ed.text.copied, 3 * 8192);
}

TEST(Utf16Index, AChangeItWasNotToldOfBeforehandIsCountedAfresh)
{
    std::mt19937 rng(9);
    Editor ed;
    ed.insert(0, randomText(rng, 30000));
    ed.index.unitsBefore(ed.text.length());
    // Removed without the notice before it: the index cannot know what went.
    ed.text.bytes.erase(1000, 5000);
    ed.index.deleted(1000, 5000);
    expectAgreesWithDecoding(ed, rng, 30);
    // An insertion whose bytes are not given.
    ed.text.bytes.insert(10, "\xC5\xBE\xC5\xBE");
    ed.index.inserted(10, nullptr, 4);
    expectAgreesWithDecoding(ed, rng, 30);
}
