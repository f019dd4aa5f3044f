#include "app/elements/ElementDialog.h"

#include "app/elements/TextFields.h"
#include "app/services/ColorCombo.h"
#include "app/services/ComboBoxAccessibility.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "core/editor/EditorWidget.h"
#include "core/editor/MemoryEditor.h"
#include "core/elements/PicturePath.h"

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

FieldDef editField(const char* name, const char* label, const char* attribute, const QString& group)
{
    return FieldDef{.name = QString::fromLatin1(name),
                    .label = QString::fromUtf8(label),
                    .kind = FieldKind::Edit,
                    .attribute = QString::fromLatin1(attribute),
                    .focus = FocusExit::Window,
                    .group = group};
}

namespace {

const QString kPictureCaption = QStringLiteral("Otevřít obrázek");

} // namespace

ElementDialog::ElementDialog(ElementDialogContext& context, const QString& formCaption,
                             QWidget* parent)
    : QDialog(parent), m_context(context)
{
    installComboBoxAccessibility();
    setWindowTitle(formCaption);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    outer->addLayout(m_content);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Storno"), this);
    m_cancel->setObjectName(QStringLiteral("btnStorno"));
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
            // Every caption stays whole: with neither scroll arrows nor
            // shortened captions the page control asks for the width of all
            // its tabs, and the dialog is never narrower than that.
            m_pages->setUsesScrollButtons(false);
            m_pages->setElideMode(Qt::ElideNone);
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

QWidget* ElementDialog::makeWidget(const FieldDef& def)
{
    QWidget* w = nullptr;
    switch (def.kind) {
    case FieldKind::Edit: {
        auto* edit = new QLineEdit(this);
        holdWholeValues(edit);
        w = edit;
        break;
    }
    case FieldKind::Combo: {
        auto* combo = new QComboBox(this);
        combo->setEditable(true);
        holdWholeValues(combo->lineEdit());
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(def.items);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
        w = combo;
        break;
    }
    case FieldKind::Memo: {
        auto* memo = new QPlainTextEdit(this);
        makeTabMoveFocus(memo);
        w = memo;
        break;
    }
    case FieldKind::Check: {
        auto* check = new QCheckBox(def.label, this);
        check->setChecked(def.initial != 0);
        w = check;
        break;
    }
    case FieldKind::Spin: {
        auto* spin = new QSpinBox(this);
        spin->setRange(def.minimum, def.maximum);
        spin->setValue(def.initial);
        w = spin;
        break;
    }
    case FieldKind::Color:
        w = new ColorCombo(*m_context.ui, this);
        break;
    }
    w->setObjectName(def.name);
    return w;
}

void ElementDialog::buildFields(const QList<FieldDef>& fields)
{
    m_defs = fields;
    for (const FieldDef& def : fields) {
        Built b;
        b.def = def;
        b.widget = makeWidget(def);
        QFormLayout* form = formOf(def.group, def.page);
        QWidget* fieldPart = b.widget;
        if (def.browse != BrowseKind::None) {
            auto* holder = new QWidget(this);
            auto* row = new QHBoxLayout(holder);
            row->setContentsMargins(0, 0, 0, 0);
            b.button = new QToolButton(holder);
            b.button->setText(QStringLiteral("…"));
            b.button->setToolTip(def.browseHint);
            b.button->setAccessibleName(def.browseHint);
            b.button->setObjectName(def.browseName);
            row->addWidget(b.widget, 1);
            row->addWidget(b.button);
            fieldPart = holder;
            const QString name = def.name;
            connect(b.button, &QToolButton::clicked, this, [this, name] { browse(name); });
        }
        if (def.kind == FieldKind::Check) {
            form->addRow(fieldPart);
        } else if (def.label.isEmpty()) {
            b.widget->setAccessibleName(def.group.trimmed());
            form->addRow(fieldPart);
        } else {
            b.label = new QLabel(def.label, this);
            b.label->setBuddy(b.widget);
            b.widget->setAccessibleName(QString(def.label).remove(u'&'));
            form->addRow(b.label, fieldPart);
        }
        if (def.hidden) {
            b.widget->hide();
            if (b.label != nullptr)
                b.label->hide();
            form->setRowVisible(fieldPart, false);
        }
        if (def.focus != FocusExit::None) {
            m_focusExit.insert(b.widget, def.focus);
            b.widget->installEventFilter(this);
            setBackground(b.widget, def.focus == FocusExit::White
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
        if (b.def.name == name)
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
    return b != nullptr ? fieldValue(b->def) : QString();
}

QString ElementDialog::fieldValue(const FieldDef& def) const
{
    QWidget* w = field(def.name);
    switch (def.kind) {
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
    switch (b->def.kind) {
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
        switch (b.def.kind) {
        case FieldKind::Edit:
        case FieldKind::Combo:
        case FieldKind::Memo:
            setFieldText(b.def.name, QString());
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
            if (b.def.attribute.isEmpty() || b.def.attribute != name)
                continue;
            switch (b.def.kind) {
            case FieldKind::Edit:
            case FieldKind::Combo:
            case FieldKind::Color:
                setFieldText(b.def.name, a.value.value_or(QString()));
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
{
    focusFirstField();
}

void ElementDialog::focusFirstField()
{
    // A hidden dialog keeps the field that had the focus when it closed and
    // gives the focus back to it when shown again, unless told otherwise.
    for (const Built& b : std::as_const(m_fields)) {
        QWidget* w = b.widget;
        if (w != nullptr && w->isEnabled() && w->isVisibleTo(this) &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ElementDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only after the next turn of the event loop: the fields' editors finish
    // setting their text then, which drops a selection made before.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QWidget* focused = focusWidget();
            if (auto* edit = qobject_cast<QLineEdit*>(focused))
                edit->selectAll();
            else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focused))
                spin->selectAll();
            else if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit())
                combo->lineEdit()->selectAll();
        },
        Qt::QueuedConnection);
}

QList<AttributeValue> ElementDialog::okValues() const
{
    QList<AttributeValue> values;
    for (const QString& name : m_okOrder) {
        const Built* b = built(name);
        Q_ASSERT(b != nullptr && !b->def.attribute.isEmpty());
        if (b != nullptr)
            values.append({b->def.attribute, fieldValue(b->def)});
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
    // page is shown, the design document while the design page is.
    if (EditorWidget* editor = m_context.sourceEditor ? m_context.sourceEditor() : nullptr) {
        writeToSource(*editor);
    } else if (DesignDocument* design =
                   m_context.designTarget ? m_context.designTarget() : nullptr) {
        if (!writeToDesign(*design))
            return false;
    }
    done(QDialog::Accepted);
    return true;
}

std::optional<DesignAttributeChanges> ElementDialog::designChanges()
{
    const QStringList wholeNumbers = designWholeNumbers();
    const QStringList untouched = designUntouched();
    DesignAttributeChanges changes;
    for (const AttributeValue& v : okValues()) {
        if (untouched.contains(v.attribute))
            continue;
        if (const auto filled = m_filled.constFind(v.attribute);
            filled != m_filled.constEnd() && *filled == v.value)
            continue;
        const QString name = asciiLower(v.attribute);
        if (v.value.isEmpty()) {
            changes.append({name, std::nullopt});
            continue;
        }
        if (!wholeNumbers.contains(v.attribute)) {
            changes.append({name, v.value});
            continue;
        }
        bool ok = false;
        const int number = v.value.trimmed().toInt(&ok);
        if (!ok) {
            ui().notify(this, UiServices::Icon::Error,
                        QStringLiteral("\u201E%1\u201C není platné celé číslo.").arg(v.value));
            return std::nullopt;
        }
        changes.append({name, QString::number(number)});
    }
    return changes;
}

QString ElementDialog::designText() const
{
    // Built as on the source page, into an empty scratch text with a list of
    // its own: the window's attribute list belongs to the source page.
    MemoryEditor scratch;
    TagAttributeList list;
    return writeElement(scratch, list, request(scratch),
                        m_context.tagCase ? m_context.tagCase() : TagCaseOptions{});
}

bool ElementDialog::writeToDesign(DesignDocument& document)
{
    if (m_mode == ElementMode::Edit) {
        const std::optional<DesignElement> element = document.selectedElement();
        if (element && element->tagName.compare(elementName(), Qt::CaseInsensitive) == 0) {
            const std::optional<DesignAttributeChanges> changes = designChanges();
            if (!changes)
                return false;
            document.changeSelectedElement(*changes);
            return true;
        }
    }
    if (document.selectionType().compare(u"Control", Qt::CaseInsensitive) != 0)
        document.pasteHtml(designText());
    return true;
}

void ElementDialog::keepFilledValues()
{
    m_filled.clear();
    for (const AttributeValue& v : okValues())
        m_filled.insert(v.attribute, v.value);
}

void ElementDialog::done(int result)
{
    m_filled.clear();
    if (clearsOnClose())
        resetDialogFields();
    QDialog::done(result);
}

QString ElementDialog::linkPath(const QString& fullPath) const
{
    const QString link =
        makeLinkPath(fullPath, m_context.documentPath ? m_context.documentPath() : QString(),
                     m_context.linkOptions ? m_context.linkOptions() : LinkOptions{});
    if (m_context.linkMade)
        m_context.linkMade(link, fullPath);
    return link;
}

void ElementDialog::browse(QStringView name)
{
    const Built* b = built(name);
    if (b == nullptr)
        return;
    const FieldDef def = b->def;
    QString path;
    switch (def.browse) {
    case BrowseKind::None:
        return;
    case BrowseKind::Custom:
        browseCustom(def);
        return;
    case BrowseKind::Picture:
        path = ui().openPictureFileName(this, kPictureCaption, qtDialogFilter(pictureFilterText()),
                                        QString());
        break;
    case BrowseKind::File:
        path = ui().openFileName(this, QString(),
                                 m_context.fileFilter ? m_context.fileFilter(false) : QString(),
                                 QString());
        break;
    }
    if (path.isEmpty())
        return;
    setFieldText(def.name, linkPath(path));
    browsed(def, path);
}

void ElementDialog::browseCustom(const FieldDef&)
{}

void ElementDialog::browsed(const FieldDef&, const QString&)
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
