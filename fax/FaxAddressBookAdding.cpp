// Add to Address Book: the selected recipients appended to the address-book file chosen in the
// sheet's file popup, with one message saying how it went.
#include "FaxSettingsWindow.h"

#include <AboutWindow.h>
#include <AddressEntry.h>
#include <AddressFilePopupList.h>
#include <CBrowserListView.h>
#include <PlugInIdentity.h>
#include <UTF16LEFields.h>

#include <CFDictionary.h>
#include <QrolKit.h>

#include <ctime>
#include <vector>

namespace {

CFStringRef MessageFor(QrolResult result) {
    switch (result) {
    case kQrolNoErr:
        return CFSTR("Added to Address Book");
    case kQrolErrAlreadyExists:
        return CFSTR("Address already exists.");
    case kQrolErrNoName:
        return CFSTR("No name specified.");
    default:
        return CFSTR("Cannot add to the file.");
    }
}

// The file entries of the recipients, stamped with the current time; kQrolErrNoName when one
// has no usable name, kQrolErrParam when a number does not fit its field.
QrolResult MakeFileEntries(CFArrayRef recipients, std::vector<QrolMyFaxRecord>& records) {
    const CFIndex count = CFArrayGetCount(recipients);
    records.assign(size_t(count), QrolMyFaxRecord{});
    const SInt64 now = SInt64(std::time(nullptr));
    for (CFIndex i = 0; i < count; ++i) {
        const auto* entry = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(recipients, i));
        const auto* name =
            entry ? static_cast<CFStringRef>(CFDictionaryGetValue(entry, kAddressNameKey))
                  : nullptr;
        const auto* number =
            entry ? static_cast<CFStringRef>(CFDictionaryGetValue(entry, kAddressNumberKey))
                  : nullptr;
        QrolMyFaxRecord& record = records[size_t(i)];
        if (!name || CFStringGetLength(name) == 0 ||
            !CFStringGetUTF16LECString(name, record.name, sizeof record.name))
            return kQrolErrNoName;
        if (!number ||
            !CFStringGetUTF16LECString(number, record.faxNumber, sizeof record.faxNumber))
            return kQrolErrParam;
        record.creationTime = now;
    }
    return kQrolNoErr;
}

} // namespace

OSStatus FaxSettingsWindow::AddToAddressBook(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    CFStringRef path = self->addressFilePopup_->GetSelectedFilePath();
    if (!path) return -1;
    QROLDataRef data = QROLData_Create();
    if (!data) return -1;

    const CFRef<CFMutableArrayRef> selected(self->recipientListView_->CopySelectedItems());
    QrolResult result = kQrolErrMemory;
    if (selected && CFArrayGetCount(selected.get()) > 0) {
        std::vector<QrolMyFaxRecord> records;
        result = MakeFileEntries(selected.get(), records);
        if (result == kQrolNoErr)
            result = QROLData_Add_MyFax(data, UInt16(records.size()), records.data());
        if (result == kQrolNoErr) result = QrolGADFile_Add(path, data, 0);
    }
    AboutWindow::Present(GetAppBundleRef(), MessageFor(result));
    QROLData_Delete(data);
    return noErr;
}
