// stock-print-dialog: shows Qt's own print dialog and quits as soon as it has shown, so the
// benchmarks can compare our print dialog's start with it. Takes Qt's usual arguments
// (for example -platform offscreen).
#include <QuitWhenShown.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.show();
    quitWhenShown(dialog);
    return application.exec();
}
