#include "EditorContractTests.h"
#include "app/editor/ScintillaEditor.h"

#include <QApplication>

namespace qw::contract {
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
