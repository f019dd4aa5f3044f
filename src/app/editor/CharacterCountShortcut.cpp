// QScintilla tells assistive technology where each edit happened as a
// character offset from the start of the document. It computes that offset
// with SCI_COUNTCHARACTERS(0, position) on every insertion and deletion,
// whether anything listens or not, and Scintilla answers by walking every
// character before the position: at the end of a 50 MB page that is well
// over a second per key.
//
// The library calls its own SendScintilla through the procedure linkage
// table, so this definition in the program takes the place of the library's
// for every caller. A count from the start of the document is answered from
// Scintilla's UTF-32 line index (the characters before the caret's line) plus
// a walk within that line; the answer is the same number, and every other
// message goes to the library unchanged.

#include "app/editor/CharacterCountShortcut.h"

#include <Qsci/qsciscintillabase.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

using Send = long (*)(const QsciScintillaBase*, unsigned int, unsigned long, long);

Send librarySend()
{
    // The mangled name of QsciScintillaBase::SendScintilla(unsigned int,
    // unsigned long, long) const.
    void* symbol = dlsym(RTLD_NEXT, "_ZNK17QsciScintillaBase13SendScintillaEjml");
    if (symbol == nullptr) {
        std::fputs("Quenwick: QScintilla's SendScintilla was not found\n", stderr);
        std::abort();
    }
    return reinterpret_cast<Send>(symbol);
}

// Counts up to here are cheaper to walk than to look up.
constexpr long shortCount = 4096;

std::uint64_t lookups = 0;

} // namespace

std::uint64_t qw::characterCountLookups()
{
    return lookups;
}

long QsciScintillaBase::SendScintilla(unsigned int msg, unsigned long wParam, long lParam) const
{
    static const Send send = librarySend();
    if (msg != SCI_COUNTCHARACTERS || wParam != 0 || lParam <= shortCount)
        return send(this, msg, wParam, lParam);
    if ((send(this, SCI_GETLINECHARACTERINDEX, 0, 0) & SC_LINECHARACTERINDEX_UTF32) == 0)
        return send(this, msg, wParam, lParam);
    ++lookups;
    const long line = send(this, SCI_LINEFROMPOSITION, static_cast<unsigned long>(lParam), 0);
    const long lineStart = send(this, SCI_POSITIONFROMLINE, static_cast<unsigned long>(line), 0);
    const long before = send(this, SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                             SC_LINECHARACTERINDEX_UTF32);
    return before + send(this, SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), lParam);
}
