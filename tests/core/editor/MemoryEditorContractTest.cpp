#include "EditorContractTests.h"
#include "core/editor/MemoryEditor.h"

namespace qw::contract {

// MemoryEditor with the interface's own replaceRanges (replacing range by
// range from the back inside one undo group), which every editor without a
// faster way inherits.
class StepwiseRangesEditor : public MemoryEditor
{
public:
    void replaceRanges(const QList<Range>& ranges, const QString& replacement) override
    {
        EditorWidget::replaceRanges(ranges, replacement);
    }
};

using Editors = ::testing::Types<MemoryEditor, StepwiseRangesEditor>;
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditorContract, Editors);
} // namespace qw::contract
