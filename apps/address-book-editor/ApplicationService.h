// The editor on the session bus: the well-known name of its bundle identifier
// (com.norvale.qrt.SendraFaxAddressBookEditor) with org.freedesktop.Application at
// /com/norvale/qrt/SendraFaxAddressBookEditor, as the desktop's D-Bus activation and the fax
// pane's fronting expect. The first editor takes the name; a later start hands its arguments
// to it and ends.
#pragma once

#include "CommandLine.h"

#include <QDBusAbstractAdaptor>
#include <QVariantList>
#include <QVariantMap>

inline constexpr char kEditorBusName[] = "com.norvale.qrt.SendraFaxAddressBookEditor";
inline constexpr char kEditorObjectPath[] = "/com/norvale/qrt/SendraFaxAddressBookEditor";
// The action that shows a printer's device: parameters connection type and address.
inline constexpr char kShowDeviceAction[] = "show-device";

class ApplicationService : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
  public:
    explicit ApplicationService(QObject* application);

    // Takes the bus name for this process: true when it now has it or there is no session bus
    // (the editor then runs alone).
    bool registerOnBus();

  public slots:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

  signals:
    void activated();
    void openRequested(const QStringList& paths);
    void deviceRequested(const QString& connectionType, const QString& address);
};

// Hands the arguments to the editor that has the bus name: Open for book files, the device
// action for a connection, else Activate. False when no editor answers within 3 seconds.
bool forwardToRunningEditor(const EditorOptions& options);
