#pragma once

// The contract every EditorWidget keeps, as a typed GoogleTest suite. The
// window's Scintilla editor instantiates the same suite, so both editors are
// held to one behaviour.
//
// An implementation plugs in through EditorContractFactory<T>:
//  - make() returns a fresh, empty editor;
//  - makeWrapped(columns) returns an empty editor with word wrap on that cuts
//    every line into display lines of exactly `columns` characters, or nullptr
//    when the editor cannot promise that (the wrapping cases are then skipped);
//  - clearClipboard() empties the clipboard the editor pastes from and returns
//    true, or returns false when it cannot (the empty-clipboard case is skipped).
// The primary template finds setWrapWidth() and a static clearClipboard() on T
// by itself; other editors specialise the factory.

#include "core/editor/EditorWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace qw::contract {

template<typename T> struct EditorContractFactory
{
    static std::unique_ptr<EditorWidget> make() { return std::make_unique<T>(); }

    static std::unique_ptr<EditorWidget> makeWrapped(int columns)
    {
        if constexpr (requires(T & t) { t.setWrapWidth(1); }) {
            auto e = std::make_unique<T>();
            e->setWordWrap(true);
            e->setWrapWidth(columns);
            return e;
        } else {
            return nullptr;
        }
    }

    static bool clearClipboard()
    {
        if constexpr (requires { T::clearClipboard(); }) {
            T::clearClipboard();
            return true;
        } else {
            return false;
        }
    }
};

template<typename T> class EditorContract : public ::testing::Test
{
protected:
    std::unique_ptr<EditorWidget> make(const QString& text)
    {
        auto e = EditorContractFactory<T>::make();
        e->setText(text);
        return e;
    }

    // An editor showing real lines only, whatever the widget's width.
    std::unique_ptr<EditorWidget> makeUnwrapped(const QString& text)
    {
        auto e = make(text);
        e->setWordWrap(false);
        return e;
    }

    std::unique_ptr<EditorWidget> makeWrapped(int columns, const QString& text)
    {
        auto e = EditorContractFactory<T>::makeWrapped(columns);
        if (e)
            e->setText(text);
        return e;
    }

    static void select(EditorWidget& e, qsizetype start, qsizetype length)
    {
        e.setSelectionStart(start);
        e.setSelectionLength(length);
    }
};

TYPED_TEST_SUITE_P(EditorContract);

