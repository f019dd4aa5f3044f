#pragma once

#include "app/elements/ElementDialog.h"
#include "core/builders/HtmlList.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;

namespace qw {

// The list dialog: a whole UL or OL list from the lines of its memo, one LI
// per line. The style and the type stay as the user left them for the whole
// run; closing empties only the lines.
class ListDialog : public ElementDialog
{
    Q_OBJECT
public:
    ListDialog(ElementDialogContext& context, QWidget* parent);

    static QString caption() { return QStringLiteral("Seznam"); }

    ListStyle style() const;
    void setStyle(ListStyle style);
    // The selected item of the type group ("disc", "1", ...).
    QString type() const;
    // Selects the type item of that text; false when the group has none.
    bool selectType(const QString& type);

    void prepareToShow() override;

protected:
    ElementWriteRequest request(EditorWidget& editor) const override;

private:
    void fillTypes(ListStyle style);

    QRadioButton* m_unordered = nullptr;
    QRadioButton* m_ordered = nullptr;
    QGroupBox* m_typeBox = nullptr;
    QVBoxLayout* m_typeLayout = nullptr;
    QButtonGroup* m_types = nullptr;
};

} // namespace qw
