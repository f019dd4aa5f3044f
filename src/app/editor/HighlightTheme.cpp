#include "app/editor/HighlightTheme.h"

#include <QCoreApplication>
#include <QPointer>

namespace qw {

HighlightTheme::HighlightTheme(QObject* parent) : QObject(parent)
{}

HighlightTheme& HighlightTheme::shared()
{
    // Parented to the application so it dies with it; a later application
    // (as in tests that make several) gets a fresh one.
    static QPointer<HighlightTheme> theme;
    if (theme.isNull())
        theme = new HighlightTheme(QCoreApplication::instance());
    return *theme;
}

void HighlightTheme::setStyles(const HighlightStyles& styles)
{
    if (styles == m_styles)
        return;
    m_styles = styles;
    Q_EMIT stylesChanged();
}

} // namespace qw
