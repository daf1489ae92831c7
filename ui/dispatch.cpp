#include "ui/dispatch.h"

#include <QtCore/QPointer>
#include <QtGui/QFont>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include "calc/errors.h"
#include "ui/form_builder.h"
#include "ui/form_definition.h"

namespace ui {

void ShowErrorBox(QWidget* window, std::string_view message)
{
    const std::string text = calc::ErrorBoxText(message);
    QPointer<QWidget> owner = window;
    {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(),
                        QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok,
                        window);
        // The message may quote pasted text in any script.
        box.setFont(WindowFont(Form1Window().font, true));
        box.exec();
    }
    // Without a window manager that does it, the owner would stay inactive after the box,
    // and with it the keyboard focus.
    if (owner && owner->isVisible())
        owner->activateWindow();
}

}  // namespace ui
