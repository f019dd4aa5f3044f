#pragma once

namespace qw {

// The element property commands of the design page's context menu, each
// opening an element dialog filled from the selected element (or, for the
// document and the font, from the body and the selection).
enum class DesignProperty { InlineFrame, Cell, Table, Rule, Image, Link, Document, Font };

} // namespace qw
