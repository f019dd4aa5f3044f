#include "app/elements/TextFields.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <limits>

namespace qw {

namespace {

// Puts a tab character into its memo on Ctrl+Tab, which the memo itself
// takes for no text and passes on (a page control would turn its page).
class TabCharacterKey : public QObject
{
public:
    explicit TabCharacterKey(QPlainTextEdit* memo) : QObject(memo), m_memo(memo) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched != m_memo || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier ||
            m_memo->isReadOnly())
            return false;
        if (type == QEvent::ShortcutOverride) {
            // The key is the memo's, not a shortcut's.
            event->accept();
            return true;
        }
        m_memo->insertPlainText(QStringLiteral("\t"));
        return true;
    }

private:
    QPlainTextEdit* m_memo;
};

} // namespace

void holdWholeValues(QLineEdit* field)
{
    field->setMaxLength(std::numeric_limits<int>::max());
}

void makeTabMoveFocus(QPlainTextEdit* memo)
{
    memo->setTabChangesFocus(true);
    memo->installEventFilter(new TabCharacterKey(memo));
}

} // namespace qw
