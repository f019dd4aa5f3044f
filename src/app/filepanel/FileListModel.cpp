#include "app/filepanel/FileListModel.h"

#include "core/filepanel/FileSizeText.h"

namespace qw {

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent)
{}

void FileListModel::setFiles(const QString& folder, QList<FileListEntry> files)
{
    beginResetModel();
    m_folder = folder;
    m_files = std::move(files);
    endResetModel();
}

QString FileListModel::filePath(int row) const
{
    if (row < 0 || row >= m_files.size())
        return QString();
    return m_folder + m_files.at(row).name;
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_files.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QMimeType FileListModel::mimeType(int row) const
{
    // By the name alone: reading every file's head would make a large
    // folder slow, and the type column has always followed the extension.
    return m_mimes.mimeTypeForFile(m_files.at(row).name, QMimeDatabase::MatchExtension);
}

QIcon FileListModel::iconFor(const QMimeType& type) const
{
    auto it = m_iconCache.constFind(type.name());
    if (it != m_iconCache.constEnd())
        return *it;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = m_icons.icon(QFileIconProvider::File);
    m_iconCache.insert(type.name(), icon);
    return icon;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_files.size())
        return QVariant();
    const FileListEntry& file = m_files.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return file.name;
        case SizeColumn:
            return fileSizeText(file.size);
        case TypeColumn:
            return mimeType(index.row()).comment();
        default:
            return QVariant();
        }
    case Qt::DecorationRole:
        if (index.column() == NameColumn)
            return iconFor(mimeType(index.row()));
        return QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() != NameColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole) {
        switch (section) {
        case NameColumn:
            return QStringLiteral("Název");
        case SizeColumn:
            return QStringLiteral("Velikost");
        case TypeColumn:
            return QStringLiteral("Typ");
        default:
            return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole && section != NameColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

} // namespace qw