TYPED_TEST_P(EditorContract, OffsetsCountEachLineBreakAsTwo)
{
    auto e = this->make(QStringLiteral("ab\ncd"));
    EXPECT_EQ(e->text(), QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(e->length(), 6);
    EXPECT_EQ(e->lineCount(), 2);
    EXPECT_EQ(e->line(0), QStringLiteral("ab"));
    EXPECT_EQ(e->line(1), QStringLiteral("cd"));
    e->setSelectionStart(4);
    EXPECT_EQ(e->selectionStart(), 4);
    EXPECT_EQ(e->charAt(4), QChar(u'c'));
    EXPECT_EQ(e->charAt(2), QChar(u'\r'));
    EXPECT_EQ(e->charAt(3), QChar(u'\n'));
    EXPECT_EQ(e->textRange(1, 5), QStringLiteral("b\r\nc"));
    EXPECT_EQ(e->lineStart(0), 0);
    EXPECT_EQ(e->lineStart(1), 4);
    EXPECT_EQ(e->lineStart(2), 8);
    EXPECT_EQ(e->lineAtOffset(2), 0);
    EXPECT_EQ(e->lineAtOffset(3), 0);
    EXPECT_EQ(e->lineAtOffset(4), 1);
    EXPECT_EQ(e->lineAtOffset(6), 1);
}

TYPED_TEST_P(EditorContract, EveryKindOfBreakBecomesCrLf)
{
    struct Case
    {
        const char* input;
        const char* text;
        int lines;
    };
    const Case cases[] = {
        {"a\r\nb", "a\r\nb", 2},
        {"a\nb", "a\r\nb", 2},
        {"a\rb", "a\r\nb", 2},
        {"a\n\rb", "a\r\n\r\nb", 3},
        {"a\r\r\nb\n", "a\r\n\r\nb\r\n", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        auto e = this->make(QString::fromUtf8(c.input));
        EXPECT_EQ(e->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(e->lineCount(), c.lines);

        // The same text inserted into an existing one.
        auto f = this->make(QStringLiteral("[]"));
        f->setSelectionStart(1);
        f->replaceSelection(QString::fromUtf8(c.input));
        const QString expected = QString::fromUtf8(c.text);
        EXPECT_EQ(f->text(), u'[' + expected + u']');
        EXPECT_EQ(f->selectionStart(), 1 + expected.size());
    }
}

TYPED_TEST_P(EditorContract, LineAccessAtTheEdges)
{
    auto empty = this->make(QString());
    EXPECT_EQ(empty->text(), QString());
    EXPECT_EQ(empty->length(), 0);
    EXPECT_EQ(empty->lineCount(), 1);
    EXPECT_EQ(empty->line(0), QString());
    EXPECT_EQ(empty->lineStart(0), 0);
    EXPECT_EQ(empty->lineStart(1), 2);
    EXPECT_EQ(empty->lineAtOffset(0), 0);
    EXPECT_TRUE(empty->charAt(0).isNull());
    EXPECT_EQ(empty->textRange(0, 5), QString());

    // A final break leaves an empty last line.
    auto e = this->make(QStringLiteral("ab\r\n"));
    EXPECT_EQ(e->length(), 4);
    EXPECT_EQ(e->lineCount(), 2);
    EXPECT_EQ(e->line(0), QStringLiteral("ab"));
    EXPECT_EQ(e->line(1), QString());
    EXPECT_EQ(e->lineStart(1), 4);
    EXPECT_EQ(e->lineAtOffset(4), 1);
    EXPECT_EQ(e->line(-1), QString());
    EXPECT_EQ(e->line(2), QString());

    e->setLines({QStringLiteral("x"), QString(), QStringLiteral("yz")});
    EXPECT_EQ(e->text(), QStringLiteral("x\r\n\r\nyz"));
    EXPECT_EQ(e->lineCount(), 3);
    EXPECT_EQ(e->lineStart(2), 5);
}

TYPED_TEST_P(EditorContract, CharAtAndTextRangeStayInsideTheText)
{
    auto e = this->make(QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(e->charAt(0), QChar(u'a'));
    EXPECT_EQ(e->charAt(5), QChar(u'd'));
    EXPECT_TRUE(e->charAt(-1).isNull());
    EXPECT_TRUE(e->charAt(6).isNull());
    EXPECT_TRUE(e->charAt(1000).isNull());

    struct Case
    {
        qsizetype from, to;
        const char* expected;
    };
    const Case cases[] = {
        {0, 6, "ab\r\ncd"}, {-5, 2, "ab"}, {4, 99, "cd"}, {3, 3, ""},
        {4, 2, ""},         {6, 9, ""},    {-9, -1, ""},  {2, 4, "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        EXPECT_EQ(e->textRange(c.from, c.to), QString::fromUtf8(c.expected));
    }

    // Non-ASCII text counts UTF-16 code units.
    auto cz = this->make(QStringLiteral("čas\nžár"));
    EXPECT_EQ(cz->length(), 8);
    EXPECT_EQ(cz->charAt(0), QChar(u'č'));
    EXPECT_EQ(cz->charAt(5), QChar(u'ž'));
    EXPECT_EQ(cz->textRange(1, 6), QStringLiteral("as\r\nž"));
}

TYPED_TEST_P(EditorContract, SelectionIsClamped)
{
    auto e = this->make(QStringLiteral("hello"));
    e->setSelectionStart(99);
    EXPECT_EQ(e->selectionStart(), 5);
    e->setSelectionStart(-3);
    EXPECT_EQ(e->selectionStart(), 0);

    e->setSelectionStart(2);
    e->setSelectionLength(100);
    EXPECT_EQ(e->selectionStart(), 2);
    EXPECT_EQ(e->selectionLength(), 3);
    e->setSelectionLength(-100);
    EXPECT_EQ(e->selectionStart(), 2);
    EXPECT_EQ(e->selectionLength(), -2);
    EXPECT_EQ(e->selectedText(), QStringLiteral("he"));

    // Setting the start removes the selection.
    e->setSelectionStart(3);
    EXPECT_EQ(e->selectionLength(), 0);
    EXPECT_EQ(e->selectedText(), QString());
}

TYPED_TEST_P(EditorContract, SignedSelectionRoundTrips)
{
    struct Case
    {
        qsizetype start, length;
        const char* selected;
    };
    const Case cases[] = {
        {6, -4, "e\r\nt"},    {1, 5, "ne\r\nt"}, {8, -8, "one\r\ntwo"},
        {0, 8, "one\r\ntwo"}, {3, 0, ""},
    };
    auto e = this->make(QStringLiteral("one\r\ntwo"));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "," << c.length);
        this->select(*e, c.start, c.length);
        EXPECT_EQ(e->selectedText(), QString::fromUtf8(c.selected));
        const qsizetype start = e->selectionStart();
        const qsizetype length = e->selectionLength();
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(length, c.length);

        this->select(*e, 2, 3);
        this->select(*e, start, length);
        EXPECT_EQ(e->selectionStart(), c.start);
        EXPECT_EQ(e->selectionLength(), c.length);
        EXPECT_EQ(e->selectedText(), QString::fromUtf8(c.selected));
    }
}

TYPED_TEST_P(EditorContract, ReplaceSelectionLeavesCaretAfterInsert)
{
    auto e = this->make(QStringLiteral("xy"));
    e->setSelectionStart(1);
    e->replaceSelection(QStringLiteral("<b></b>"));
    EXPECT_EQ(e->text(), QStringLiteral("x<b></b>y"));
    EXPECT_EQ(e->selectionStart(), 8);
    EXPECT_EQ(e->selectionLength(), 0);
    // The caret minus the end tag's length lies between the two tags.
    EXPECT_EQ(e->textRange(e->selectionStart() - 4, e->selectionStart()), QStringLiteral("</b>"));
    EXPECT_EQ(e->textRange(0, e->selectionStart() - 4), QStringLiteral("x<b>"));

    // A backward selection is replaced the same way as a forward one.
    this->select(*e, 4, -3);
    e->replaceSelection(QStringLiteral("<i>"));
    EXPECT_EQ(e->text(), QStringLiteral("x<i></b>y"));
    EXPECT_EQ(e->selectionStart(), 4);
    EXPECT_EQ(e->selectionLength(), 0);

    // An empty text deletes the selection.
    this->select(*e, 4, 4);
    e->replaceSelection(QString());
    EXPECT_EQ(e->text(), QStringLiteral("x<i>y"));
    EXPECT_EQ(e->selectionStart(), 4);
}

TYPED_TEST_P(EditorContract, SelectAllSelectsBackwardsFromTheEnd)
{
    auto e = this->make(QStringLiteral("a\r\nb"));
    e->selectAll();
    EXPECT_EQ(e->selectionStart(), 4);
    EXPECT_EQ(e->selectionLength(), -4);
    EXPECT_EQ(e->selectedText(), QStringLiteral("a\r\nb"));

    auto empty = this->make(QString());
    empty->selectAll();
    EXPECT_EQ(empty->selectionStart(), 0);
    EXPECT_EQ(empty->selectionLength(), 0);
    EXPECT_EQ(empty->selectedText(), QString());
}

TYPED_TEST_P(EditorContract, DisplayLinesAreRealLinesWithoutWrap)
{
    auto e = this->makeUnwrapped(QStringLiteral("first line\r\nsecond\r\n\r\nlast"));
    e->setSelectionStart(15);
    EXPECT_EQ(e->caretLine(), 1);
    EXPECT_EQ(e->caretColumn(), 3);

    struct Case
    {
        int displayLine;
        qsizetype caret;
    };
    const Case cases[] = {{0, 0}, {1, 12}, {2, 20}, {3, 22}, {4, 22}, {1000, 22}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.displayLine);
        this->select(*e, 5, 3);
        e->gotoLine(c.displayLine);
        EXPECT_EQ(e->selectionStart(), c.caret);
        EXPECT_EQ(e->selectionLength(), 0);
        EXPECT_EQ(e->caretColumn(), 0);
    }
}

TYPED_TEST_P(EditorContract, WrappedLineCountsAsSeveralDisplayLines)
{
    // One long line of ten characters at four columns: abcd / efgh / ij.
    auto e = this->makeWrapped(4, QStringLiteral("abcdefghij\r\nxy"));
    if (!e)
        GTEST_SKIP() << "this editor cannot promise a wrap width";
    EXPECT_EQ(e->lineCount(), 2);

    struct Position
    {
        qsizetype caret;
        int line, column;
    };
    const Position positions[] = {{0, 0, 0}, {5, 1, 1}, {9, 2, 1}, {13, 3, 1}};
    for (const Position& p : positions) {
        SCOPED_TRACE(p.caret);
        e->setSelectionStart(p.caret);
        EXPECT_EQ(e->caretLine(), p.line);
        EXPECT_EQ(e->caretColumn(), p.column);
    }

    struct Jump
    {
        int displayLine;
        qsizetype caret;
    };
    const Jump jumps[] = {{1, 4}, {2, 8}, {3, 12}, {50, 12}};
    for (const Jump& j : jumps) {
        SCOPED_TRACE(j.displayLine);
        e->gotoLine(j.displayLine);
        EXPECT_EQ(e->selectionStart(), j.caret);
        EXPECT_EQ(e->caretLine(), std::min(j.displayLine, 3));
    }

    // Without word wrap the same text has two display lines again.
    e->setWordWrap(false);
    e->setSelectionStart(9);
    EXPECT_EQ(e->caretLine(), 0);
    EXPECT_EQ(e->caretColumn(), 9);
}

TYPED_TEST_P(EditorContract, UndoAndRedoRestoreTextAndCaret)
{
    auto e = this->make(QStringLiteral("abc"));
    e->clearUndo();
    EXPECT_FALSE(e->canUndo());
    EXPECT_FALSE(e->canRedo());

    e->setSelectionStart(1);
    e->replaceSelection(QStringLiteral("XY"));
    this->select(*e, 0, 1);
    e->replaceSelection(QString());
    EXPECT_EQ(e->text(), QStringLiteral("XYbc"));
    EXPECT_TRUE(e->canUndo());

    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("aXYbc"));
    EXPECT_TRUE(e->canRedo());
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("abc"));
    EXPECT_FALSE(e->canUndo());
    EXPECT_LE(e->selectionStart(), e->length());

    e->redo();
    EXPECT_EQ(e->text(), QStringLiteral("aXYbc"));
    EXPECT_TRUE(e->canRedo());

    // A new edit drops what could have been redone.
    e->setSelectionStart(5);
    e->replaceSelection(QStringLiteral("!"));
    EXPECT_FALSE(e->canRedo());
    e->redo();
    EXPECT_EQ(e->text(), QStringLiteral("aXYbc!"));

    e->clearUndo();
    EXPECT_FALSE(e->canUndo());
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("aXYbc!"));
}

