// A fax device's address service for tests and the demo: serves the entries and groups of a
// data file, guarded by a password, and can play a device that is not ready, slow, drops the
// connection or answers garbage. Its first line on standard output says where it listens; then
// one line per request (method, target, status; never a header).
#include <QrolDeviceProtocol.h>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

namespace {

constexpr char kUsage[] =
    "Usage: fax-device-simulator --data FILE --password PASSWORD [--address ADDRESS] [--port N]\n"
    "                            [--mode ready|not-ready|slow|drop|malformed] [--delay SECONDS]\n"
    "  --data      a JSON file {\"entries\": [{\"id\", \"name\", \"number\"}...],\n"
    "                           \"groups\": [{\"id\", \"name\", \"members\": [ids]}...]}\n"
    "  --address   where to listen (default 127.0.0.1; ::1 for IPv6)\n"
    "  --port      default 0: any free port\n"
    "  --mode      not-ready: the status is busy; slow: every answer waits --delay seconds\n"
    "              (default 10); drop: the address answer breaks off; malformed: the address\n"
    "              answer is cut JSON\n";

enum class Mode { Ready, NotReady, Slow, Drop, Malformed };

struct Options {
    std::string dataFile;
    std::string password;
    std::string address = "127.0.0.1";
    int port = 0;
    Mode mode = Mode::Ready;
    int delaySeconds = 10;
};

std::optional<Mode> ParseMode(std::string_view name) {
    if (name == "ready") return Mode::Ready;
    if (name == "not-ready") return Mode::NotReady;
    if (name == "slow") return Mode::Slow;
    if (name == "drop") return Mode::Drop;
    if (name == "malformed") return Mode::Malformed;
    return std::nullopt;
}

std::optional<int> ParseNumber(const char* text, int low, int high) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 == argc) return std::nullopt;
        const char* value = argv[i + 1];
        if (name == "--data") {
            options.dataFile = value;
        } else if (name == "--password") {
            options.password = value;
        } else if (name == "--address") {
            options.address = value;
        } else if (name == "--port") {
            const auto port = ParseNumber(value, 0, 65535);
            if (!port) return std::nullopt;
            options.port = *port;
        } else if (name == "--mode") {
            const auto mode = ParseMode(value);
            if (!mode) return std::nullopt;
            options.mode = *mode;
        } else if (name == "--delay") {
            const auto delay = ParseNumber(value, 0, 3600);
            if (!delay) return std::nullopt;
            options.delaySeconds = *delay;
        } else {
            return std::nullopt;
        }
    }
    if (options.dataFile.empty() || options.password.empty()) return std::nullopt;
    return options;
}

// The data file's content as the address answer; nullopt when the file cannot be read or
// holds no JSON. Its entries and groups are served as they are, right or wrong.
std::optional<std::string> LoadAddressAnswer(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream content;
    content << file.rdbuf();
    const auto data = nlohmann::json::parse(content.str(), nullptr, false);
    if (data.is_discarded()) return std::nullopt;
    return data.dump();
}

void ServeAddresses(const Options& options, const std::string& answer,
                    const httplib::Request& request, httplib::Response& response) {
    if (!request.has_header(kQrolDevicePasswordField)) {
        response.status = 401;
        return;
    }
    if (request.get_header_value(kQrolDevicePasswordField) != options.password) {
        response.status = 403;
        return;
    }
    const std::string_view firstHalf = std::string_view(answer).substr(0, answer.size() / 2);
    switch (options.mode) {
    case Mode::Drop:
        // Promises the whole answer, sends half of it and closes the connection.
        response.set_content_provider(answer.size(), "application/json",
                                      [firstHalf](size_t, size_t, httplib::DataSink& sink) {
                                          sink.write(firstHalf.data(), firstHalf.size());
                                          return false;
                                      });
        return;
    case Mode::Malformed:
        response.set_content(std::string(firstHalf), "application/json");
        return;
    default:
        response.set_content(answer, "application/json");
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = ParseOptions(argc, argv);
    if (!parsed) {
        std::cerr << kUsage;
        return 2;
    }
    const Options& options = *parsed;
    const std::optional<std::string> answer = LoadAddressAnswer(options.dataFile);
    if (!answer) {
        std::cerr << "fax-device-simulator: " << options.dataFile << " is no readable JSON file.\n";
        return 1;
    }

    httplib::Server server;
    server.set_pre_routing_handler([&](const httplib::Request&, httplib::Response&) {
        if (options.mode == Mode::Slow)
            std::this_thread::sleep_for(std::chrono::seconds(options.delaySeconds));
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get(kQrolDeviceStatusPath, [&](const httplib::Request&, httplib::Response& response) {
        const bool ready = options.mode != Mode::NotReady;
        response.status = ready ? 200 : 503;
        const nlohmann::json status = {{"state", ready ? kQrolDeviceReadyState : "busy"}};
        response.set_content(status.dump(), "application/json");
    });
    server.Get(kQrolDeviceAddressesPath,
               [&](const httplib::Request& request, httplib::Response& response) {
                   ServeAddresses(options, *answer, request, response);
               });
    server.set_logger([](const httplib::Request& request, const httplib::Response& response) {
        std::printf("%s %s %d\n", request.method.c_str(), request.target.c_str(), response.status);
        std::fflush(stdout);
    });

    const int port = options.port == 0
                         ? server.bind_to_any_port(options.address)
                         : (server.bind_to_port(options.address, options.port) ? options.port : -1);
    if (port < 0) {
        std::cerr << "fax-device-simulator: cannot listen on " << options.address << " port "
                  << options.port << ".\n";
        return 1;
    }
    std::printf("Listening on %s port %d\n", options.address.c_str(), port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
