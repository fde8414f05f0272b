#include "PrivateScheduler.h"

#include <cups/cups.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";
constexpr char kCupsExec[] = "/usr/lib/cups/daemon/cups-exec";
constexpr auto kStartTime = std::chrono::seconds(5);
constexpr auto kStopTime = std::chrono::seconds(3);
constexpr auto kJobTime = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(50);

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    return address;
}

// A port that was free a moment ago: the kernel's choice for a socket bound to port 0.
int freeLoopbackPort() {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return 0;
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(probe);
    return port;
}

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return bool(out.flush());
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

PrivateScheduler::PrivateScheduler(fs::path ppd, fs::path backend, SchedulerSetup setup)
    : ppd_(std::move(ppd)), backend_(std::move(backend)), setup_(std::move(setup)) {}

PrivateScheduler::~PrivateScheduler() {
    stop();
    std::error_code error;
    if (!root_.empty()) fs::remove_all(root_, error);
}

bool PrivateScheduler::writeConfiguration(std::string& whyNot) {
    std::string pattern = (fs::temp_directory_path() / "printcore-cupsd-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        whyNot = "no temporary folder";
        return false;
    }
    root_ = pattern;
    fs::permissions(root_, fs::perms(0755));
    // cupsd refuses to run its jobs as root: as root, it runs them as lp, which must own the
    // folders that jobs write.
    const passwd* lp = geteuid() == 0 ? getpwnam("lp") : nullptr;
    if (geteuid() == 0 && !lp) {
        whyNot = "there is no lp account for cupsd's jobs";
        return false;
    }
    for (const char* folder : {"conf/ppd", "bin/backend", "bin/daemon", "spool", "cache", "state",
                               "log", "tmp", "records"})
        fs::create_directories(root_ / folder);
    for (const char* folder : {"spool", "cache", "state", "log", "tmp", "records"}) {
        fs::permissions(root_ / folder, fs::perms(0755));
        if (lp && chown((root_ / folder).c_str(), lp->pw_uid, lp->pw_gid) != 0) {
            whyNot = "cannot hand the scheduler's folders to lp";
            return false;
        }
    }
    std::error_code error;
    fs::create_symlink(kCupsExec, root_ / "bin/daemon/cups-exec", error);
    fs::copy_file(backend_, root_ / "bin/backend/nvrecord", error);
    if (error) {
        whyNot = "cannot install the test backend: " + error.message();
        return false;
    }
    fs::permissions(root_ / "bin/backend/nvrecord", fs::perms(0755));
    // Without filters the queue passes plain text to the backend unconverted.
    std::string ppd = readText(ppd_) + "*cupsFilter: \"text/plain 0 -\"\n";
    port_ = freeLoopbackPort();
    std::string root = root_.string();
    std::string files = "ServerRoot " + root + "/conf\nServerBin " + root +
                        "/bin\nDataDir /usr/share/cups\nRequestRoot " + root + "/spool\nCacheDir " +
                        root + "/cache\nStateDir " + root + "/state\nTempDir " + root +
                        "/tmp\nAccessLog " + root + "/log/access_log\nErrorLog " + root +
                        "/log/error_log\nPageLog " + root + "/log/page_log\nFileDevice No\n";
    if (lp) files += "User lp\nGroup lp\n";
    if (getgrnam("lpadmin")) files += "SystemGroup lpadmin\n";
    std::string daemon = "Listen 127.0.0.1:" + std::to_string(port_) +
                         "\nLogLevel debug\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                         "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                         "<Policy default>\n";
    if (!setup_.refusedOperation.empty())
        // Loopback clients pass every host rule: the operation is for a user nobody is.
        daemon += "<Limit " + setup_.refusedOperation + ">\nRequire user nobody-else\n</Limit>\n";
    daemon += "<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n";
    if (!setup_.records.empty()) {
        fs::create_directories(setup_.records, error);
        if (lp && chown(setup_.records.c_str(), lp->pw_uid, lp->pw_gid) != 0) {
            whyNot = "cannot hand the records folder to lp";
            return false;
        }
    }
    std::string printers =
        std::string("<DefaultPrinter ") + kQueue +
        ">\nInfo Test fax queue\nDeviceURI nvrecord:" + recordsFolder().string() +
        "\nState Idle\nAccepting Yes\nShared No\n"
        "JobSheets none none\nErrorPolicy abort-job\n" +
        (setup_.holdJobs ? "Option job-hold-until indefinite\n" : "") + "</DefaultPrinter>\n";
    if (port_ == 0 || !writeText(root_ / "conf/cups-files.conf", files) ||
        !writeText(root_ / "conf/cupsd.conf", daemon) ||
        !writeText(root_ / "conf/printers.conf", printers) ||
        !writeText(root_ / "conf/ppd" / (std::string(kQueue) + ".ppd"), ppd)) {
        whyNot = "cannot write the scheduler's configuration";
        return false;
    }
    return true;
}

bool PrivateScheduler::start(std::string& whyNot) {
    for (const char* program : {kCupsd, kCupsExec})
        if (access(program, X_OK) != 0) {
            whyNot = std::string(program) + " is missing (Debian package cups-daemon)";
            return false;
        }
    if (root_.empty() && !writeConfiguration(whyNot)) return false;
    std::string output = (root_ / "log/cupsd.out").string();
    std::string daemonConf = (root_ / "conf/cupsd.conf").string();
    std::string filesConf = (root_ / "conf/cups-files.conf").string();
    pid_ = fork();
    if (pid_ < 0) {
        whyNot = "fork failed";
        return false;
    }
    if (pid_ == 0) {
        sigset_t none; // whatever signals the caller holds back, cupsd takes its own
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        int log = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        execl(kCupsd, "cupsd", "-f", "-c", daemonConf.c_str(), "-s", filesConf.c_str(), nullptr);
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + kStartTime;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            whyNot = "cupsd stopped at once: " + logTail();
            return false;
        }
        if (answers()) return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    whyNot = "cupsd did not answer within 5 seconds: " + logTail();
    stop();
    return false;
}

void PrivateScheduler::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + kStopTime;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    pid_ = -1;
}

bool PrivateScheduler::removeQueue() const {
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_DELETE_PRINTER);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", port_,
                     "/printers/%s", kQueue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
    return cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

fs::path PrivateScheduler::recordsFolder() const {
    return setup_.records.empty() ? root_ / "records" : setup_.records;
}

std::string PrivateScheduler::address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

bool PrivateScheduler::answers() const {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return false;
    const sockaddr_in address = loopback(port_);
    bool connected =
        connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return connected;
}

std::string PrivateScheduler::waitForRecordedOptions() const {
    auto deadline = std::chrono::steady_clock::now() + kJobTime;
    fs::path options = root_ / "records" / "options";
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        if (fs::exists(options, error)) return readText(options);
        std::this_thread::sleep_for(kPollInterval);
    }
    return {};
}

std::string PrivateScheduler::logTail() const {
    std::string log = readText(root_ / "log/cupsd.out") + readText(root_ / "log/error_log");
    return log.size() > 2000 ? log.substr(log.size() - 2000) : log;
}

std::map<std::string, std::string> parseBackendOptions(const std::string& line) {
    cups_option_t* parsed = nullptr;
    const int count = cupsParseOptions(line.c_str(), 0, &parsed);
    std::map<std::string, std::string> options;
    for (int i = 0; i < count; ++i)
        options[parsed[i].name] = parsed[i].value;
    cupsFreeOptions(count, parsed);
    return options;
}
