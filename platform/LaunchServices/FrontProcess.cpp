// SetFrontProcess: the desktop's standard activation of the application a process runs.
#include "DesktopEntries.h"
#include "Processes.h"

#include <CFRef.h>

#include <QAtomicInt>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>

#include <climits>
#include <cstdio>

namespace {

constexpr int kActivationTimeoutMilliseconds = 3000;

// $DBUS_SESSION_BUS_ADDRESS, else the user's bus socket in $XDG_RUNTIME_DIR; empty when there
// is neither. The bus is never started on demand.
QString sessionBusAddress() {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty()) return address;
    const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") && QFileInfo::exists(socket))
        return QStringLiteral("unix:path=") + socket;
    return {};
}

// The object of an application on the bus: its id with '.' as '/' and '-' as '_'.
QString objectPathOf(const QString& id) {
    QString path = QStringLiteral("/") + id;
    return path.replace(u'.', u'/').replace(u'-', u'_');
}

// The desktop entry of the application the process runs.
std::optional<launch_services::DesktopEntry> entryOfProcess(const ProcessSerialNumber* psn) {
    FSRef location;
    if (GetProcessBundleLocation(psn, &location) != noErr) return std::nullopt;
    CFRef<CFURLRef> url(CFURLCreateFromFSRef(nullptr, &location));
    char path[PATH_MAX];
    if (!url || !CFURLGetFileSystemRepresentation(url.get(), true, reinterpret_cast<UInt8*>(path),
                                                  sizeof path))
        return std::nullopt;
    return launch_services::findDesktopEntryForLocation(path);
}

// Activate on a private connection of this call's own, so that the bus address is read anew
// each time and no connection outlives the call.
OSErr activate(const QString& address, const QString& id) {
    static QAtomicInt connections;
    const QString name = QStringLiteral("LaunchServices-activation-%1").arg(connections++);
    OSErr result = connectionInvalid;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        if (bus.isConnected()) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                id, objectPathOf(id), QStringLiteral("org.freedesktop.Application"),
                QStringLiteral("Activate"));
            call << QVariantMap();
            const QDBusMessage reply = bus.call(call, QDBus::Block, kActivationTimeoutMilliseconds);
            if (reply.type() == QDBusMessage::ReplyMessage)
                result = noErr;
            else
                std::fprintf(stderr, "SetFrontProcess: %s cannot be activated: %s\n",
                             qPrintable(id), qPrintable(reply.errorMessage()));
        } else {
            std::fprintf(stderr, "SetFrontProcess: no session bus at %s\n", qPrintable(address));
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return result;
}

} // namespace

OSErr SetFrontProcess(const ProcessSerialNumber* PSN) {
    pid_t pid = 0;
    if (GetProcessPID(PSN, &pid) != noErr) return procNotFound;
    const auto entry = entryOfProcess(PSN);
    if (!entry || !entry->dbusActivatable) return appIsDaemon;
    const QString address = sessionBusAddress();
    if (address.isEmpty()) {
        std::fprintf(stderr, "SetFrontProcess: no session bus\n");
        return connectionInvalid;
    }
    return activate(address, QString::fromStdString(entry->id));
}
