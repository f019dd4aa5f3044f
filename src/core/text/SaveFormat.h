#pragma once

#include "core/text/LineBreak.h"

#include <QStringView>

namespace qw {

// The line break a save writes for the SaveFormat setting: "WIN" is CR LF,
// "UNIX" LF and "MAC" CR; any other text (compared exactly) keeps previous.
LineBreak lineBreakForSaveFormat(QStringView saveFormat, LineBreak previous);

} // namespace qw
