// A stand-in application for the launch tests. It appends its argument vector, one argument a
// line and then a line "--", to the file that $NV_EDITOR_RECORD names. With $NV_EDITOR_STAY
// set it then stays until it is ended; with $NV_EDITOR_SERVE set to an application id it
// instead serves org.freedesktop.Application for that id on the session bus and records each
// Activate call as an entry of the one line "Activate".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

void record(const std::vector<std::string>& entry) {
    if (const char* file = std::getenv("NV_EDITOR_RECORD")) {
        std::ofstream out(file, std::ios::app);
        for (const std::string& line : entry)
            out << line << '\n';
        out << "--" << std::endl;
    }
}

class Application : public QDBusVirtualObject {
  public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != QLatin1String("org.freedesktop.Application") ||
            message.member() != QLatin1String("Activate"))
            return false;
        record({"Activate"});
        return connection.send(message.createReply());
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    if (const char* id = std::getenv("NV_EDITOR_SERVE")) {
        QCoreApplication application(argc, argv);
        QDBusConnection bus = QDBusConnection::sessionBus();
        Application served;
        const QString path = QLatin1Char('/') + QString::fromUtf8(id).replace('.', '/');
        if (!bus.registerVirtualObject(path, &served) || !bus.registerService(id)) return 1;
        record(arguments); // once it can be reached
        return application.exec();
    }
    record(arguments);
    if (std::getenv("NV_EDITOR_STAY")) pause();
    return 0;
}