TYPED_TEST_P(EditorContract, NestedUndoGroupsAreOneStep)
{
    auto e = this->make(QStringLiteral("one two"));
    e->clearUndo();
    {
        UndoGroup outer(*e);
        replaceRange(*e, 0, 3, QStringLiteral("1"));
        {
            UndoGroup inner(*e);
            replaceRange(*e, 2, 5, QStringLiteral("2"));
            e->setSelectionStart(0);
            e->replaceSelection(QStringLiteral("<"));
        }
        e->setSelectionStart(e->length());
        e->replaceSelection(QStringLiteral(">"));
    }
    EXPECT_EQ(e->text(), QStringLiteral("<1 2>"));
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("one two"));
    EXPECT_FALSE(e->canUndo());
    e->redo();
    EXPECT_EQ(e->text(), QStringLiteral("<1 2>"));

    // An edit after the group is a step of its own.
    e->setSelectionStart(0);
    e->replaceSelection(QStringLiteral("+"));
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("<1 2>"));
}

TYPED_TEST_P(EditorContract, ClipboardCutCopyPaste)
{
    auto e = this->make(QStringLiteral("alpha beta"));
    this->select(*e, 5, -5);
    e->copyToClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("alpha beta"));
    EXPECT_EQ(e->selectionLength(), -5);

    // Copy and cut without a selection leave text and clipboard alone.
    e->setModified(false);
    e->setSelectionStart(7);
    e->copyToClipboard();
    e->cutToClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("alpha beta"));
    EXPECT_FALSE(e->isModified());

    e->setSelectionStart(e->length());
    e->pasteFromClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("alpha betaalpha"));
    EXPECT_EQ(e->selectionStart(), 15);
    EXPECT_TRUE(e->isModified());

    // Cut removes the selection; pasting over a selection replaces it.
    this->select(*e, 6, 4);
    e->cutToClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("alpha alpha"));
    EXPECT_EQ(e->selectionStart(), 6);
    this->select(*e, 0, 5);
    e->pasteFromClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("beta alpha"));
    EXPECT_EQ(e->selectionStart(), 4);

    // Text with breaks goes through the clipboard as CR LF.
    auto f = this->make(QStringLiteral("a\r\nb"));
    f->selectAll();
    f->copyToClipboard();
    f->setSelectionStart(0);
    f->pasteFromClipboard();
    EXPECT_EQ(f->text(), QStringLiteral("a\r\nba\r\nb"));
}

