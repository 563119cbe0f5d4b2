#include "forms/forms.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"

#include <QApplication>

// The program starts by loading its start window; everything else follows
// from there.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    forms::initApplication();
    startup::setEndHandler([](int code) { QCoreApplication::exit(code); });
    FrmStart *start = forms::form<FrmStart>();
    if (startup::programEnded()) return startup::programExitCode();
    start->show();
    return app.exec();
}
