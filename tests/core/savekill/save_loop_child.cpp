// Saves a 1 MB page again and again through the program's save path, the two
// texts in turn (save n writes text n % 2), and prints the number of each
// save once it is done. Arguments: the file, the first and the last save.
#include "SaveKillTexts.h"
#include "core/text/DocumentFile.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const QString path = QFile::decodeName(argv[1]);
    const int first = QByteArray(argv[2]).toInt();
    const int last = QByteArray(argv[3]).toInt();
    const QString texts[] = {qw::test::saveKillText(0), qw::test::saveKillText(1)};
    for (int n = first; n <= last; ++n) {
        const auto result = qw::writeDocumentFile(path, texts[n % 2], qw::LineBreak::CrLf,
                                                  qw::TextEncoding::Windows1250);
        if (!result.ok) {
            std::fprintf(stderr, "save %d failed: %s\n", n, qPrintable(result.errorText));
            return 1;
        }
        const QByteArray line = QByteArray::number(n) + '\n';
        if (::write(STDOUT_FILENO, line.constData(), static_cast<size_t>(line.size())) < 0)
            return 1;
    }
    return 0;
}
