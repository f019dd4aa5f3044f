#pragma once

#include <QString>
#include <QStringList>

namespace qw {

class MainWindow;
class SingleInstance;

// The file a start names: the first argument after the program, made
// absolute; empty when there is none or it names no existing file.
QString startFileFromArguments(const QStringList& arguments);

// Names the application before any window exists. The name only: a display
// name would make the desktop add " — Quenwick" to every window title.
void nameApplication();

// Paths that later starts hand to instance go to window.
void forwardHandOffs(SingleInstance& instance, MainWindow& window);

// The whole program: single-instance check, window, event loop.
int runQuenwick(int argc, char** argv);

} // namespace qw
