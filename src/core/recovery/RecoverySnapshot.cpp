#include "core/recovery/RecoverySnapshot.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace qw {

namespace {
constexpr QByteArrayView kMagic = "QUENWICK-RECOVERY 1\n";

QByteArray encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1250:
        return "windows-1250";
    case TextEncoding::Utf8:
        return "utf-8";
    case TextEncoding::Utf8Bom:
        return "utf-8-bom";
    }
    return "windows-1250";
}

std::optional<TextEncoding> encodingFromName(QByteArrayView name)
{
    if (name == "windows-1250")
        return TextEncoding::Windows1250;
    if (name == "utf-8")
        return TextEncoding::Utf8;
    if (name == "utf-8-bom")
        return TextEncoding::Utf8Bom;
    return std::nullopt;
}

// The names the settings use for the same breaks.
QByteArray lineBreakName(LineBreak lb)
{
    switch (lb) {
    case LineBreak::CrLf:
        return "WIN";
    case LineBreak::Lf:
        return "UNIX";
    case LineBreak::Cr:
        return "MAC";
    case LineBreak::LfCr:
        return "LFCR";
    }
    return "WIN";
}

std::optional<LineBreak> lineBreakFromName(QByteArrayView name)
{
    if (name == "WIN")
        return LineBreak::CrLf;
    if (name == "UNIX")
        return LineBreak::Lf;
    if (name == "MAC")
        return LineBreak::Cr;
    if (name == "LFCR")
        return LineBreak::LfCr;
    return std::nullopt;
}
} // namespace

QByteArray encodeSnapshot(const RecoverySnapshot& s)
{
    return encodeSnapshot(s, s.text.toUtf8());
}

QByteArray encodeSnapshot(const RecoverySnapshot& s, QByteArrayView utf8Text)
{
    QByteArray out;
    out.reserve(utf8Text.size() + 512);
    out += kMagic;
    auto field = [&out](QByteArrayView name, const QByteArray& value) {
        out += name;
        out += ": ";
        out += value.toPercentEncoding();
        out += '\n';
    };
    field("pid", QByteArray::number(s.ownerPid));
    field("instance", s.instanceId.toUtf8());
    field("path", s.path.toUtf8());
    field("encoding", encodingName(s.encoding));
    field("linebreak", lineBreakName(s.lineBreak));
    if (s.stamp) {
        const FileStamp& f = *s.stamp;
        field("stamp", QByteArray::number(f.exists ? 1 : 0) + ' ' + QByteArray::number(f.size) +
                           ' ' + QByteArray::number(f.modifiedNs) + ' ' +
                           QByteArray::number(f.device) + ' ' + QByteArray::number(f.inode));
    }
    out += '\n';
    out += utf8Text;
    return out;
}

std::optional<RecoverySnapshot> decodeSnapshot(QByteArrayView bytes)
{
    if (!bytes.startsWith(kMagic))
        return std::nullopt;
    qsizetype pos = kMagic.size();
    QHash<QByteArray, QByteArray> fields;
    for (;;) {
        const qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            return std::nullopt; // the header never ended
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + 1;
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return std::nullopt;
        fields.insert(line.first(colon).toByteArray(),
                      QByteArray::fromPercentEncoding(line.sliced(colon + 2).toByteArray()));
    }
    const auto encoding = encodingFromName(fields.value("encoding"));
    const auto lineBreak = lineBreakFromName(fields.value("linebreak"));
    const QString path = QString::fromUtf8(fields.value("path"));
    bool pidOk = false;
    const qint64 pid = fields.value("pid").toLongLong(&pidOk);
    if (!encoding || !lineBreak || path.isEmpty() || !pidOk || !fields.contains("instance"))
        return std::nullopt;
    RecoverySnapshot s;
    s.path = path;
    s.encoding = *encoding;
    s.lineBreak = *lineBreak;
    s.ownerPid = pid;
    s.instanceId = QString::fromUtf8(fields.value("instance"));
    if (fields.contains("stamp")) {
        const QList<QByteArray> parts = fields.value("stamp").split(' ');
        bool ok = parts.size() == 5;
        FileStamp f;
        if (ok) {
            bool each[5] = {};
            f.exists = parts.at(0).toInt(&each[0]) == 1;
            f.size = parts.at(1).toLongLong(&each[1]);
            f.modifiedNs = parts.at(2).toLongLong(&each[2]);
            f.device = parts.at(3).toULongLong(&each[3]);
            f.inode = parts.at(4).toULongLong(&each[4]);
            for (bool b : each)
                ok = ok && b;
        }
        if (!ok)
            return std::nullopt;
        s.stamp = f;
    }
    s.text = QString::fromUtf8(bytes.sliced(pos));
    return s;
}

} // namespace qw
