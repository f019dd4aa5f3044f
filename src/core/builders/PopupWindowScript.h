#pragma once

#include <QString>

namespace qw {

// The pop-up window dialog's fields. The feature words follow in this order.
struct PopupWindowOptions
{
    QString address;
    QString title;
    QString height;
    QString width;
    bool toolbar = false;     // "Navigační panel"
    bool menubar = false;     // "Menu"
    bool scrollbars = false;  // "ScrollBar"
    bool resizable = false;   // "Okno s měnitelnou velikostí"
    bool directories = false; // "Odkazy"
    bool status = false;      // "Stavový řádek"
    bool location = false;    // "Panel Adresa"
    bool fullscreen = false;  // "Celá obrazovka"
};

// The one script line, e.g. window.open('a.html','Okno','toolbar,status,height=300').
// Every backslash in it, the address and title included, becomes a slash.
QString buildPopupWindowLine(const PopupWindowOptions& options);

// The text the dialog inserts in front of the selection: a SCRIPT element in
// fixed case around the line, lines joined by CR LF, no break after the end tag.
QString buildPopupWindowScript(const PopupWindowOptions& options);

} // namespace qw
