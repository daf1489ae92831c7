// Builds a window from its definition (form_definition.h): the frame, the font, the icon
// and every control, named, placed, coloured, grouped and in tab order.
#pragma once

#include <span>

#include "ui/form_definition.h"

class QFont;
class QIcon;
class QLabel;
class QPixmap;
class QString;
class QWidget;

namespace ui {

// The face that stands in for the window's 8-point sans-serif: a plain sans-serif with
// Cyrillic, narrow enough that every text fits where the definition puts it.
QFont WindowFont(const FontDef& font);

QIcon WindowIcon(const WindowDef& window);

// A picture for the screen's pixel density: the "@2x" file on high-density screens.
QPixmap LoadPicture(const QString& path, qreal devicePixelRatio);

// Sizes a label to its text, as auto-sized labels do after every change of text.
void FitToText(QLabel& label);

void BuildForm(QWidget& window, const WindowDef& definition,
               std::span<const ControlDef> controls);

}  // namespace ui
