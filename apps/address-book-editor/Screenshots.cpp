#include "Screenshots.h"

#include "ContactFiles.h"
#include "DeviceTab.h"
#include "EntryDialog.h"
#include "ImportDialog.h"
#include "ImportPlan.h"
#include "MainWindow.h"
#include "ProductFiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {

// Longer than the device's own bounded waits, so a read in progress always ends first.
constexpr int kDeviceReadLimitMs = 20000;

class Pictures {
  public:
    explicit Pictures(const QString& folder) : folder_(folder) { QDir().mkpath(folder); }

    void save(QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        const QString file = folder_.filePath(QLatin1String(name) + QLatin1String(".png"));
        if (widget.grab().save(file)) {
            std::printf("Saved %s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "address-book-editor: cannot save %s\n", qPrintable(file));
            failed_ = true;
        }
    }
    int status() const { return failed_ ? 1 : 0; }

  private:
    QDir folder_;
    bool failed_ = false;
};

template <typename Widget> Widget* byName(QWidget& window, const QString& accessibleName) {
    for (Widget* widget : window.findChildren<Widget*>())
        if (widget->accessibleName() == accessibleName) return widget;
    return nullptr;
}

// Types the password into the device tab and reads the device as a user would, waiting (within
// a bound) until the read has ended.
void readDevice(MainWindow& window, const QString& password) {
    auto* field = byName<QLineEdit>(window, QStringLiteral("Device Password"));
    QPushButton* read = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == DeviceTab::tr("Read Device")) read = button;
    if (!field || !read || !read->isEnabled()) return;
    field->setText(password);
    read->click();
    const QDeadlineTimer deadline(kDeviceReadLimitMs);
    while (!read->isEnabled() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

} // namespace

int saveScreenshots(MainWindow& window, const EditorOptions& options) {
    Pictures pictures(options.screenshotFolder);
    const QString bookPath = options.books.isEmpty() ? QString() : options.books.constFirst();
    if (!bookPath.isEmpty()) window.openBookFile(bookPath);
    window.present();
    pictures.save(window, "address-book-editor");

    EntryDialog refusing(EntryDialog::tr("New Entry"),
                         BookEntry{0, QStringLiteral("Amelia Brooks"),
                                   QStringLiteral("+44 161 496 07x2"), QString(), QString(), 0},
                         {}, &window);
    pictures.save(refusing, "address-book-editor-entry-refused");
    refusing.close();

    BookContents book;
    AddressBook(bookPath).read(book);
    const QString sample =
        productDataFile(QStringLiteral("SampleContacts.vcf"), NV_SAMPLE_CONTACTS);
    ImportDialog preview(sample, planImport(readContactFile(sample), book),
                         AddressBook(bookPath).name(), &window);
    pictures.save(preview, "address-book-editor-import-preview");
    preview.close();

    window.showDevice(options.connectionType, options.deviceAddress);
    if (const QByteArray password = qgetenv("NV_DEMO_DEVICE_PASSWORD"); !password.isEmpty())
        readDevice(window, QString::fromUtf8(password));
    pictures.save(window, "address-book-editor-device");
    return pictures.status();
}