TYPED_TEST_P(EditorContract, PasteWithoutClipboardTextDoesNothing)
{
    if (!EditorContractFactory<TypeParam>::clearClipboard())
        GTEST_SKIP() << "this editor cannot empty its clipboard";
    auto e = this->make(QStringLiteral("keep"));
    e->setModified(false);
    e->clearUndo();
    this->select(*e, 1, 2);
    e->pasteFromClipboard();
    EXPECT_EQ(e->text(), QStringLiteral("keep"));
    EXPECT_EQ(e->selectedText(), QStringLiteral("ee"));
    EXPECT_FALSE(e->isModified());
    EXPECT_FALSE(e->canUndo());
}

TYPED_TEST_P(EditorContract, ModifiedFollowsEditsNotMoves)
{
    auto e = this->make(QStringLiteral("abc"));
    e->setModified(false);
    EXPECT_FALSE(e->isModified());
    this->select(*e, 1, 1);
    e->selectAll();
    e->gotoLine(0);
    EXPECT_FALSE(e->isModified());

    e->replaceSelection(QStringLiteral("z"));
    EXPECT_TRUE(e->isModified());
    e->setModified(false);
    EXPECT_FALSE(e->isModified());

    e->replaceRanges({{0, 1}}, QStringLiteral("y"));
    EXPECT_TRUE(e->isModified());
    e->setModified(false);
    e->setModified(true);
    EXPECT_TRUE(e->isModified());
}

