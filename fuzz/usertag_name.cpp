// The check of user tag and group names over any text: a name it lets
// through is a plain file name in one folder, with room for the file's
// suffix and the atomic save's temporary name.

#include "FuzzSupport.h"
#include "core/usertags/UserTagName.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const QString name = qw::fuzz::textOf(input.rest(), choice);
    const bool tag = (choice & 4) != 0;
    const QString problem =
        qw::userTagNameProblem(name, tag ? qw::UserTagNameKind::Tag : qw::UserTagNameKind::Group);
    if (!problem.isEmpty())
        return 0;
    const QByteArray fileName = QFile::encodeName(name);
    QW_FUZZ_CHECK(!fileName.isEmpty());
    QW_FUZZ_CHECK(fileName != "." && fileName != "..");
    QW_FUZZ_CHECK(!fileName.contains('/') && !fileName.contains('\0'));
    QW_FUZZ_CHECK(!fileName.startsWith('.'));
    QW_FUZZ_CHECK(fileName.size() + (tag ? 4 + 7 : 0) <= 255);
    // The name comes back from the folder listing as it went in.
    QW_FUZZ_CHECK(QFile::decodeName(fileName) == name);
    return 0;
}
