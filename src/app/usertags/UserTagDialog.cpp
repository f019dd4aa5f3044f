#include "app/usertags/UserTagDialog.h"

#include "app/elements/TextFields.h"
#include "app/services/UiServices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qw {

namespace {
QPlainTextEdit* memo(const QString& objectName)
{
    auto* field = new QPlainTextEdit;
    field->setObjectName(objectName);
    // Both scroll bars: lines are not wrapped.
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeTabMoveFocus(field);
    return field;
}

QLabel* labelFor(const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    field->setAccessibleName(label->text());
    return label;
}
} // namespace

UserTagDialog::UserTagDialog(UserTagStore& store, UiServices& ui, QWidget* parent)
    : QDialog(parent), m_store(store), m_ui(ui)
{
    setObjectName(QStringLiteral("frmUserTag"));
    setWindowTitle(QStringLiteral("Vlastní tag"));
    setModal(true);

    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("edName"));
    m_name->installEventFilter(this);
    m_start = memo(QStringLiteral("Memo1"));
    m_end = memo(QStringLiteral("Memo2"));

    m_ok = new QPushButton(QStringLiteral("OK"));
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Storno"));
    m_cancel->setObjectName(QStringLiteral("btnStorno"));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { commit(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(labelFor(QStringLiteral("Název:"), m_name), 0, 0);
    grid->addWidget(m_name, 1, 0);
    grid->addWidget(labelFor(QStringLiteral("Počáteční tag:"), m_start), 2, 0);
    grid->addWidget(m_start, 3, 0);
    grid->addWidget(labelFor(QStringLiteral("Koncový tag:"), m_end), 4, 0);
    grid->addWidget(m_end, 5, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 6, 0);
    resize(420, 380);
    setFixedSize(size());
}

void UserTagDialog::prepareNew(const QString& group)
{
    reset();
    m_group = group;
}

void UserTagDialog::prepareEdit(const QString& group, const QString& name)
{
    reset();
    m_mode = Mode::Edit;
    m_group = group;
    m_oldName = name;
    const UserTagFields fields = m_store.readFields(group, name);
    m_name->setText(name);
    m_start->setPlainText(fields.start);
    m_end->setPlainText(fields.end);
}

bool UserTagDialog::commit()
{
    const QString name = m_name->text();
    const UserTagFields fields{m_start->toPlainText(), m_end->toPlainText()};
    const UserTagResult result = m_mode == Mode::Edit
                                     ? m_store.saveEdited(m_group, m_oldName, name, fields)
                                     : m_store.write(m_group, name, fields);
    if (!result.ok()) {
        m_ui.notify(this, UiServices::Icon::Error, result.message);
        return false;
    }
    const QString group = m_group;
    const QString oldName = m_mode == Mode::Edit ? m_oldName : QString();
    accept();
    emit saved(group, oldName, name);
    return true;
}

void UserTagDialog::done(int result)
{
    reset();
    QDialog::done(result);
}

void UserTagDialog::reset()
{
    m_mode = Mode::New;
    m_group.clear();
    m_oldName.clear();
    m_name->clear();
    m_start->clear();
    m_end->clear();
}

bool UserTagDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Typing "<" or ">" into the name does nothing; pasting is still possible
    // and the store refuses nothing for them (they are valid in file names).
    if (watched == m_name && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed == QLatin1String("<") || typed == QLatin1String(">"))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qw
