#include "ApplicationService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kForwardTimeoutMs = 3000;
constexpr char kInterface[] = "org.freedesktop.Application";

// Lets the window come to the front on desktops that hand over an activation token.
void takeActivationToken(const QVariantMap& platformData) {
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    const QString startup = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    if (!startup.isEmpty()) qputenv("DESKTOP_STARTUP_ID", startup.toUtf8());
}

// A parameter of an action: a variant, as D-Bus hands it over.
QString textOf(const QVariant& parameter) {
    return parameter.canConvert<QDBusVariant>()
               ? qvariant_cast<QDBusVariant>(parameter).variant().toString()
               : parameter.toString();
}

} // namespace

ApplicationService::ApplicationService(QObject* application) : QDBusAbstractAdaptor(application) {}

bool ApplicationService::registerOnBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return true;
    bus.registerObject(QLatin1String(kEditorObjectPath), parent(), QDBusConnection::ExportAdaptors);
    const auto reply = bus.interface()->registerService(
        QLatin1String(kEditorBusName), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

void ApplicationService::Activate(const QVariantMap& platformData) {
    takeActivationToken(platformData);
    emit activated();
}

void ApplicationService::Open(const QStringList& uris, const QVariantMap& platformData) {
    takeActivationToken(platformData);
    QStringList paths;
    for (const QString& uri : uris) {
        const QUrl url(uri);
        paths += url.isLocalFile() ? url.toLocalFile() : uri;
    }
    emit openRequested(paths);
}

void ApplicationService::ActivateAction(const QString& name, const QVariantList& parameter,
                                        const QVariantMap& platformData) {
    takeActivationToken(platformData);
    if (name == QLatin1String(kShowDeviceAction))
        emit deviceRequested(textOf(parameter.value(0)), textOf(parameter.value(1)));
    else
        emit activated();
}

bool forwardToRunningEditor(const EditorOptions& options) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    auto call = [&](const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(QLatin1String(kEditorBusName),
                                                              QLatin1String(kEditorObjectPath),
                                                              QLatin1String(kInterface), method);
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, kForwardTimeoutMs).type() ==
               QDBusMessage::ReplyMessage;
    };
    bool delivered = true;
    if (!options.books.isEmpty()) {
        QStringList uris;
        for (const QString& book : options.books)
            uris += QUrl::fromLocalFile(QFileInfo(book).absoluteFilePath()).toString();
        delivered = call(QStringLiteral("Open"), {uris, QVariantMap()});
    }
    if (!options.connectionType.isEmpty() || !options.deviceAddress.isEmpty())
        delivered = delivered &&
                    call(QStringLiteral("ActivateAction"),
                         {QLatin1String(kShowDeviceAction),
                          QVariantList{QVariant::fromValue(QDBusVariant(options.connectionType)),
                                       QVariant::fromValue(QDBusVariant(options.deviceAddress))},
                          QVariantMap()});
    if (options.books.isEmpty() && options.connectionType.isEmpty() &&
        options.deviceAddress.isEmpty())
        delivered = call(QStringLiteral("Activate"), {QVariantMap()});
    return delivered;
}
