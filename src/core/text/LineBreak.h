#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

// The line break written between the lines of a saved document. LfCr exists
// because the editor offers it; no setting selects it.
enum class LineBreak { CrLf, Cr, Lf, LfCr };

inline QString lineBreakText(LineBreak lb)
{
    switch (lb) {
    case LineBreak::CrLf:
        return QStringLiteral("\r\n");
    case LineBreak::Cr:
        return QStringLiteral("\r");
    case LineBreak::Lf:
        return QStringLiteral("\n");
    case LineBreak::LfCr:
        return QStringLiteral("\n\r");
    }
    return QStringLiteral("\r\n");
}

// The same break as the bytes written to a file (all four are ASCII, so they
// are the same in every encoding we write).
inline QByteArrayView lineBreakBytes(LineBreak lb)
{
    switch (lb) {
    case LineBreak::CrLf:
        return "\r\n";
    case LineBreak::Cr:
        return "\r";
    case LineBreak::Lf:
        return "\n";
    case LineBreak::LfCr:
        return "\n\r";
    }
    return "\r\n";
}

} // namespace qw
