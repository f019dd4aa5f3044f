#pragma once

#include <QString>

namespace qw {

// Texts the window composes from data.

// The save question: Uložit změny v dokumentu - "path"?
QString saveQuestionText(const QString& path);
// The window caption: "Quenwick - " and the document's path.
QString windowCaption(const QString& path);
// A caption of a document whose file is not written: "pic.png (jen pro čtení)".
QString readOnlyText(const QString& caption);
// The question before a file that is not text is opened:
// Soubor "path" nevypadá jako textový soubor. Otevřít přesto?
QString notTextQuestion(const QString& path);
// Save As chose the read-only document's own file.
QString readOnlyTargetText(const QString& path);
// Status bar, first panel: " ř. 3  sl. 7" for 0-based line 2, column 6.
QString caretPositionText(int line, int column);
// Status bar texts of the modified and typing-mode panels.
QString modifiedText(bool modified);
QString typingModeText(bool overwrite);
// Soubor "path" nebyl nalezen!
QString recentFileMissingText(const QString& path);
// A file that could not be read: Soubor nelze otevřít!
QString cannotOpenText();
// A file that could not be written, with the system's reason on a line of
// its own: Soubor "path" nelze uložit.
QString cannotSaveText(const QString& path, const QString& reason);

} // namespace qw
