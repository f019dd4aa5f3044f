// Times the page "Soubory" on a large folder: listing it (read, mask, sort,
// model reset), drawing the first screen of rows (size texts, type names and
// icons of the drawn rows only), and changing the filter. A plain timed
// harness that prints one figure per line; QW_BENCH_FILES sets the count.

#include "app/filepanel/FileListModel.h"
#include "app/filepanel/FilePanel.h"
#include "core/filepanel/FileListing.h"
#include "core/filepanel/FileMask.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

using namespace qw;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = qEnvironmentVariableIsSet("QW_BENCH_FILES")
                          ? qEnvironmentVariableIntValue("QW_BENCH_FILES")
                          : 50000;
    QTemporaryDir dir;
    const char* extensions[] = {".htm", ".HTML", ".css", ".png", ".htm.bak", ".js", ".txt"};
    for (int i = 0; i < count; ++i) {
        QFile f(dir.filePath(
            QStringLiteral("soubor-%1%2").arg(i).arg(QLatin1String(extensions[i % 7]))));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(QByteArray(i % 5000, 'x'));
    }

    FilePanel panel;
    panel.setFilterText(QStringLiteral("HTML|*.htm;*.html|Vše|*.*|"));
    panel.resize(300, 900);
    panel.show();

    QElapsedTimer timer;
    timer.start();
    const qsizetype readRows =
        listFolderFiles(dir.path(), FileMask(QStringLiteral("*.htm;*.html"))).size();
    const qint64 readMs = timer.elapsed();

    timer.restart();
    panel.selectFolder(dir.path());
    const qint64 listMs = timer.elapsed();
    const int htmlRows = panel.fileModel()->rowCount();

    timer.restart();
    panel.fileList()->viewport()->grab();
    const qint64 drawMs = timer.elapsed();

    timer.restart();
    panel.filterBox()->setCurrentIndex(1);
    panel.fileList()->viewport()->grab();
    const qint64 allMs = timer.elapsed();

    std::printf("files in folder: %d\n", count);
    std::printf("read the folder alone (%lld rows): %lld ms\n", 0LL + readRows, 0LL + readMs);
    std::printf("list *.htm;*.html (%d rows): %lld ms\n", htmlRows, 0LL + listMs);
    std::printf("draw first screen: %lld ms\n", 0LL + drawMs);
    std::printf("switch to *.* and draw (%d rows): %lld ms\n", panel.fileModel()->rowCount(),
                0LL + allMs);
    return 0;
}
