// A fax device simulator process listening on loopback, for tests and benchmarks. It serves a
// data file's entries and groups behind a password; the process is stopped when the object goes.
#pragma once

#include <QProcess>

#include <string>
#include <vector>

class DeviceSimulator {
  public:
    // Starts the simulator on address (127.0.0.1 or ::1) at a free port, with more command-line
    // options (for example {"--mode", "slow"}); port() is 0 when it did not start.
    DeviceSimulator(const std::string& dataFile, const std::string& password,
                    const std::vector<std::string>& options = {},
                    const std::string& address = "127.0.0.1");
    ~DeviceSimulator();
    DeviceSimulator(const DeviceSimulator&) = delete;
    DeviceSimulator& operator=(const DeviceSimulator&) = delete;

    int port() const { return port_; }
    // The simulator's request lines ("GET /status 200"), once it has written at least count of
    // them or after five seconds.
    std::vector<std::string> requestLog(size_t count);

  private:
    QProcess process_;
    int port_ = 0;
    std::vector<std::string> log_;
};
