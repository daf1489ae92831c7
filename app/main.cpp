// The window program: one application, one window, the message loop. No command line,
// settings or files are read.
#include <QtWidgets/QApplication>

#include "calc/input_checks.h"
#include "ui/application_title.h"
#include "ui/first_frame.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ui::ApplicationTitle(QApplication::applicationFilePath()));
    ui::SetApplicationLook(ui::Form1Window());

    // The calculation's state lives as long as the program.
    calc::CalcState state;
    ui::TForm1 form(state);
    ui::WatchFirstFrame(form);
    form.show();
    return QApplication::exec();
}