TYPED_TEST_P(EditorContract, ReplaceRangesIsOneUndoStep)
{
    auto e = this->make(QStringLiteral("a-b-c\r\nd-e"));
    e->clearUndo();
    e->replaceRanges({{1, 2}, {3, 4}, {8, 9}}, QStringLiteral("+="));
    EXPECT_EQ(e->text(), QStringLiteral("a+=b+=c\r\nd+=e"));
    EXPECT_EQ(e->selectionStart(), 12);
    EXPECT_EQ(e->selectionLength(), 0);
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("a-b-c\r\nd-e"));
    EXPECT_FALSE(e->canUndo());
}

TYPED_TEST_P(EditorContract, ReplaceRangesCases)
{
    struct Case
    {
        const char* name;
        QList<EditorWidget::Range> ranges;
        const char* replacement;
        const char* text;
        qsizetype caret;
    };
    const Case cases[] = {
        {"deletes", {{0, 1}, {2, 3}}, "", "bd", 1},
        {"adjacent ranges", {{0, 1}, {1, 2}, {2, 3}}, "xy", "xyxyxyd", 6},
        {"empty ranges insert", {{0, 0}, {4, 4}}, "|", "|abcd|", 6},
        {"lone LF becomes a break", {{1, 2}}, "\n", "a\r\ncd", 3},
        {"lone CR becomes a break", {{1, 2}, {3, 4}}, "\r", "a\r\nc\r\n", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = this->make(QStringLiteral("abcd"));
        e->replaceRanges(c.ranges, QString::fromUtf8(c.replacement));
        EXPECT_EQ(e->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(e->selectionStart(), c.caret);
    }

    // No ranges: nothing changes, nothing to undo.
    auto e = this->make(QStringLiteral("abcd"));
    e->clearUndo();
    e->setModified(false);
    e->setSelectionStart(2);
    e->replaceRanges({}, QStringLiteral("x"));
    EXPECT_EQ(e->text(), QStringLiteral("abcd"));
    EXPECT_EQ(e->selectionStart(), 2);
    EXPECT_FALSE(e->canUndo());
    EXPECT_FALSE(e->isModified());
}

TYPED_TEST_P(EditorContract, ReplaceRangesWithLettersBeyondAsciiKeepsLineOffsets)
{
    // Several lines, each with a range to replace, so that every later line
    // start moves by what the lines before it gained.
    auto e = this->make(QStringLiteral("a-b\r\nc-d\r\ne-f\r\nžluť\r\ng-h\r\nend"));
    e->replaceRanges({{1, 2}, {6, 7}, {11, 12}, {22, 23}}, QStringLiteral("ěščř"));
    const QString expected = QStringLiteral("aěščřb\r\ncěščřd\r\neěščřf\r\nžluť\r\ngěščřh\r\nend");
    ASSERT_EQ(e->text(), expected);
    ASSERT_EQ(e->length(), expected.size());
    const QStringList lines = expected.split(QStringLiteral("\r\n"));
    ASSERT_EQ(e->lineCount(), lines.size());
    qsizetype start = 0;
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "line " << i);
        EXPECT_EQ(e->lineStart(i), start);
        EXPECT_EQ(e->line(i), lines.at(i));
        EXPECT_EQ(e->lineAtOffset(start), i);
        EXPECT_EQ(e->charAt(start), lines.at(i).at(0));
        EXPECT_EQ(e->textRange(start, start + lines.at(i).size()), lines.at(i));
        start += lines.at(i).size() + 2;
    }
    // Selections keep naming the same text after the edit.
    const qsizetype g = expected.indexOf(u'g');
    e->setSelectionStart(g);
    e->setSelectionLength(5);
    EXPECT_EQ(e->selectionStart(), g);
    EXPECT_EQ(e->selectedText(), QStringLiteral("gěščř"));

    // Undoing the bulk edit brings the old offsets back as well.
    e->undo();
    EXPECT_EQ(e->lineStart(3), 15);
    EXPECT_EQ(e->lineStart(5), 26);
    EXPECT_EQ(e->textRange(26, 29), QStringLiteral("end"));
}

