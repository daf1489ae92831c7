// Builds a window from its definition (form_definition.h): the frame, the font and every
// control, named, placed, coloured, grouped, in tab order and described for screen readers.
#pragma once

#include <span>

#include "ui/form_definition.h"

class QFont;
class QIcon;
class QImage;
class QLabel;
class QPixmap;
class QString;
class QWidget;

namespace ui {

// The face that stands in for the window's 8-point sans-serif: a plain sans-serif with
// Cyrillic, narrow enough that every text fits where the definition puts it. `anyScript`
// is for texts from outside the window (the error box may quote pasted text), which may
// need Qt's fallback faces; the window's own fonts go without them.
QFont WindowFont(const FontDef& font, bool anyScript = false);

// Reads every size of the icon at once (QIcon does), so the window takes it only after
// its first frame.
QIcon WindowIcon(const WindowDef& window);

// The look the definition is drawn for, set once for the application before the window is
// built: Qt's "Windows" style, whose controls have the metrics that the definition's sizes
// assume (and which paints without Fusion's scaled pixmaps and their worker threads), and
// the window font as the application's, so that no widget lays out text in another face
// before it takes the window's.
void SetApplicationLook(const WindowDef& window);

// An XPM picture from the program's resources, as the pictures are stored: one character
// per pixel, decoded straight into an indexed image, several times faster than QImageReader,
// which reads the text one character at a time (other layouts are left to it). A null image
// when the file is not well-formed XPM.
QImage ReadXpm(const QString& path);

// A schematic for the screen's pixel density: the "@2x" file on high-density screens.
QPixmap LoadPicture(const QString& path, qreal devicePixelRatio);

// Sizes a label to its text, as auto-sized labels do after every change of text.
void FitToText(QLabel& label);

void BuildForm(QWidget& window, const WindowDef& definition,
               std::span<const ControlDef> controls);

}  // namespace ui
