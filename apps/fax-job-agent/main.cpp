// The fax job agent: fax-job-agent [--dialog-argument ARG]... shows the print dialog for each
// of the user's jobs held on a fax queue; fax-job-agent --setup-queue NAME DEVICE-URI creates
// such a queue. It runs until the session ends (SIGTERM) or Ctrl+C.
#include "FaxJobAgent.h"
#include "ProductFiles.h"
#include "QueueSetup.h"
#include "TerminationSignals.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "usage: fax-job-agent [--dialog-argument ARG]...\n"
                      "       fax-job-agent --setup-queue NAME DEVICE-URI\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--setup-queue") == 0)
        return setUpFaxQueue(argv[2], argv[3]);
    QStringList dialogCommand = {installedFile(NV_INSTALLED_DIALOG, NV_BUILT_DIALOG)};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dialog-argument") != 0 || i + 1 == argc) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        dialogCommand << argv[++i];
    }
    // A dialog that ends before it reads a notice must not end the agent.
    std::signal(SIGPIPE, SIG_IGN);
    FaxJobAgent agent(dialogCommand);
    onTerminationSignal([] { QCoreApplication::exit(0); });
    agent.start();
    return application.exec();
}