TYPED_TEST_P(EditorContract, OffsetsCountBothHalvesOfASurrogatePair)
{
    // U+1F600 takes two UTF-16 code units; text after it and on later lines
    // keeps its offsets.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    auto e = this->make(QString(QStringLiteral("a") + smile + QStringLiteral("b\ncd") + smile));
    EXPECT_EQ(e->length(), 10);
    EXPECT_EQ(e->lineStart(1), 6);
    EXPECT_EQ(e->lineAtOffset(2), 0);
    EXPECT_EQ(e->lineAtOffset(9), 1);
    struct Case
    {
        qsizetype offset;
        QChar expected;
    };
    const Case cases[] = {
        {0, u'a'}, {1, smile.at(0)}, {2, smile.at(1)}, {3, u'b'},
        {6, u'c'}, {7, u'd'},        {8, smile.at(0)}, {9, smile.at(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset);
        EXPECT_EQ(e->charAt(c.offset), c.expected);
    }
    EXPECT_TRUE(e->charAt(10).isNull());
    EXPECT_EQ(e->textRange(0, 3), QString(QStringLiteral("a") + smile));
    EXPECT_EQ(e->textRange(3, 8), QStringLiteral("b\r\ncd"));
    EXPECT_EQ(e->textRange(6, 10), QString(QStringLiteral("cd") + smile));
    e->setSelectionStart(3);
    e->setSelectionLength(-2);
    EXPECT_EQ(e->selectedText(), smile);
}

TYPED_TEST_P(EditorContract, OffsetsStayRightAroundEditsOnALongLine)
{
    // One long line of one-, two-, three- and four-byte characters (a page
    // written on one line). Every read and selection converts offsets near
    // the last one, and every edit lands before, at, after or across it, as
    // typing and the tag finder do.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString unit = QStringLiteral("<a>ěb") + smile + QStringLiteral("c\u20ACd ");
    QString model = QStringLiteral("x\r\n");
    for (int i = 0; i < 300; ++i)
        model += unit;
    model += QStringLiteral("\r\nend");
    auto e = this->make(model);
    ASSERT_EQ(e->text(), model);

    quint32 seed = 12345;
    auto next = [&seed](qsizetype bound) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<qsizetype>((seed >> 8) % static_cast<quint32>(bound));
    };
    // Never between the halves of a pair, nor inside a line break.
    auto boundary = [&model](qsizetype at) {
        at = std::clamp<qsizetype>(at, 0, model.size());
        const bool inside =
            at > 0 && at < model.size() &&
            (model.at(at).isLowSurrogate() || (model.at(at) == u'\n' && model.at(at - 1) == u'\r'));
        return inside ? at - 1 : at;
    };
    const QString inserts[] = {QStringLiteral("q"), QStringLiteral("ř"), smile,
                               QStringLiteral("\u20AC<b>"), QStringLiteral("zz\r\nyy")};
    QStringList history;
    qsizetype place = model.size() / 2;
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        place = boundary(std::clamp<qsizetype>(place + next(41) - 20, 0, model.size()));
        this->select(*e, place, 0);
        ASSERT_EQ(e->selectionStart(), place);
        for (qsizetype at : {place - 3, place - 1, place, place + 1, place + 5}) {
            if (at >= 0 && at < model.size()) {
                ASSERT_EQ(e->charAt(at), model.at(at)) << "offset " << at;
            }
        }
        const qsizetype from = boundary(place - 7);
        const qsizetype to = boundary(place + 9);
        ASSERT_EQ(e->textRange(from, to), model.mid(from, to - from));

        const qsizetype kind = next(10);
        if (kind < 2 && !history.isEmpty()) {
            e->undo();
            model = history.takeLast();
            continue;
        }
        // Before, at, just after or across the place just converted.
        qsizetype start = boundary(place + (kind < 5 ? -next(30) : next(8)));
        qsizetype length = kind % 3 == 0 ? boundary(start + next(12)) - start : 0;
        if (kind == 9)
            length = boundary(place + 4) - start; // across it
        if (length < 0)
            length = 0;
        const QString text = kind % 2 == 0 ? QString() : inserts[next(5)];
        if (length == 0 && text.isEmpty())
            continue;
        history.append(model);
        this->select(*e, start, length);
        e->replaceSelection(text);
        model.replace(start, length, text);
    }
    EXPECT_EQ(e->text(), model);
    EXPECT_EQ(e->length(), model.size());
}

REGISTER_TYPED_TEST_SUITE_P(
    EditorContract, OffsetsCountEachLineBreakAsTwo, EveryKindOfBreakBecomesCrLf,
    LineAccessAtTheEdges, CharAtAndTextRangeStayInsideTheText, SelectionIsClamped,
    SignedSelectionRoundTrips, ReplaceSelectionLeavesCaretAfterInsert,
    SelectAllSelectsBackwardsFromTheEnd, DisplayLinesAreRealLinesWithoutWrap,
    WrappedLineCountsAsSeveralDisplayLines, UndoAndRedoRestoreTextAndCaret,
    NestedUndoGroupsAreOneStep, ClipboardCutCopyPaste, PasteWithoutClipboardTextDoesNothing,
    ModifiedFollowsEditsNotMoves, ReplaceRangesIsOneUndoStep, ReplaceRangesCases,
    ReplaceRangesWithLettersBeyondAsciiKeepsLineOffsets, OffsetsCountBothHalvesOfASurrogatePair,
    OffsetsStayRightAroundEditsOnALongLine);

} // namespace qw::contract
