#pragma once

#include "core/filepanel/FileListing.h"

#include <QAbstractTableModel>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

namespace qw {

// The files of one folder as the file list shows them: name, Czech size
// text and the desktop's type name in Czech (like the rest of the window,
// whatever the session's language), with the desktop's icon. Type names and
// icons are looked up only for the rows that are drawn, by extension (no file
// is read), and icons are kept per type, so a folder of many thousand files
// lists as fast as it is read.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, SizeColumn, TypeColumn, ColumnCount };

    explicit FileListModel(QObject* parent = nullptr);

    // folder ends with "/"; the entries are already sorted.
    void setFiles(const QString& folder, QList<FileListEntry> files);
    const QString& folder() const { return m_folder; }
    QString filePath(int row) const;
    const FileListEntry& entry(int row) const { return m_files.at(row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QMimeType mimeType(int row) const;
    QIcon iconFor(const QMimeType& type) const;
    QString typeName(const QMimeType& type) const;

    QString m_folder;
    QList<FileListEntry> m_files;
    QMimeDatabase m_mimes;
    QFileIconProvider m_icons;
    mutable QHash<QString, QIcon> m_iconCache;
    mutable QHash<QString, QString> m_typeNameCache;
};

} // namespace qw
