#pragma once

// The contract every EditorWidget keeps, as a typed GoogleTest suite. The
// window's Scintilla editor instantiates the same suite, so both editors are
// held to one behaviour. An implementation plugs in through
// EditorContractFactory<T>::make(), which returns a fresh, empty editor.

#include "core/editor/EditorWidget.h"

#include <gtest/gtest.h>

#include <memory>

namespace qw::contract {

template<typename T>
struct EditorContractFactory {
    static std::unique_ptr<EditorWidget> make() { return std::make_unique<T>(); }
};

template<typename T>
class EditorContract : public ::testing::Test
{
protected:
    std::unique_ptr<EditorWidget> make(const QString& text)
    {
        auto e = EditorContractFactory<T>::make();
        e->setText(text);
        return e;
    }
};

TYPED_TEST_SUITE_P(EditorContract);

TYPED_TEST_P(EditorContract, OffsetsCountEachLineBreakAsTwo)
{
    auto e = this->make(QStringLiteral("ab\ncd"));
    EXPECT_EQ(e->text(), QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(e->length(), 6);
    EXPECT_EQ(e->lineCount(), 2);
    EXPECT_EQ(e->line(1), QStringLiteral("cd"));
    e->setSelectionStart(4);
    EXPECT_EQ(e->selectionStart(), 4);
    EXPECT_EQ(e->charAt(4), QChar(u'c'));
    EXPECT_EQ(e->charAt(2), QChar(u'\r'));
    EXPECT_EQ(e->charAt(3), QChar(u'\n'));
    EXPECT_EQ(e->textRange(1, 5), QStringLiteral("b\r\nc"));
    EXPECT_EQ(e->lineStart(1), 4);
    EXPECT_EQ(e->lineAtOffset(3), 0);
    EXPECT_EQ(e->lineAtOffset(4), 1);
}

TYPED_TEST_P(EditorContract, SelectionStartIsClamped)
{
    auto e = this->make(QStringLiteral("hello"));
    e->setSelectionStart(99);
    EXPECT_EQ(e->selectionStart(), 5);
    e->setSelectionStart(-3);
    EXPECT_EQ(e->selectionStart(), 0);
}

TYPED_TEST_P(EditorContract, SignedSelectionRoundTrips)
{
    auto e = this->make(QStringLiteral("one\r\ntwo"));
    e->setSelectionStart(6);
    e->setSelectionLength(-4);
    EXPECT_EQ(e->selectedText(), QStringLiteral("e\r\nt"));
    const qsizetype start = e->selectionStart();
    const qsizetype len = e->selectionLength();
    EXPECT_EQ(start, 6);
    EXPECT_EQ(len, -4);
    e->setSelectionStart(0);
    e->setSelectionStart(start);
    e->setSelectionLength(len);
    EXPECT_EQ(e->selectionStart(), 6);
    EXPECT_EQ(e->selectionLength(), -4);
    e->setSelectionLength(100);
    EXPECT_EQ(e->selectionLength(), 2);
}

TYPED_TEST_P(EditorContract, ReplaceSelectionLeavesCaretAfterInsert)
{
    auto e = this->make(QStringLiteral("xy"));
    e->setModified(false);
    e->setSelectionStart(1);
    e->replaceSelection(QStringLiteral("<b></b>"));
    EXPECT_EQ(e->text(), QStringLiteral("x<b></b>y"));
    EXPECT_EQ(e->selectionStart(), 8);
    EXPECT_EQ(e->selectionLength(), 0);
    EXPECT_TRUE(e->isModified());
    EXPECT_EQ(e->textRange(e->selectionStart() - 4, e->selectionStart()), QStringLiteral("</b>"));
    e->setSelectionStart(1);
    e->setSelectionLength(3);
    e->replaceSelection(QString());
    EXPECT_EQ(e->text(), QStringLiteral("x</b>y"));
    EXPECT_TRUE(e->canUndo());
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("x<b></b>y"));
}

TYPED_TEST_P(EditorContract, SelectAllSelectsBackwardsFromTheEnd)
{
    auto e = this->make(QStringLiteral("a\r\nb"));
    e->selectAll();
    EXPECT_EQ(e->selectionStart(), 4);
    EXPECT_EQ(e->selectionLength(), -4);
    EXPECT_EQ(e->selectedText(), QStringLiteral("a\r\nb"));
}

TYPED_TEST_P(EditorContract, ReplaceRangesIsOneUndoStep)
{
    auto e = this->make(QStringLiteral("a-b-c\r\nd-e"));
    e->clearUndo();
    e->replaceRanges({{1, 2}, {3, 4}, {8, 9}}, QStringLiteral("+="));
    EXPECT_EQ(e->text(), QStringLiteral("a+=b+=c\r\nd+=e"));
    EXPECT_EQ(e->selectionStart(), 12);
    e->undo();
    EXPECT_EQ(e->text(), QStringLiteral("a-b-c\r\nd-e"));
    EXPECT_FALSE(e->canUndo());
}

REGISTER_TYPED_TEST_SUITE_P(EditorContract, OffsetsCountEachLineBreakAsTwo, SelectionStartIsClamped,
                            SignedSelectionRoundTrips, ReplaceSelectionLeavesCaretAfterInsert,
                            SelectAllSelectsBackwardsFromTheEnd, ReplaceRangesIsOneUndoStep);

} // namespace qw::contract
