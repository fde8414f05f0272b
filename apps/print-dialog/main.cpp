// The print dialog: print-dialog [--printer NAME] [--plugin BUNDLE]... [--offscreen]
// [--screenshot DIR | --quit-when-shown] [FILE | --held-job ID]. Without a file it prints a
// sample document. --quit-when-shown ends the dialog as soon as it shows its first extension
// pane, to measure its start. --held-job finishes a job held on a CUPS fax queue (the fax job
// agent starts the dialog so): its printer is fixed, Print releases it, Cancel cancels it.
#include "Display.h"
#include "HeldJobNotices.h"
#include "ProductFiles.h"
#include "QuitWhenShown.h"
#include "TerminationSignals.h"

#include <HeldJob.h>
#include <PrintDialog.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct CommandLine {
    PrintDialogOptions dialog;
    bool offscreen = false;
    bool quitWhenShown = false;
    std::string screenshotFolder;
    int heldJobID = 0;
};

const char kUsage[] = "usage: print-dialog [--printer NAME] [--plugin BUNDLE]... [--offscreen]\n"
                      "                    [--screenshot DIR | --quit-when-shown]\n"
                      "                    [FILE | --held-job ID]\n"
                      "--screenshot saves a picture of each pane and needs --offscreen;\n"
                      "--quit-when-shown ends the dialog once its first extension pane shows.\n";

bool parse(int argc, char** argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--printer" && hasValue) {
            line.dialog.printerID = argv[++i];
        } else if (argument == "--plugin" && hasValue) {
            line.dialog.extraExtensions.emplace_back(argv[++i]);
        } else if (argument == "--screenshot" && hasValue) {
            line.screenshotFolder = argv[++i];
        } else if (argument == "--held-job" && hasValue) {
            line.heldJobID = std::atoi(argv[++i]);
            if (line.heldJobID <= 0) return false;
        } else if (argument == "--offscreen") {
            line.offscreen = true;
        } else if (argument == "--quit-when-shown") {
            line.quitWhenShown = true;
        } else if (argument.starts_with("-") || !line.dialog.documentPath.empty()) {
            return false;
        } else {
            line.dialog.documentPath = argument;
        }
    }
    if (line.heldJobID && !line.dialog.documentPath.empty()) return false;
    const bool screenshots = !line.screenshotFolder.empty();
    if (screenshots) return line.offscreen && !line.quitWhenShown;
    return !line.offscreen || line.quitWhenShown; // offscreen, it must end by itself
}

// Saves a picture of each pane of the dialog into the folder; false when one cannot be saved.
bool saveScreenshots(PrintDialog& dialog, const QString& folder) {
    QDir().mkpath(folder);
    bool saved = true;
    for (size_t pane = 0; pane <= dialog.extensionCount(); ++pane) {
        dialog.showPane(int(pane));
        const QString name = pane < dialog.extensionCount()
                                 ? QString::fromStdString(dialog.extension(pane).title())
                                 : QString("Summary");
        const QString file = QDir(folder).filePath("print-dialog-" + name + ".png");
        if (dialog.grab().save(file)) {
            std::printf("Saved %s\n", file.toUtf8().constData());
        } else {
            std::fprintf(stderr, "Cannot save %s\n", file.toUtf8().constData());
            saved = false;
        }
    }
    return saved;
}

// The held job as the server has it, for the dialog; false, having said why, when it cannot be
// finished (gone, another user's, no longer held).
bool readHeldJob(int jobID, PrintDialogOptions& dialog) {
    CupsJobRecord job;
    const PrintResult read = readCupsJob(jobID, job);
    if (read.status != noErr || !job.isHeld()) {
        std::fprintf(stderr, "print-dialog: %s\n",
                     read.status != noErr
                         ? read.message.c_str()
                         : ("Job " + std::to_string(jobID) + " is not held.").c_str());
        return false;
    }
    dialog.printerID = job.queue;
    dialog.jobTitle = job.title;
    dialog.heldJob = job;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (!parse(argc, argv, line)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (line.offscreen) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else if (!hasDisplay()) {
        std::fputs("print-dialog: there is no display to show the dialog on.\n"
                   "Run it under a virtual display (xvfb-run print-dialog ...), or save pictures "
                   "of its panes with --offscreen --screenshot DIR.\n",
                   stderr);
        return 2;
    }
    QApplication application(argc, argv);
    if (line.heldJobID) {
        if (!readHeldJob(line.heldJobID, line.dialog)) return 1;
    } else {
        if (line.dialog.documentPath.empty())
            line.dialog.documentPath =
                productDataFile("SampleDocument.txt", NV_SAMPLE_DOCUMENT).toStdString();
        line.dialog.jobTitle =
            QFileInfo(QString::fromStdString(line.dialog.documentPath)).fileName().toStdString();
    }

    PrintDialog dialog(line.dialog);
    // Like every print dialog, it ends once the job has gone (0) or it was cancelled (1). An exit
    // rather than a quit, which would first ask the windows to close (and they may refuse).
    dialog.onFinished = [&](bool printed) {
        if (printed) std::printf("%s\n", dialog.message().c_str());
        std::fflush(stdout);
        QCoreApplication::exit(printed ? 0 : 1);
    };
    // Asked to stop (the session ends, Ctrl+C), it ends as Cancel ends it: without a job. Every
    // loop ends, a modal sheet's too, which then counts as stopped; the dialog's destructor ends
    // the extensions. A held job stays held then, for the next time the agent shows it.
    onTerminationSignal([] { QCoreApplication::exit(1); });
    // A held job that someone else releases, cancels or moves ends the dialog, as Cancel would
    // but leaving the job alone, once the user has read why.
    std::unique_ptr<HeldJobNotices> notices;
    if (line.heldJobID) {
        notices = std::make_unique<HeldJobNotices>(
            QString::fromStdString(line.dialog.jobTitle), [&dialog](const QString& text) {
                QMessageBox message(QMessageBox::Information, "Fax Job Changed",
                                    text + "\nThis dialog closes.", QMessageBox::Ok, &dialog);
                message.setTextFormat(Qt::PlainText); // the title is whatever an application chose
                message.exec();
                std::printf("%s\n", text.toUtf8().constData());
                std::fflush(stdout);
                QCoreApplication::exit(1);
            });
        // What the dialog does to the job itself is no news from elsewhere.
        dialog.beforeHeldJobChange = [&notices] { notices->stop(); };
    }
    if (line.quitWhenShown && dialog.extensionCount() == 0) {
        std::fprintf(stderr, "print-dialog: no extension pane to show. %s\n",
                     dialog.message().c_str());
        return 1;
    }
    dialog.show();
    if (!line.screenshotFolder.empty())
        return saveScreenshots(dialog, QString::fromStdString(line.screenshotFolder)) ? 0 : 1;
    if (line.quitWhenShown) quitWhenShown(dialog);
    return application.exec();
}
