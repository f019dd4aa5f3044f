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
