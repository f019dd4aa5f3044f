#pragma once

#include <QString>
#include <QStringView>

namespace qw {

enum class LetterCase { Upper, Lower };

// Appends run to out in the given letter case, character by character, with
// the Czech locale's case mapping (national letters included). A character
// whose locale mapping would expand it to several (such as a sharp s to SS)
// takes its one-to-one Unicode mapping instead: the case commands restore the
// selection by offset and length, so the text must keep its length.
void appendInCase(QString& out, QStringView run, LetterCase letterCase);

QString inCase(QStringView text, LetterCase letterCase);

} // namespace qw
