#pragma once

#include <QtGlobal>

#include <vector>

namespace qw {

// The UTF-8 text a Utf16Index counts in, as an editor holds it. Positions
// are byte positions; the text is valid UTF-8 (an editor that takes its text
// from QStrings never holds anything else).
class Utf8Text
{
public:
    virtual ~Utf8Text() = default;
    virtual long length() const = 0;
    virtual int lineAt(long position) const = 0;
    // Copies the bytes [from, from + count), all inside the text, to `to`.
    virtual void copyBytes(long from, long count, char* to) const = 0;
};

// UTF-16 code unit offsets of a UTF-8 text that an editor changes, without
// a table of every line: marks of (byte position, code units before it)
// about every 4 KB, from which a question counts at most that far. Marks
// are made where a large text is inserted and wherever a question had to
// count far; an edit moves the marks after it by what it inserted or
// removed, lazily, so that typing at one place costs the same however long
// the text is. The editor tells the index of every change: before a
// deletion (while its text is there to count) and after every insertion
// and deletion.
class Utf16Index
{
public:
    explicit Utf16Index(const Utf8Text& text);

    // Code units before byte `position` (moved back to the start of the
    // character it is inside; clamped to the text).
    qsizetype unitsBefore(long position) const;
    // The byte position with `units` code units before it. Between the two
    // halves of a surrogate pair it is the start of the pair's character;
    // past the end it is the text's length.
    long positionOfUnits(qsizetype units) const;
    // The line that holds the code unit at `units`.
    int lineOfUnits(qsizetype units) const;

    void beforeDeletion(long position, long length);
    void deleted(long position, long length);
    void inserted(long position, const char* bytes, long length);
    // Forgets every mark; the next questions count from the start again.
    void forget();

    // Code units of valid UTF-8 bytes.
    static qsizetype countUnits(const char* bytes, qsizetype count);

private:
    struct Mark
    {
        long pos = 0;
        qsizetype units = 0;
    };
    Mark mark(std::size_t i) const;
    template<typename Before> std::size_t lastMarkWhere(Before atOrBefore) const;
    std::size_t lastAtOrBefore(long position) const;
    std::size_t lastAtOrBeforeUnits(qsizetype units) const;
    // Units from mark i to `to`; marks the way when that is far.
    qsizetype countFrom(std::size_t i, long to) const;
    // Makes the stretch after the mark that `units` falls after short.
    void shortenStretchAt(qsizetype units) const;
    void shiftFrom(std::size_t i, long bytes, qsizetype units);
    void applyShift() const;
    void insertMarks(std::size_t at, const std::vector<Mark>& marks) const;

    const Utf8Text& m_text;
    // Sorted by position; the first is (0, 0) and stays. Marks from
    // m_shiftFrom on are still to be moved by m_shiftBytes, m_shiftUnits.
    mutable std::vector<Mark> m_marks;
    mutable std::size_t m_shiftFrom = 0;
    mutable long m_shiftBytes = 0;
    mutable qsizetype m_shiftUnits = 0;
    mutable std::vector<char> m_buffer;

    struct PendingDeletion
    {
        long position = -1;
        long length = 0;
        qsizetype units = 0;
    };
    PendingDeletion m_pending;
};

} // namespace qw
