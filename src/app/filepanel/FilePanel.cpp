#include "app/filepanel/FilePanel.h"

#include "app/filepanel/FileListModel.h"
#include "core/filepanel/FileListing.h"
#include "core/filepanel/FileMask.h"
#include "core/filepanel/FilterList.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QProcess>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace qw {

namespace {
Q_LOGGING_CATEGORY(lcFilePanel, "quenwick.filepanel")
} // namespace

QString FilePanel::openWithDesktop(const QString& path)
{
    // Started by name, not through the platform plugin, so that a missing
    // xdg-open can be told apart from a refusal.
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty())
        return QStringLiteral("xdg-open (package xdg-utils) was not found in PATH");
    QProcess process;
    process.setProgram(program);
    process.setArguments({path});
    // Detached: the program opened stays when this one ends.
    if (!process.startDetached())
        return program + QStringLiteral(" could not be started: ") + process.errorString();
    return QString();
}

FilePanel::FilePanel(QWidget* parent) : QWidget(parent), m_opener(&FilePanel::openWithDesktop)
{
    setObjectName(QStringLiteral("tsFiles"));
    setAccessibleName(QStringLiteral("Soubory"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_splitter = new QSplitter(Qt::Vertical);
    m_splitter->setChildrenCollapsible(false);
    buildTree();
    buildList();
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_list);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({212, 300});
    layout->addWidget(m_splitter, 1);

    m_filter = new QComboBox;
    m_filter->setObjectName(QStringLiteral("FilterComboBox1"));
    m_filter->setAccessibleName(QStringLiteral("Filtr souborů"));
    layout->addWidget(m_filter);
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this] { refresh(); });

    buildMenu();
    selectFolder(QDir::homePath());
}

void FilePanel::buildTree()
{
    m_folders = new QFileSystemModel(this);
    // Folders only; hidden (dot) folders stay out since QDir::Hidden is not asked for.
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setReadOnly(true);
    m_folders->setRootPath(QStringLiteral("/"));

    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("DirectoryTree"));
    m_tree->setAccessibleName(QStringLiteral("Složky"));
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setDragEnabled(false);
    m_tree->setAcceptDrops(false);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setMinimumHeight(60);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { refresh(); });
}

void FilePanel::buildList()
{
    m_files = new FileListModel(this);
    m_list = new QTreeView;
    m_list->setObjectName(QStringLiteral("FileList"));
    m_list->setAccessibleName(QStringLiteral("Seznam souborů"));
    m_list->setModel(m_files);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(false);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->resizeSection(FileListModel::NameColumn, 150);
    m_list->header()->resizeSection(FileListModel::SizeColumn, 75);
    m_list->header()->resizeSection(FileListModel::TypeColumn, 150);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            openSelectedFile();
    });
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_menu->popup(m_list->viewport()->mapToGlobal(pos)); });
}

void FilePanel::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmFiles"));
    m_edit = m_menu->addAction(QStringLiteral("Upravit"), this, &FilePanel::editSelected);
    m_edit->setObjectName(QStringLiteral("mnuFileEdit"));
    m_menu->setDefaultAction(m_edit);
    m_insertLink = m_menu->addAction(QStringLiteral("Vložit jako odkaz"), this,
                                     &FilePanel::insertSelectedAsLink);
    m_insertLink->setObjectName(QStringLiteral("mnuFileInsertLink"));
    m_menu->addSeparator();
    // Re-reads the folder: files come and go while the panel is open.
    m_refresh = m_menu->addAction(QStringLiteral("Obnovit"), this, &FilePanel::refresh);
    m_refresh->setObjectName(QStringLiteral("mnuFileRefresh"));
}

void FilePanel::setFilterText(const QString& filterText)
{
    const QSignalBlocker block(m_filter);
    m_filter->clear();
    for (const FileFilterEntry& entry : parseFilterText(filterText))
        m_filter->addItem(entry.name, entry.mask);
    if (m_filter->count() > 0)
        m_filter->setCurrentIndex(0);
    refresh();
}

QString FilePanel::currentMask() const
{
    if (m_filter->count() == 0)
        return QString(kAllFilesMask);
    const int index =
        m_filter->currentIndex() >= 0 ? m_filter->currentIndex() : m_filter->count() - 1;
    return m_filter->itemData(index).toString();
}

bool FilePanel::selectFolder(const QString& path)
{
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!QFileInfo(folder).isDir())
        return false;
    // The tree leaves dot-folders out; one inside the path cannot be shown.
    const QStringList parts = folder.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part.startsWith(u'.'))
            return false;
    }
    const QModelIndex index = m_folders->index(folder);
    if (!index.isValid())
        return false;
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    refresh();
    return true;
}

QString FilePanel::selectedFolder() const
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return QStringLiteral("?");
    const QString path = m_folders->filePath(index);
    return path.isEmpty() ? QStringLiteral("?") : path;
}

QString FilePanel::selectedFilePath() const
{
    const QModelIndex index = m_list->currentIndex();
    if (!index.isValid() || !m_list->selectionModel()->isRowSelected(index.row(), QModelIndex()))
        return QString();
    return m_files->filePath(index.row());
}

void FilePanel::refresh()
{
    if (m_filter->count() > 0 && m_filter->currentIndex() < 0) {
        const QSignalBlocker block(m_filter);
        m_filter->setCurrentIndex(m_filter->count() - 1);
    }
    const QString folder = selectedFolder();
    if (folder == QLatin1String("?")) {
        m_files->setFiles(QString(), {});
        return;
    }
    const QString withSlash = folder.endsWith(u'/') ? folder : folder + u'/';
    m_files->setFiles(withSlash, listFolderFiles(folder, FileMask(currentMask())));
    if (m_files->rowCount() > 0) {
        // The first entry is highlighted and current, without taking the
        // keyboard focus away from the folder tree.
        m_list->setCurrentIndex(m_files->index(0, 0));
    }
}

void FilePanel::openSelectedFile()
{
    const QString path = selectedFilePath();
    if (path.isEmpty())
        return;
    const QString failure = m_opener(path);
    if (!failure.isEmpty())
        qCWarning(lcFilePanel).noquote()
            << "Opening" << path << "with the desktop's program failed:" << failure;
}

void FilePanel::editSelected()
{
    const QString path = selectedFilePath();
    if (!path.isEmpty() && QFileInfo(path).isFile())
        emit editRequested(path);
}

void FilePanel::insertSelectedAsLink()
{
    const QString path = selectedFilePath();
    if (!path.isEmpty())
        emit insertLinkRequested(path);
}

bool FilePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openSelectedFile();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qw
