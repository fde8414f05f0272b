// private-cupsd [--hold] [--refuse OPERATION] [--records FOLDER]: a private CUPS scheduler with the
// test fax queue (the demo fax printer's PPD, the recording backend) for tests in other languages.
// It prints "Listening on ADDRESS", "Queue NAME" and "Records in FOLDER", then runs until SIGTERM
// or SIGINT; SIGUSR1 stops the scheduler and SIGUSR2 starts it again, as a server restarts.
#include "PrivateScheduler.h"

#include <csignal>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    SchedulerSetup setup;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hold") == 0) {
            setup.holdJobs = true;
        } else if (std::strcmp(argv[i], "--refuse") == 0 && i + 1 < argc) {
            setup.refusedOperation = argv[++i];
        } else if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc) {
            setup.records = argv[++i];
        } else {
            std::fputs("usage: private-cupsd [--hold] [--refuse OPERATION] [--records FOLDER]\n",
                       stderr);
            return 2;
        }
    }
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigaddset(&signals, signal);
    sigprocmask(SIG_BLOCK, &signals, nullptr); // they are awaited below

    PrivateScheduler scheduler(NV_DEMO_FAX_PPD, NV_RECORDING_BACKEND, setup);
    std::string whyNot;
    if (!scheduler.start(whyNot)) {
        std::fprintf(stderr, "private-cupsd: %s\n", whyNot.c_str());
        return 1;
    }
    std::printf("Listening on %s\nQueue %s\nRecords in %s\n", scheduler.address().c_str(),
                PrivateScheduler::kQueue, scheduler.recordsFolder().c_str());
    std::fflush(stdout);
    for (int signal = 0; sigwait(&signals, &signal) == 0;) {
        if (signal == SIGUSR1) {
            scheduler.stop();
        } else if (signal == SIGUSR2) {
            if (!scheduler.start(whyNot))
                std::fprintf(stderr, "private-cupsd: %s\n", whyNot.c_str());
        } else {
            break;
        }
    }
    return 0;
}
