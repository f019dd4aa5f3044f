#pragma once

#include <QTabWidget>

class QIcon;

namespace qw {

// The side panel at the window's left: pages with their tabs along the
// bottom. Other parts of the window add their pages through insertPage and
// bring one to the front with showPage. Every tab's caption stays readable:
// the panel is never narrower than its tabs need.
class LeftPanel : public QTabWidget
{
    Q_OBJECT
public:
    static constexpr int InitialWidth = 289;

    explicit LeftPanel(QWidget* parent = nullptr);

    // Puts the page at index (clamped; a negative index appends) and returns
    // its final index. The page takes the caption as its accessible name too.
    int insertPage(int index, QWidget* page, const QString& caption);
    int addPage(QWidget* page, const QString& caption) { return insertPage(-1, page, caption); }
    // Appends a page whose tab shows only an icon; the name is the tab's
    // tool tip and its accessible name, and the page's accessible name.
    int addIconPage(QWidget* page, const QIcon& icon, const QString& name);
    // Makes the page the shown one; a page the panel does not hold is ignored.
    void showPage(QWidget* page);

    QSize sizeHint() const override;

signals:
    // The panel changed its size: pages fit their columns and fields to it.
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace qw
