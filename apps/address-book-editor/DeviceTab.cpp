#include "DeviceTab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

DeviceTab::DeviceTab(QWidget* parent)
    : QWidget(parent), address_(new QLineEdit), password_(new QLineEdit),
      readButton_(new QPushButton(tr("Read Device"))), status_(new QLabel), list_(new QTreeWidget),
      copy_(new QPushButton(tr("Copy to Book"))) {
    address_->setAccessibleName(tr("Device Address"));
    address_->setPlaceholderText(tr("The printer's IP address"));
    password_->setAccessibleName(tr("Device Password"));
    password_->setEchoMode(QLineEdit::Password);
    status_->setAccessibleName(tr("Device Status"));
    status_->setWordWrap(true);
    list_->setAccessibleName(tr("Device Entries"));
    list_->setHeaderLabels({tr("Name"), tr("Fax Number")});
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setRootIsDecorated(true);
    list_->header()->setStretchLastSection(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Address:"), address_);
    form->addRow(tr("Password:"), password_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readButton_);
    buttons->addStretch();
    buttons->addWidget(copy_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(readButton_, &QPushButton::clicked, this, &DeviceTab::read);
    connect(password_, &QLineEdit::returnPressed, this, &DeviceTab::read);
    connect(address_, &QLineEdit::textEdited, this, [this] {
        usb_ = false;
        promptForPassword();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &DeviceTab::updateState);
    connect(&reading_, &QFutureWatcher<DeviceData>::finished, this,
            [this] { showData(reading_.result()); });
    connect(copy_, &QPushButton::clicked, this, [this] {
        QSet<int> chosen; // an entry chosen alone and within a group is copied once
        QList<DeviceEntry> copied;
        for (QTreeWidgetItem* item : list_->selectedItems()) {
            const int index = item->data(0, Qt::UserRole).toInt();
            if (index > 0 && !chosen.contains(index)) {
                chosen.insert(index);
                copied += entries_[index - 1];
            }
        }
        emit copyRequested(copied);
    });
    updateState();
}

void DeviceTab::setConnection(const QString& type, const QString& address) {
    address_->setText(type == QLatin1String("USB") ? QString() : address);
    usb_ = type == QLatin1String("USB");
    promptForPassword();
}

QString DeviceTab::address() const {
    return address_->text().trimmed();
}

void DeviceTab::setCopyEnabled(bool bookOpen) {
    bookOpen_ = bookOpen;
    updateState();
}

void DeviceTab::updateState() {
    const bool reachable = !address().isEmpty();
    readButton_->setEnabled(reachable && !reading_.isRunning());
    copy_->setEnabled(bookOpen_ && !list_->selectedItems().isEmpty());
    if (!reachable)
        status_->setText(usb_ ? tr("The printer is connected over USB: its device is not "
                                   "reachable over the network.")
                              : tr("No printer address: the device is not reachable over the "
                                   "network. Type its address to read it."));
}

void DeviceTab::promptForPassword() {
    if (!address().isEmpty())
        status_->setText(tr("Type the device password and read the device at %1.").arg(address()));
    updateState();
}

void DeviceTab::read() {
    if (address().isEmpty() || reading_.isRunning()) return;
    status_->setText(tr("Reading the device at %1...").arg(address()));
    reading_.setFuture(QtConcurrent::run(readDeviceData, address(), password_->text()));
    updateState();
}

void DeviceTab::showData(const DeviceData& data) {
    list_->clear();
    entries_ = data.entries;
    updateState();
    if (!data.failure.isEmpty()) {
        status_->setText(data.failure);
        return;
    }
    status_->setText(tr("%1 entries and %2 groups on the device at %3.")
                         .arg(data.entries.size())
                         .arg(data.groups.size())
                         .arg(address()));
    auto entryItem = [&](int index) {
        const DeviceEntry& entry = entries_[index];
        auto* item = new QTreeWidgetItem({entry.name, entry.number});
        item->setData(0, Qt::UserRole, index + 1);
        return item;
    };
    for (int i = 0; i < entries_.size(); ++i)
        list_->addTopLevelItem(entryItem(i));
    for (const DeviceGroup& group : data.groups) {
        auto* item = new QTreeWidgetItem({group.name, tr("Group of %1").arg(group.members.size())});
        item->setFlags(Qt::ItemIsEnabled);
        for (int member : group.members)
            for (int i = 0; i < entries_.size(); ++i)
                if (entries_[i].id == member) item->addChild(entryItem(i));
        list_->addTopLevelItem(item);
    }
    list_->resizeColumnToContents(0);
}
