#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The table, row and cell dialogs: the start tags of TABLE, TR and TD/TH,
// with the shared alignment lists and the "Vlastní barvy" colour group.
class TableDialog : public ElementDialog
{
    Q_OBJECT
public:
    TableDialog(ElementDialogContext& context, QWidget* parent);
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("table"); }
    bool writeToDesign(DesignDocument& document) override;
};

class RowDialog : public ElementDialog
{
    Q_OBJECT
public:
    RowDialog(ElementDialogContext& context, QWidget* parent);
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("tr"); }
};

// The cell dialog writes a header cell (th) when its caption says so
// ("Vložit hlavičku tabulky", "Upravit hlavičku tabulky"), otherwise a td.
class CellDialog : public ElementDialog
{
    Q_OBJECT
public:
    CellDialog(ElementDialogContext& context, QWidget* parent);
    void prepareToShow() override;

    static QString insertCellCaption() { return QStringLiteral("Vložit buňku"); }
    static QString insertHeaderCaption() { return QStringLiteral("Vložit hlavičku tabulky"); }

protected:
    QString elementName() const override;
    bool writeToDesign(DesignDocument& document) override;
    QStringList designWholeNumbers() const override
    {
        return {QStringLiteral("ROWSPAN"), QStringLiteral("COLSPAN")};
    }
};

} // namespace qw
