#include "app/elements/ElementDialog.h"

#include "app/elements/ColorCombo.h"
#include "app/shell/FileDialogFilter.h"
#include "app/shell/UiServices.h"
#include "core/editor/EditorWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace qw {

namespace {

const QString kPictureCaption = QStringLiteral("Otevřít obrázek");
const QString kPictureFilter =
    QStringLiteral("Všechny grafické soubory (*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF soubory "
                   "(*.gif)|*.gif|JPE soubory (*.jpg)|*.jpg|JPEG soubory (*.jpeg)|*.jpeg");

} // namespace

ElementDialog::ElementDialog(ElementDialogContext& context, const QString& formCaption,
                             QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setWindowTitle(formCaption);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    outer->addLayout(m_content);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Storno"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    outer->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] { runOk(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QFormLayout* ElementDialog::formOf(const QString& group, const QString& page)
{
    const QString key = page + u'\x1f' + group;
    if (QFormLayout* form = m_forms.value(key))
        return form;
    QVBoxLayout* parentLayout = m_content;
    if (!page.isEmpty()) {
        if (m_pages == nullptr) {
            m_pages = new QTabWidget(this);
            m_content->addWidget(m_pages);
        }
        QWidget* pageWidget = m_pageWidgets.value(page);
        if (pageWidget == nullptr) {
            pageWidget = new QWidget(m_pages);
            pageWidget->setLayout(new QVBoxLayout);
            m_pages->addTab(pageWidget, page);
            m_pageWidgets.insert(page, pageWidget);
        }
        parentLayout = static_cast<QVBoxLayout*>(pageWidget->layout());
    }
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (group.isEmpty()) {
        parentLayout->addLayout(form);
    } else {
        auto* box = new QGroupBox(group, this);
        box->setAccessibleName(group.trimmed());
        box->setLayout(form);
        parentLayout->addWidget(box);
        m_groups.insert(group, box);
    }
    m_forms.insert(key, form);
    return form;
}

QWidget* ElementDialog::makeWidget(const FieldSpec& spec)
{
    QWidget* w = nullptr;
    switch (spec.kind) {
    case FieldKind::Edit:
        w = new QLineEdit(this);
        break;
    case FieldKind::Combo: {
        auto* combo = new QComboBox(this);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(spec.items);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
        w = combo;
        break;
    }
    case FieldKind::Memo: {
        auto* memo = new QPlainTextEdit(this);
        memo->setTabChangesFocus(true);
        w = memo;
        break;
    }
    case FieldKind::Check: {
        auto* check = new QCheckBox(spec.label, this);
        check->setChecked(spec.initial != 0);
        w = check;
        break;
    }
    case FieldKind::Spin: {
        auto* spin = new QSpinBox(this);
        spin->setRange(spec.minimum, spec.maximum);
        spin->setValue(spec.initial);
        w = spin;
        break;
    }
    case FieldKind::Color:
        w = new ColorCombo(*m_context.ui, this);
        break;
    }
    w->setObjectName(spec.name);
    return w;
}

void ElementDialog::buildFields(const QList<FieldSpec>& fields)
{
    m_specs = fields;
    for (const FieldSpec& spec : fields) {
        Built b;
        b.spec = spec;
        b.widget = makeWidget(spec);
        QFormLayout* form = formOf(spec.group, spec.page);
        QWidget* fieldPart = b.widget;
        if (spec.browse != BrowseKind::None) {
            auto* holder = new QWidget(this);
            auto* row = new QHBoxLayout(holder);
            row->setContentsMargins(0, 0, 0, 0);
            b.button = new QToolButton(holder);
            b.button->setText(QStringLiteral("…"));
            b.button->setToolTip(spec.browseHint);
            b.button->setAccessibleName(spec.browseHint);
            b.button->setObjectName(spec.browseName);
            row->addWidget(b.widget, 1);
            row->addWidget(b.button);
            fieldPart = holder;
            const QString name = spec.name;
            connect(b.button, &QToolButton::clicked, this, [this, name] { browse(name); });
        }
        if (spec.kind == FieldKind::Check) {
            form->addRow(fieldPart);
        } else if (spec.label.isEmpty()) {
            b.widget->setAccessibleName(spec.group.trimmed());
            form->addRow(fieldPart);
        } else {
            b.label = new QLabel(spec.label, this);
            b.label->setBuddy(b.widget);
            b.widget->setAccessibleName(QString(spec.label).remove(u'&'));
            form->addRow(b.label, fieldPart);
        }
        if (spec.hidden) {
            b.widget->hide();
            if (b.label != nullptr)
                b.label->hide();
            form->setRowVisible(fieldPart, false);
        }
        if (spec.focus != FocusExit::None) {
            m_focusExit.insert(b.widget, spec.focus);
            b.widget->installEventFilter(this);
            setBackground(b.widget, spec.focus == FocusExit::White
                                        ? QColor(Qt::white)
                                        : palette().color(QPalette::Base));
        }
        m_fields.append(b);
    }
    // The buttons were made before the fields: the tab order runs through
    // the fields in the table's order, each browse button after its field,
    // and ends at "OK" and "Storno".
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (const Built& b : std::as_const(m_fields)) {
        chain(b.widget);
        if (b.button != nullptr)
            chain(b.button);
    }
    chain(m_ok);
    chain(m_cancel);
}

const ElementDialog::Built* ElementDialog::built(QStringView name) const
{
    for (const Built& b : m_fields) {
        if (b.spec.name == name)
            return &b;
    }
    return nullptr;
}

QWidget* ElementDialog::field(QStringView name) const
{
    const Built* b = built(name);
    return b != nullptr ? b->widget : nullptr;
}

ColorCombo* ElementDialog::colorField(QStringView name) const
{
    return qobject_cast<ColorCombo*>(field(name));
}

QCheckBox* ElementDialog::checkField(QStringView name) const
{
    return qobject_cast<QCheckBox*>(field(name));
}

QSpinBox* ElementDialog::spinField(QStringView name) const
{
    return qobject_cast<QSpinBox*>(field(name));
}

QToolButton* ElementDialog::browseButton(QStringView name) const
{
    const Built* b = built(name);
    return b != nullptr ? b->button : nullptr;
}

QGroupBox* ElementDialog::groupBox(const QString& caption) const
{
    return m_groups.value(caption);
}

QString ElementDialog::fieldText(QStringView name) const
{
    const Built* b = built(name);
    return b != nullptr ? fieldValue(b->spec) : QString();
}

QString ElementDialog::fieldValue(const FieldSpec& spec) const
{
    QWidget* w = field(spec.name);
    switch (spec.kind) {
    case FieldKind::Edit:
        return static_cast<QLineEdit*>(w)->text();
    case FieldKind::Combo:
        return static_cast<QComboBox*>(w)->currentText();
    case FieldKind::Memo:
        return static_cast<QPlainTextEdit*>(w)->toPlainText();
    case FieldKind::Check:
        return static_cast<QCheckBox*>(w)->isChecked() ? QStringLiteral("1") : QString();
    case FieldKind::Spin:
        return QString::number(static_cast<QSpinBox*>(w)->value());
    case FieldKind::Color:
        return static_cast<ColorCombo*>(w)->value();
    }
    return {};
}

void ElementDialog::setFieldText(QStringView name, const QString& text)
{
    const Built* b = built(name);
    if (b == nullptr)
        return;
    QWidget* w = b->widget;
    switch (b->spec.kind) {
    case FieldKind::Edit:
        static_cast<QLineEdit*>(w)->setText(text);
        break;
    case FieldKind::Combo:
        static_cast<QComboBox*>(w)->setEditText(text);
        break;
    case FieldKind::Memo:
        static_cast<QPlainTextEdit*>(w)->setPlainText(text);
        break;
    case FieldKind::Check:
        static_cast<QCheckBox*>(w)->setChecked(!text.isEmpty());
        break;
    case FieldKind::Spin:
        static_cast<QSpinBox*>(w)->setValue(text.toInt());
        break;
    case FieldKind::Color:
        static_cast<ColorCombo*>(w)->setValueText(text);
        break;
    }
}

void ElementDialog::resetDialogFields()
{
    for (const Built& b : std::as_const(m_fields)) {
        switch (b.spec.kind) {
        case FieldKind::Edit:
        case FieldKind::Combo:
        case FieldKind::Memo:
            setFieldText(b.spec.name, QString());
            break;
        case FieldKind::Check:
            static_cast<QCheckBox*>(b.widget)->setChecked(false);
            break;
        case FieldKind::Color:
            static_cast<ColorCombo*>(b.widget)->selectNone();
            break;
        case FieldKind::Spin:
            break;
        }
    }
}

void ElementDialog::fillDialogFromAttributes(const TagAttributeList& attributes)
{
    for (const TagAttribute& a : attributes.attributes()) {
        const QString name = asciiUpper(a.name);
        for (const Built& b : std::as_const(m_fields)) {
            if (b.spec.attribute.isEmpty() || b.spec.attribute != name)
                continue;
            switch (b.spec.kind) {
            case FieldKind::Edit:
            case FieldKind::Combo:
            case FieldKind::Color:
                setFieldText(b.spec.name, a.value.value_or(QString()));
                break;
            case FieldKind::Memo:
            case FieldKind::Check:
            case FieldKind::Spin:
                break;
            }
        }
    }
}

void ElementDialog::applyEditTagSetup(const EditTagTarget&)
{}

void ElementDialog::prepareToShow()
{}

QList<AttributeValue> ElementDialog::okValues() const
{
    QList<AttributeValue> values;
    for (const QString& name : m_okOrder) {
        const Built* b = built(name);
        Q_ASSERT(b != nullptr && !b->spec.attribute.isEmpty());
        if (b != nullptr)
            values.append({b->spec.attribute, fieldValue(b->spec)});
    }
    return values;
}

QString ElementDialog::insertContent(EditorWidget& editor) const
{
    return editor.selectedText();
}

ElementWriteRequest ElementDialog::request(EditorWidget& editor) const
{
    ElementWriteRequest r;
    r.mode = m_mode;
    r.element = elementName();
    r.values = okValues();
    r.output = m_mode == ElementMode::Edit ? ElementOutput::StartTag : insertOutput();
    if (r.output == ElementOutput::WrappedInsert)
        r.text = insertContent(editor);
    return r;
}

void ElementDialog::writeToSource(EditorWidget& editor)
{
    writeElement(editor, *m_context.attributes, request(editor), m_context.tagCase());
}

bool ElementDialog::runOk()
{
    if (!validate())
        return false;
    // The one place the target is chosen: the source text while the source
    // page is shown. (The design view's element will be the other target.)
    if (EditorWidget* editor = m_context.sourceEditor ? m_context.sourceEditor() : nullptr)
        writeToSource(*editor);
    done(QDialog::Accepted);
    return true;
}

void ElementDialog::done(int result)
{
    if (clearsOnClose())
        resetDialogFields();
    QDialog::done(result);
}

QString ElementDialog::linkPath(const QString& fullPath) const
{
    return makeLinkPath(fullPath, m_context.documentPath ? m_context.documentPath() : QString(),
                        m_context.linkOptions ? m_context.linkOptions() : LinkOptions{});
}

void ElementDialog::browse(QStringView name)
{
    const Built* b = built(name);
    if (b == nullptr)
        return;
    const FieldSpec spec = b->spec;
    QString path;
    switch (spec.browse) {
    case BrowseKind::None:
        return;
    case BrowseKind::Custom:
        browseCustom(spec);
        return;
    case BrowseKind::Picture:
        path = ui().openFileName(this, kPictureCaption, qtDialogFilter(kPictureFilter), QString());
        break;
    case BrowseKind::File:
        path = ui().openFileName(this, QString(),
                                 m_context.fileFilter ? m_context.fileFilter(false) : QString(),
                                 QString());
        break;
    }
    if (path.isEmpty())
        return;
    setFieldText(spec.name, linkPath(path));
    browsed(spec, path);
}

void ElementDialog::browseCustom(const FieldSpec&)
{}

void ElementDialog::browsed(const FieldSpec&, const QString&)
{}

void ElementDialog::setBackground(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Button, color);
    widget->setPalette(p);
}

bool ElementDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto* w = qobject_cast<QWidget*>(watched);
        const auto it = m_focusExit.constFind(w);
        if (it != m_focusExit.constEnd()) {
            if (event->type() == QEvent::FocusIn)
                setBackground(w, QColor(kFocusColor));
            else
                setBackground(w, *it == FocusExit::White
                                     ? QColor(Qt::white)
                                     : QApplication::palette().color(QPalette::Base));
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qw
