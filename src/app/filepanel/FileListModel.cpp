#include "app/filepanel/FileListModel.h"

#include "core/filepanel/FileSizeText.h"

#include <QFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace qw {

namespace {

// The Czech description of a MIME type from the shared MIME database's file
// of that type (mime/text/html.xml). QMimeType::comment() answers only in the
// language of the default locale; empty when no file has a Czech text.
QString czechComment(const QString& typeName)
{
    const QStringList files =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("mime/") + typeName + QStringLiteral(".xml"));
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        QString regional; // "cs_CZ" serves when there is no plain "cs"
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"comment")
                continue;
            const QStringView language = xml.attributes().value(QLatin1String("xml:lang"));
            if (language == u"cs")
                return xml.readElementText();
            if (regional.isEmpty() && language.startsWith(u"cs_"))
                regional = xml.readElementText();
        }
        if (!regional.isEmpty())
            return regional;
    }
    return QString();
}

} // namespace

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

QString FileListModel::typeName(const QMimeType& type) const
{
    auto it = m_typeNameCache.constFind(type.name());
    if (it != m_typeNameCache.constEnd())
        return *it;
    QString name = czechComment(type.name());
    if (name.isEmpty())
        name = type.comment();
    m_typeNameCache.insert(type.name(), name);
    return name;
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
            return typeName(mimeType(index.row()));
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
