#pragma once

#include <QStringList>

namespace qw {

// The font families the settings offer: the font system lists a family once
// per foundry that makes it ("Nimbus Sans [urw]", "Nimbus Sans [UKWN]");
// a person chooses a family, and the editor asks for it by its bare name,
// so each family appears once, without the foundry, in the order first met.
QStringList fontFamilyChoices(const QStringList& families);

} // namespace qw
