#include "AddressBookEditorLaunch.h"

#include <AboutWindow.h>

#include <CFRef.h>
#include <LSInfo.h>
#include <LSOpen.h>
#include <Processes.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

ForkProcedure forkProcedure = &fork;

// Writes a fixed diagnostic line to standard error; safe in a forked child.
template <size_t N> void writeDiagnostic(const char (&line)[N]) {
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, N - 1);
}

// Tells the parent through the pipe that the editor could not be started.
void reportFailure(int pipe) {
    const char failed = 1;
    [[maybe_unused]] const ssize_t written = write(pipe, &failed, 1);
}

// Starts the program with the arguments in a grandchild: the child only forks it and leaves at
// once, and is waited for here, so the editor is never left as a zombie of the dialog and the
// dialog does not wait for it. True when the program was executed: a pipe closed on exec tells
// a failed fork or exec of the grandchild from a started editor.
bool startDetached(const char* path, char* const arguments[]) {
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) return false;
    const pid_t child = forkProcedure();
    if (child < 0) {
        writeDiagnostic("CSendraFaxPanel::LaunchAddressBookEditor - fork failed!\n");
        close(status[0]);
        close(status[1]);
        return false;
    }
    if (child == 0) {
        close(status[0]);
        const pid_t editor = fork();
        if (editor == 0) {
            execv(path, arguments);
            writeDiagnostic("CSendraFaxPanel::LaunchAddressBookEditor - execl failed!\n");
            reportFailure(status[1]);
        } else if (editor < 0) {
            writeDiagnostic("CSendraFaxPanel::LaunchAddressBookEditor - fork failed!\n");
            reportFailure(status[1]);
        }
        ExitToShell();
    }
    close(status[1]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    char failed = 0;
    ssize_t count = 0;
    while ((count = read(status[0], &failed, 1)) < 0 && errno == EINTR) {
    }
    close(status[0]);
    return count == 0; // end of file: every end closed by a successful exec or the child's exit
}

// The first running process of the application.
std::optional<ProcessSerialNumber> runningProcessOf(const FSRef& application) {
    ProcessSerialNumber psn = {0, kNoProcess};
    while (GetNextProcess(&psn) == noErr) {
        FSRef location;
        if (GetProcessBundleLocation(&psn, &location) == noErr &&
            FSCompareFSRefs(&location, &application) == noErr)
            return psn;
    }
    return std::nullopt;
}

// Starts the editor with the printer's connection; false when it cannot.
bool startWithConnection(CFURLRef application, CFStringRef printerAddress) {
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, application));
    CFRef<CFURLRef> executable(bundle ? CFBundleCopyExecutableURL(bundle.get()) : nullptr);
    char path[8192];
    if (!executable || !CFURLGetFileSystemRepresentation(
                           executable.get(), true, reinterpret_cast<UInt8*>(path), sizeof path))
        return false;
    char usb[] = "-SFAXConnectionType USB";
    char network[] = "-SFAXConnectionType NET";
    char address[256];
    char addressArgument[1024];
    std::vector<char*> arguments = {path};
    if (CFStringGetLength(printerAddress) == 0) {
        arguments.push_back(usb);
    } else {
        if (!CFStringGetCString(printerAddress, address, sizeof address, kCFStringEncodingASCII))
            return false;
        std::snprintf(addressArgument, sizeof addressArgument, "-SFAXAddress %s", address);
        arguments.push_back(network);
        arguments.push_back(addressArgument);
    }
    arguments.push_back(nullptr);
    return startDetached(path, arguments.data());
}

// The handler's result, or none when the editor could not be started.
std::optional<OSStatus> launchOrFront(CFBundleRef plugInBundle, CFStringRef printerAddress) {
    CFTypeRef identifier =
        CFBundleGetValueForInfoDictionaryKey(plugInBundle, CFSTR("AddressBookBundleIdentifier"));
    if (CFGetTypeID(identifier) != CFStringGetTypeID()) return std::nullopt;
    FSRef application;
    CFURLRef found = nullptr;
    if (LSFindApplicationForInfo(kLSUnknownCreator, static_cast<CFStringRef>(identifier), nullptr,
                                 &application, &found) != noErr)
        return std::nullopt;
    CFRef<CFURLRef> applicationURL(found);
    if (const auto running = runningProcessOf(application)) return SetFrontProcess(&*running);
    if (!printerAddress) {
        if (LSOpenCFURLRef(applicationURL.get(), nullptr) != noErr) return std::nullopt;
        return noErr;
    }
    if (!startWithConnection(applicationURL.get(), printerAddress)) return std::nullopt;
    return noErr;
}

} // namespace

OSStatus LaunchAddressBookEditorApplication(CFBundleRef plugInBundle, CFStringRef printerAddress) {
    if (const auto result = launchOrFront(plugInBundle, printerAddress)) return *result;
    AboutWindow::Present(plugInBundle, CFSTR("Address Book Editor not found."));
    return -1;
}

ForkProcedure SetAddressBookEditorForkProcedure(ForkProcedure procedure) {
    const ForkProcedure previous = forkProcedure;
    forkProcedure = procedure;
    return previous;
}
