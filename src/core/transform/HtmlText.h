#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qw {

// "Převést text na HTML": "&", "<", ">" and the double quote become entities
// (so an existing "&lt;" becomes "&amp;lt;"), "<br>" ends every line, empty
// ones included, and the result is framed by the page template: the head
// lines, one empty line, the converted lines, the foot lines, all joined by
// CR LF. text holds its lines joined by CR LF, as the editor gives it.
QString textToHtml(QStringView text, const QStringList& templateHead,
                   const QStringList& templateFoot);

// "Odstranit HTML": every tag, from "<" to the next ">", becomes one space, and
// so does a ">" outside a tag. A "<" without a closing ">" removes itself and
// everything after it except the text's last character, which is kept as it is
// (a CR LF ending the text is kept whole).
QString removeHtml(QStringView text);

} // namespace qw
