// The device tab: the fax device's entries and groups, read-only, read with the device
// password from the printer's network address (given by the fax pane or typed). Chosen
// entries can be copied into the open book. A USB printer, or no address, is not reachable
// over the network, and the tab says so.
#pragma once

#include "DeviceReader.h"

#include <QFutureWatcher>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class DeviceTab : public QWidget {
    Q_OBJECT
  public:
    explicit DeviceTab(QWidget* parent = nullptr);

    // The printer's connection as the fax pane hands it: "USB", or "NET" with an address.
    void setConnection(const QString& type, const QString& address);
    QString address() const;
    void setCopyEnabled(bool bookOpen);

  signals:
    // The user asked to copy these device entries into the open book.
    void copyRequested(const QList<DeviceEntry>& entries);

  private:
    void read();
    void showData(const DeviceData& data);
    void updateState();
    void promptForPassword();

    QLineEdit* address_;
    QLineEdit* password_;
    QPushButton* readButton_;
    QLabel* status_;
    QTreeWidget* list_;
    QPushButton* copy_;
    QFutureWatcher<DeviceData> reading_;
    QList<DeviceEntry> entries_;
    bool usb_ = false;
    bool bookOpen_ = false;
};
