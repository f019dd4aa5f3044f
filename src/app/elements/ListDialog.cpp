#include "app/elements/ListDialog.h"

#include "core/builders/MemoLines.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qw {

ListDialog::ListDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, caption(), parent)
{
    auto* groups = new QHBoxLayout;
    auto* styleBox = new QGroupBox(QStringLiteral(" Styl "), this);
    styleBox->setAccessibleName(QStringLiteral("Styl"));
    auto* styleLayout = new QVBoxLayout(styleBox);
    m_unordered = new QRadioButton(QStringLiteral("Nečíslovaný"), styleBox);
    m_unordered->setObjectName(QStringLiteral("rbUl"));
    m_ordered = new QRadioButton(QStringLiteral("Číslovaný"), styleBox);
    m_ordered->setObjectName(QStringLiteral("RadioButton2"));
    styleLayout->addWidget(m_unordered);
    styleLayout->addWidget(m_ordered);

    m_typeBox = new QGroupBox(QStringLiteral(" Typ "), this);
    m_typeBox->setObjectName(QStringLiteral("RadioGroup1"));
    m_typeBox->setAccessibleName(QStringLiteral("Typ"));
    m_typeLayout = new QVBoxLayout(m_typeBox);
    m_types = new QButtonGroup(this);
    groups->addWidget(styleBox);
    groups->addWidget(m_typeBox);
    contentLayout()->addLayout(groups);

    buildFields({{.name = QStringLiteral("mmLines"), .kind = FieldKind::Memo}});
    field(u"mmLines")->setAccessibleName(QStringLiteral("Položky seznamu"));

    auto* clear = new QPushButton(QStringLiteral("Smazat"), this);
    clear->setObjectName(QStringLiteral("btnClear"));
    auto* clearRow = new QHBoxLayout;
    clearRow->addWidget(clear);
    clearRow->addStretch(1);
    contentLayout()->addLayout(clearRow);
    connect(clear, &QPushButton::clicked, this, [this] { setFieldText(u"mmLines", QString()); });

    m_unordered->setChecked(true);
    fillTypes(ListStyle::Unordered);
    connect(m_unordered, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fillTypes(ListStyle::Unordered);
    });
    connect(m_ordered, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fillTypes(ListStyle::Ordered);
    });
}

ListStyle ListDialog::style() const
{
    return m_ordered->isChecked() ? ListStyle::Ordered : ListStyle::Unordered;
}

void ListDialog::setStyle(ListStyle style)
{
    (style == ListStyle::Ordered ? m_ordered : m_unordered)->setChecked(true);
}

QString ListDialog::type() const
{
    const QAbstractButton* checked = m_types->checkedButton();
    return checked != nullptr ? checked->text() : QString();
}

bool ListDialog::selectType(const QString& type)
{
    for (QAbstractButton* button : m_types->buttons()) {
        if (button->text() == type) {
            button->setChecked(true);
            return true;
        }
    }
    return false;
}

void ListDialog::fillTypes(ListStyle style)
{
    // Every change of style offers that style's types with the first selected.
    for (QAbstractButton* button : m_types->buttons()) {
        m_types->removeButton(button);
        delete button;
    }
    const QStringList items = listTypeItems(style);
    for (const QString& item : items) {
        auto* button = new QRadioButton(item, m_typeBox);
        m_types->addButton(button);
        m_typeLayout->addWidget(button);
    }
    if (!m_types->buttons().isEmpty())
        m_types->buttons().constFirst()->setChecked(true);
}

void ListDialog::prepareToShow()
{
    field(u"mmLines")->setFocus();
}

ElementWriteRequest ListDialog::request(EditorWidget&) const
{
    HtmlListOptions options;
    options.style = style();
    options.type = type();
    options.items = memoLines(fieldText(u"mmLines"));
    options.lowerCaseTags = context().tagCase().upperTag;
    ElementWriteRequest r;
    r.output = ElementOutput::OwnText;
    r.text = buildHtmlList(options);
    return r;
}

} // namespace qw
