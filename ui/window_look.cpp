// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/window_look.h"

#include <QtCore/QSize>
#include <QtGui/QFont>
#include <QtGui/QIcon>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleFactory>

namespace ui {

QFont WindowFont(const FontDef& def, bool anyScript)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    // Two start-up costs the window does without: looking up fallback faces (its texts are
    // Latin, Cyrillic and digits, which the face covers) and the hinter's analysis of each
    // face, which changes little at these sizes with antialiased text.
    font.setStyleHint(QFont::SansSerif, anyScript ? QFont::PreferDefault : QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(def.pixelSize > 0 ? def.pixelSize : 11);
    font.setBold(def.bold);
    font.setUnderline(def.underline);
    return font;
}

QIcon WindowIcon(const WindowDef& window)
{
    QIcon icon;
    for (const resources::PictureFile& file : window.iconFiles)
        icon.addFile(QString::fromUtf8(file.path), QSize(file.width, file.height));
    return icon;
}

void SetApplicationLook(const WindowDef& window)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setFont(WindowFont(window.font));
}

}  // namespace ui
