#include "EditorContractTests.h"
#include "app/editor/ScintillaEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QScrollBar>

namespace qw::contract {

// Scintilla wraps by pixels: with a fixed-pitch font, no margins and a text
// area of `columns` characters plus the room it keeps for the caret, it cuts
// every line after exactly that many characters.
template<> struct EditorContractFactory<ScintillaEditor>
{
    static std::unique_ptr<EditorWidget> make() { return std::make_unique<ScintillaEditor>(); }

    static std::unique_ptr<EditorWidget> makeWrapped(int columns)
    {
        auto e = std::make_unique<ScintillaEditor>();
        const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        e->setFont(mono);
        e->setMarginWidth(0, 0);
        e->setMarginWidth(1, 0);
        e->setMarginWidth(2, 0);
        e->SendScintilla(QsciScintillaBase::SCI_SETMARGINLEFT, 0UL, 0L);
        e->SendScintilla(QsciScintillaBase::SCI_SETMARGINRIGHT, 0UL, 0L);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setWrapMode(QsciScintilla::WrapCharacter);
        const long charWidth =
            e->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                             static_cast<unsigned long>(QsciScintillaBase::STYLE_DEFAULT), "X");
        const int frame = e->frameWidth() * 2;
        // Scintilla keeps about one character's width free for the caret.
        e->resize(static_cast<int>(charWidth * columns + charWidth + charWidth / 2 + 1) + frame,
                  300);
        e->show();
        QApplication::processEvents();
        return e;
    }

    static bool clearClipboard()
    {
        QApplication::clipboard()->clear();
        return true;
    }
};

using Editors = ::testing::Types<ScintillaEditor>;
INSTANTIATE_TYPED_TEST_SUITE_P(Scintilla, EditorContract, Editors);

// A large text goes into Scintilla piece by piece: a line break or a
// surrogate pair on the seam between two pieces must arrive whole.
TEST(ScintillaLargeText, BreaksAndPairsOnEverySeamArriveWhole)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Case
    {
        const char* name;
        QString seam;
        QString stored;
    };
    const Case cases[] = {
        {"CR LF", QStringLiteral("\r\n"), QStringLiteral("\r\n")},
        {"lone CR", QStringLiteral("\r"), QStringLiteral("\r\n")},
        {"lone LF", QStringLiteral("\n"), QStringLiteral("\r\n")},
        {"surrogate pair", smile, smile},
    };
    for (const qsizetype pieceEnd : {qsizetype(1) << 20, qsizetype(2) << 20}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " at " << pieceEnd);
            // The seam's first unit is the last one of a piece.
            const QString head(pieceEnd - 1, u'a');
            const QString tail(1000, u'b');
            ScintillaEditor e;
            e.setText(head + c.seam + tail + c.seam + QStringLiteral("z"));
            const QString expected = head + c.stored + tail + c.stored + QStringLiteral("z");
            EXPECT_EQ(e.length(), expected.size());
            EXPECT_TRUE(e.text() == expected);
            EXPECT_EQ(e.charAt(pieceEnd - 1), c.stored.at(0));
            EXPECT_EQ(e.charAt(pieceEnd), c.stored.at(1));
            EXPECT_EQ(e.charAt(pieceEnd + 1), QChar(u'b'));
            EXPECT_FALSE(e.canUndo());
        }
    }
}

// Whoever hears of an edit through textChanged() may ask for offsets at
// once: they must already count the edit, through edits, undo and redo.
TEST(ScintillaLargeText, OffsetsAreRightForThoseWhoHearOfAnEdit)
{
    ScintillaEditor e;
    QString text;
    const QString pieces[] = {QStringLiteral("<p class=\"x\">"), QStringLiteral("žluťoučký "),
                              QString::fromUtf8("\xF0\x9F\x98\x80"), QStringLiteral("\r\n")};
    for (int i = 0; i < 20000; ++i)
        text += pieces[(i * 7 + i / 3) % 4];
    e.setText(text);

    int heard = 0;
    QStringList wrong;
    QObject::connect(&e, &QsciScintilla::textChanged, [&] {
        ++heard;
        const QString now = e.text();
        const int lastLine = e.lineCount() - 1;
        const qsizetype lastLineStart = now.lastIndexOf(u'\n') + 1;
        if (e.length() != now.size() || e.lineStart(lastLine) != lastLineStart ||
            e.lineAtOffset(lastLineStart) != lastLine ||
            e.charAt(now.size() / 2) != now.at(now.size() / 2))
            wrong << QStringLiteral("after edit %1").arg(heard);
    });
    const QString inserts[] = {QString::fromUtf8("\xC5\xBE\xF0\x9F\x98\x80"),
                               QStringLiteral("a\r\nb\r\n"), QString(20000, u'\u00e1'),
                               QStringLiteral("x")};
    for (int round = 0; round < 8; ++round) {
        e.setSelectionStart(text.size() / 8 * round + round);
        e.setSelectionLength(round % 3 == 0 ? 0 : 1500 * round);
        e.replaceSelection(inserts[round % 4]);
    }
    for (int i = 0; i < 5; ++i)
        e.undo();
    for (int i = 0; i < 3; ++i)
        e.redo();
    EXPECT_GE(heard, 16);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u", ").toStdString();
}

// Wrapping must not make Scintilla keep the layout of every line: that
// costs hundreds of megabytes on a large page.
TEST(ScintillaLargeText, WrappingKeepsOnlyThePageLaidOut)
{
    ScintillaEditor e;
    for (const bool on : {true, false, true}) {
        e.setWordWrap(on);
        EXPECT_EQ(e.SendScintilla(QsciScintillaBase::SCI_GETLAYOUTCACHE),
                  QsciScintillaBase::SC_CACHE_PAGE);
    }
    e.setWrapMode(QsciScintilla::WrapCharacter);
    EXPECT_EQ(e.SendScintilla(QsciScintillaBase::SCI_GETLAYOUTCACHE),
              QsciScintillaBase::SC_CACHE_PAGE);
}
} // namespace qw::contract

int main(int argc, char** argv)
{
    // Discovery runs the binary without a display; the editor needs no real one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
