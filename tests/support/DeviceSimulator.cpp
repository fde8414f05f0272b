#include "DeviceSimulator.h"

#include <QDeadlineTimer>
#include <QStringList>

namespace {

constexpr int kStartMilliseconds = 5000;

// Reads whole lines until stop says enough or the deadline passes.
template <class Stop> void readLines(QProcess& process, QDeadlineTimer deadline, Stop stop) {
    while (!stop()) {
        if (deadline.hasExpired() || !process.waitForReadyRead(int(deadline.remainingTime())))
            return;
    }
}

} // namespace

DeviceSimulator::DeviceSimulator(const std::string& dataFile, const std::string& password,
                                 const std::vector<std::string>& options,
                                 const std::string& address) {
    QStringList arguments{"--data",     QString::fromStdString(dataFile),
                          "--password", QString::fromStdString(password),
                          "--address",  QString::fromStdString(address)};
    for (const std::string& option : options)
        arguments << QString::fromStdString(option);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(NV_FAX_DEVICE_SIMULATOR, arguments);
    if (!process_.waitForStarted(kStartMilliseconds)) return;

    // The first line says where it listens: "Listening on 127.0.0.1 port 41234".
    QString first;
    readLines(process_, QDeadlineTimer(kStartMilliseconds), [&] {
        if (!process_.canReadLine()) return false;
        first = QString::fromUtf8(process_.readLine()).trimmed();
        return true;
    });
    if (first.startsWith("Listening on ")) port_ = first.section(' ', -1).toInt();
}

DeviceSimulator::~DeviceSimulator() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(kStartMilliseconds);
}

std::vector<std::string> DeviceSimulator::requestLog(size_t count) {
    readLines(process_, QDeadlineTimer(kStartMilliseconds), [&] {
        while (process_.canReadLine())
            log_.push_back(QString::fromUtf8(process_.readLine()).trimmed().toStdString());
        return log_.size() >= count;
    });
    return log_;
}
