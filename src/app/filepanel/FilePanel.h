#pragma once

#include <QWidget>

#include <functional>

class QAction;
class QComboBox;
class QFileSystemModel;
class QMenu;
class QModelIndex;
class QSplitter;
class QTreeView;

namespace qw {

class FileListModel;

// The page "Soubory" of the left panel: the folder tree from "/" on top, the
// files of the selected folder below it, and the filter box at the bottom.
// A double-click or Enter opens a file with the desktop's program for it; the
// context menu asks the window to open a file in the editor or to insert a
// link to it. The page keeps no state beyond its widgets.
class FilePanel : public QWidget
{
    Q_OBJECT
public:
    // Opens a file with the desktop's program for it. Returns why it could
    // not, or an empty text when the program was started.
    using FileOpener = std::function<QString(const QString& path)>;

    explicit FilePanel(QWidget* parent = nullptr);

    // Fills the filter box from "name|mask|name|mask|" and selects the first
    // entry.
    void setFilterText(const QString& filterText);
    // The mask of the selected filter; "*.*" when the box is empty.
    QString currentMask() const;

    // Selects a folder in the tree, which lists its files; false when the
    // tree cannot show it (missing, or hidden).
    bool selectFolder(const QString& path);
    // The selected folder's path; "?" when nothing is selected.
    QString selectedFolder() const;
    // The full path of the file list's selected entry; empty when none.
    QString selectedFilePath() const;

    // Lists the selected folder again with the selected filter.
    void refresh();
    // Double-click and Enter: the selected file goes to the desktop's program.
    // A failure is not shown to the user; the program's log says why.
    void openSelectedFile();

    // The opener of a normal run: xdg-open, which hands the file to the
    // program the desktop associates with its type.
    static QString openWithDesktop(const QString& path);
    void setFileOpener(FileOpener opener) { m_opener = std::move(opener); }

    QTreeView* folderTree() const { return m_tree; }
    QTreeView* fileList() const { return m_list; }
    FileListModel* fileModel() const { return m_files; }
    QComboBox* filterBox() const { return m_filter; }
    QMenu* contextMenu() const { return m_menu; }
    QAction* editAction() const { return m_edit; }
    QAction* insertLinkAction() const { return m_insertLink; }
    QAction* refreshAction() const { return m_refresh; }

signals:
    // "Upravit" on an existing file.
    void editRequested(const QString& path);
    // "Vložit jako odkaz" with an entry selected (the file may be gone).
    void insertLinkRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTree();
    void buildList();
    void buildMenu();
    void editSelected();
    void insertSelectedAsLink();

    QSplitter* m_splitter = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QTreeView* m_tree = nullptr;
    FileListModel* m_files = nullptr;
    QTreeView* m_list = nullptr;
    QComboBox* m_filter = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_insertLink = nullptr;
    QAction* m_refresh = nullptr;
    FileOpener m_opener;
};

} // namespace qw
