#pragma once

#include "core/spelling/SpellDictionary.h"

#include <QString>

#include <functional>

class QObject;

namespace qw {

// The web engine checks the spelling of editable pages with dictionaries of
// its own format (.bdic) from one folder, which the environment names
// before the engine starts. The design page uses the source editor's
// dictionary through a copy converted into that format.

// The application's property holding the languages ("cs-CZ") the design
// page's engine checks; empty or missing: no checking there.
inline constexpr char kWebSpellLanguagesProperty[] = "quenwickWebSpellLanguages";

// The folder of converted dictionaries under a data home.
QString webDictionaryFolder(const QString& dataHome);
// The engine's name of a dictionary: "cs_CZ" -> "cs-CZ".
QString webLanguageName(const QString& dictionaryName);
// Names the folder to the engine, unless the user named one.
void pointWebEngineAt(const QString& folder);
// Converts the dictionary into the folder in a separate process unless a
// converted copy newer than the dictionary is there; `done` hears whether a
// copy is ready (at once when it was). Needs the engine's converter.
void prepareWebDictionary(const DictionaryFiles& dictionary, const QString& folder,
                          QObject* context, std::function<void(bool ready)> done);

} // namespace qw
