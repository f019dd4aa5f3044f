#pragma once

#include "core/settings/HighlightStyle.h"

#include <QObject>

namespace qw {

// The styles of the eleven element classes, shared by every editor that
// follows it: setting new styles re-draws all of them at once, because each
// editor's lexer listens to stylesChanged().
class HighlightTheme : public QObject
{
    Q_OBJECT
public:
    explicit HighlightTheme(QObject* parent = nullptr);

    // The window's one theme, followed by every document editor. Made on
    // first use and owned by the application object.
    static HighlightTheme& shared();

    const HighlightStyles& styles() const { return m_styles; }
    // Emits stylesChanged() only when something differs.
    void setStyles(const HighlightStyles& styles);

Q_SIGNALS:
    void stylesChanged();

private:
    HighlightStyles m_styles = defaultHighlightStyles();
};

} // namespace qw
