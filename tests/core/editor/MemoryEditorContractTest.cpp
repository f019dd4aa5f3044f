#include "EditorContractTests.h"
#include "core/editor/MemoryEditor.h"

namespace qw::contract {
using Editors = ::testing::Types<MemoryEditor>;
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditorContract, Editors);
} // namespace qw::contract
