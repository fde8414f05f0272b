// The editor of the address-book files (CommandLine.h tells the arguments):
//   address-book-editor [BOOK...] [-SFAXConnectionType USB|NET] [-SFAXAddress ADDR]
//   address-book-editor --import FILE --into BOOK | --export BOOK --to FILE
//   address-book-editor --offscreen --screenshot DIR [BOOK] [-SFAXConnectionType NET ...]
//   address-book-editor --version
// Commands run without a window or display; otherwise one editor runs per session and a later
// start hands its arguments to it (ApplicationService.h).
#include "ApplicationService.h"
#include "CommandLine.h"
#include "CommandLineTool.h"
#include "Display.h"
#include "MainWindow.h"
#include "Screenshots.h"
#include "TerminationSignals.h"

#include <QrolKit.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

EditorOptions optionsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    return parseArguments(arguments);
}

void act(MainWindow& window, const EditorOptions& options) {
    for (const QString& book : options.books)
        window.openBookFile(book);
    if (!options.connectionType.isEmpty() || !options.deviceAddress.isEmpty())
        window.showDevice(options.connectionType, options.deviceAddress);
}

} // namespace

int main(int argc, char** argv) {
    const EditorOptions options = optionsOf(argc, argv);
    if (options.version && options.error.isEmpty()) {
        std::printf("%s (Sendra Fax) %s\n",
                    qPrintable(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()), NV_VERSION);
        return 0;
    }
    Qrol_Initialize(0);
    if (options.isCommand() || !options.error.isEmpty()) {
        QCoreApplication application(argc, argv);
        return runCommand(options);
    }

    if (options.offscreen) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else if (!hasDisplay()) {
        std::fputs("address-book-editor: there is no display to show the editor on (scripts use "
                   "--import or --export)\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Address Book Editor"));
    QApplication::setDesktopFileName(QLatin1String(kEditorBusName));
    if (!options.screenshotFolder.isEmpty()) { // alone: no bus name, no other editor asked
        MainWindow window;
        return saveScreenshots(window, options);
    }
    auto* service = new ApplicationService(&application);
    if (!service->registerOnBus()) {
        if (forwardToRunningEditor(options)) return 0;
        std::fputs("address-book-editor: the running editor does not answer\n", stderr);
        return 1;
    }
    MainWindow window;
    QObject::connect(service, &ApplicationService::activated, &window, &MainWindow::present);
    QObject::connect(service, &ApplicationService::openRequested, &window,
                     [&window](const QStringList& paths) {
                         for (const QString& path : paths)
                             window.openBookFile(path);
                         window.present();
                     });
    QObject::connect(service, &ApplicationService::deviceRequested, &window,
                     [&window](const QString& type, const QString& address) {
                         window.showDevice(type, address);
                         window.present();
                     });
    // Every change is already saved, so asked to stop (the session ends, Ctrl+C) it just ends.
    onTerminationSignal([] { QCoreApplication::exit(0); });
    act(window, options);
    if (!options.service) window.present(); // D-Bus activation shows it on Activate or Open
    return application.exec();
}
