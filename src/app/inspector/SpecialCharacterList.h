#pragma once

#include "core/settings/TagDefinitions.h"

#include <QTreeWidget>

namespace qw {

// The "Special Char" page: one row per special character of "tag.dat", the
// character and the text the editor inserts for it. A double-click asks for
// the selected row's text to be inserted.
class SpecialCharacterList : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int CharacterColumnWidth = 120;
    static constexpr int HtmlColumnWidth = 140;

    explicit SpecialCharacterList(QWidget* parent = nullptr);

    void fill(const QList<SpecialCharacter>& characters);
    // The second column takes the list's width less the first column and a
    // margin for the scroll bar.
    void fitColumns();

signals:
    void insertRequested(const QString& html);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace qw
