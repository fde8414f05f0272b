// The address window's two sources: the address-book file chosen on the fax settings sheet and
// the device's own address data, each read through the address-book framework into its source
// list (individuals in stored order, then groups) and shown through the search filter; and the
// expansion of a group into the entries of its members.
#include "AddressSettingWindow.h"

#include "AddressEntry.h"
#include "UTF16LEFields.h"

#include <AboutWindow.h>
#include <CBrowserListView.h>
#include <ControlDefinitionTables.h>
#include <LocalizedTitle.h>
#include <PlugInIdentity.h>

#include <Appearance.h>
#include <CFNumber.h>
#include <QrolKit.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

const char kFilePrefix[] = "AddressSettingWindow::InitAddressBookTableView - ";
const char kDevicePrefix[] = "AddressSettingWindow::InitDeviceDataTableView - ";

void Report(const char* prefix, const char* what) {
    std::fprintf(stderr, "%s%s", prefix, what);
}

struct DataSetDeleter {
    void operator()(OpaqueQROLData* data) const { QROLData_Delete(data); }
};
using DataSet = std::unique_ptr<OpaqueQROLData, DataSetDeleter>;

// The watch cursor while the device is asked, which can take seconds.
class WatchCursor {
  public:
    WatchCursor() { SetThemeCursor(kThemeWatchCursor); }
    ~WatchCursor() { SetThemeCursor(kThemeArrowCursor); }
    WatchCursor(const WatchCursor&) = delete;
    WatchCursor& operator=(const WatchCursor&) = delete;
};

QrolResult AskDeviceStatus() {
    WatchCursor busy;
    return QrolDevice_GetStatus(0, 0);
}

QrolResult ReadDeviceData(QROLDataRef data, CFStringRef password) {
    WatchCursor busy;
    return QrolDevice_ReadData(0, data, 23, password);
}

// Why an entry could not be built: the text after the loader's prefix; null when it was built.
using EntryFault = const char*;
constexpr EntryFault kDictFault = "dict is NULL.\n";
constexpr EntryFault kNumberFault = "tempNumber is NULL.\n";
constexpr EntryFault kStringFault = "tempString is NULL.\n";

template <size_t Size> CFRef<CFStringRef> FieldString(const UInt8 (&field)[Size]) {
    return CFRef<CFStringRef>(CreateCFStringFromUTF16LEString(field, Size));
}

// A field's text, or "" for an empty field.
template <size_t Size> CFRef<CFStringRef> OptionalFieldString(const UInt8 (&field)[Size]) {
    CFRef<CFStringRef> text = FieldString(field);
    return text ? text : CFRef<CFStringRef>::retained(CFSTR(""));
}

CFRef<CFMutableDictionaryRef> NewEntry() {
    return CFRef<CFMutableDictionaryRef>(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
}

// Sets the entry's "NAME"; false without a name (an empty or unreadable field).
bool SetName(CFMutableDictionaryRef entry, const CFRef<CFStringRef>& name) {
    if (!name) return false;
    CFDictionarySetValue(entry, kAddressNameKey, name.get());
    return true;
}

EntryFault SetId(CFMutableDictionaryRef entry, SInt16 id) {
    CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt16Type, &id));
    if (!number) return kNumberFault;
    CFDictionarySetValue(entry, kAddressIdKey, number.get());
    return nullptr;
}

// The group's member Ids as an array of numbers (a number that cannot be made is skipped);
// never more than the record has room for.
CFRef<CFMutableArrayRef> MemberIds(const SInt16* ids, UInt16 count, UInt16 room) {
    CFRef<CFMutableArrayRef> list(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    if (!list) return list;
    for (UInt16 i = 0; i < std::min(count, room); ++i) {
        const SInt16 id = ids[i];
        if (CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt16Type, &id)); number)
            CFArrayAppendValue(list.get(), number.get());
    }
    return list;
}

template <class Record> EntryFault AppendIndividual(CFMutableArrayRef list, const Record& record) {
    CFRef<CFMutableDictionaryRef> entry = NewEntry();
    if (!entry) return kDictFault;
    if (EntryFault fault = SetId(entry.get(), record.Id)) return fault;
    CFRef<CFStringRef> number = FieldString(record.faxNumber);
    if (!SetName(entry.get(), FieldString(record.name)) || !number) return kStringFault;
    CFDictionarySetValue(entry.get(), kAddressNumberKey, number.get());
    if constexpr (requires { record.company; }) {
        CFDictionarySetValue(entry.get(), kAddressCompanyKey,
                             OptionalFieldString(record.company).get());
        CFDictionarySetValue(entry.get(), kAddressMemoKey, OptionalFieldString(record.memo).get());
    }
    CFArrayAppendValue(list, entry.get());
    return nullptr;
}

template <class Record, UInt16 Room>
EntryFault AppendGroup(CFMutableArrayRef list, const Record& record) {
    CFRef<CFMutableDictionaryRef> entry = NewEntry();
    if (!entry) return kDictFault;
    if (!SetName(entry.get(), FieldString(record.name))) return kStringFault;
    CFDictionarySetValue(entry.get(), kAddressNumberKey, kAddressGroupNumber);
    if (CFRef<CFMutableArrayRef> members = MemberIds(record.memberIds, record.memberCount, Room))
        CFDictionarySetValue(entry.get(), kAddressMemberIdsKey, members.get());
    CFArrayAppendValue(list, entry.get());
    return nullptr;
}

// Appends an entry for every record of one kind of the data set, asking the count before each;
// false (the message written) when a record cannot be fetched or its entry cannot be built.
template <class Record>
bool AppendRecords(QROLDataRef data, UInt16 (*count)(QROLDataRef),
                   QrolResult (*getAt)(QROLDataRef, UInt16, Record*),
                   EntryFault (*append)(CFMutableArrayRef, const Record&), CFMutableArrayRef list,
                   const char* prefix, const char* fetchFault) {
    for (UInt16 index = 0; index < count(data); ++index) {
        Record record = {};
        if (getAt(data, index, &record) != kQrolNoErr) {
            Report(prefix, fetchFault);
            return false;
        }
        if (EntryFault fault = append(list, record)) {
            Report(prefix, fault);
            return false;
        }
    }
    return true;
}

// Shows "Device Access Failure" and the detail in the message window; nothing when either
// text cannot be had.
void ShowDeviceAlert(CFStringRef detailKey) {
    CFBundleRef bundle = GetAppBundleRef();
    CFRef<CFStringRef> title = CopyLocalizedTitle(bundle, CFSTR("Device Access Failure"));
    CFRef<CFStringRef> detail = CopyLocalizedTitle(bundle, detailKey);
    if (!title || !detail) return;
    CFRef<CFStringRef> message(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@\n%@"), title.get(), detail.get()));
    if (message) AboutWindow::Present(bundle, message.get());
}

void ShowRetrievalAlert() {
    ShowDeviceAlert(CFSTR("Failed to retrieve data"));
}

void ShowPasswordAlert() {
    ShowDeviceAlert(CFSTR("Invalid Password"));
}

} // namespace

SInt32 AddressSettingWindow::InitAddressBookTableView() {
    if (!addressBookList_) {
        Report(kFilePrefix, "addressBookAddressList is NULL.\n");
        return -1;
    }
    CFArrayRemoveAllValues(addressBookList_.get());
    addressBookSrcView_->ClearItems();

    DataSet data(QROLData_Create());
    if (!data) {
        Report(kFilePrefix, "QROLData_Create() failed.\n");
        return -1;
    }
    CBaseControl* popup =
        GetParentPane() ? GetParentPane()->GetPanelControl(&addressFilePopupListCtrlID) : nullptr;
    auto path = static_cast<CFStringRef>(popup ? popup->GetValueFromUI() : nullptr);
    if (!path) {
        Report(kFilePrefix, "Address Book file not found.\n");
        AboutWindow::Present(GetAppBundleRef(), CFSTR("Address Book file is none"));
        return -1;
    }
    if (QrolGADFile_Read(path, data.get(), 0) != kQrolNoErr) return 0; // the tab stays empty

    if (!AppendRecords<QrolMyFaxRecord>(data.get(), QROLData_GetCount_MyFax, QROLData_GetAt_MyFax,
                                        AppendIndividual, addressBookList_.get(), kFilePrefix,
                                        "QROLData_GetAt_MyFax failed.\n") ||
        !AppendRecords<QrolMyFaxGroupRecord>(
            data.get(), QROLData_GetCount_MyFaxGroup, QROLData_GetAt_MyFaxGroup,
            AppendGroup<QrolMyFaxGroupRecord, kQrolMyFaxGroupMemberRoom>, addressBookList_.get(),
            kFilePrefix, "QROLData_GetAt_MyFaxGroup failed.\n"))
        return -1;
    UpdateTableView(addressBookSrcView_);
    return 0;
}

SInt32 AddressSettingWindow::InitDeviceDataTableView() {
    if (deviceList_) CFArrayRemoveAllValues(deviceList_.get());
    deviceDataSrcView_->ClearItems();

    if (Qrol_Initialize(0) != kQrolNoErr) {
        Report(kDevicePrefix, "Qrol_Initialize() failed.\n");
        return -1;
    }
    if (!printerAddress_) {
        Report(kDevicePrefix, "Device type cannot be resolved.");
        ShowRetrievalAlert();
        return 0;
    }
    if (CFStringGetLength(printerAddress_.get()) > 0)
        QrolDevice_SetDestinationDevice(0, 1, printerAddress_.get());
    else
        QrolDevice_SetDestinationDevice(0, 0, nullptr);
    if (AskDeviceStatus() != kQrolDeviceReady) {
        Report(kDevicePrefix, "QrolDevice_GetStatus() failed.\n");
        ShowRetrievalAlert();
        return 0;
    }
    DataSet data(QROLData_Create());
    if (!data) {
        Report(kDevicePrefix, "QROLData_Create() failed.\n");
        ShowRetrievalAlert();
        return -1;
    }
    if (!password_) {
        ShowPasswordAlert();
        return 0;
    }
    if (QrolResult result = ReadDeviceData(data.get(), password_.get()); result != kQrolNoErr) {
        if (result == kQrolErrPasswordRefused)
            ShowPasswordAlert();
        else
            ShowRetrievalAlert();
        return 0;
    }

    if (!deviceList_ ||
        !AppendRecords<QrolFaxRecord>(data.get(), QROLData_GetCount_Fax, QROLData_GetAt_Fax,
                                      AppendIndividual, deviceList_.get(), kDevicePrefix,
                                      "QROLData_GetAt_Fax() failed.\n") ||
        !AppendRecords<QrolFaxGroupRecord>(
            data.get(), QROLData_GetCount_FaxGroup, QROLData_GetAt_FaxGroup,
            AppendGroup<QrolFaxGroupRecord, kQrolFaxGroupMemberRoom>, deviceList_.get(),
            kDevicePrefix, "QROLData_GetAt_FaxGroup failed.\n"))
        return -1;
    UpdateTableView(deviceDataSrcView_);
    return 0;
}

CFMutableArrayRef AddressSettingWindow::CopyUserListFromGroup(CFDictionaryRef group,
                                                              CFArrayRef list) {
    if (!group || !list) return nullptr;
    CFTypeRef memberIds = CFDictionaryGetValue(group, kAddressMemberIdsKey);
    if (!memberIds || CFGetTypeID(memberIds) != CFArrayGetTypeID()) return nullptr;
    auto ids = static_cast<CFArrayRef>(memberIds);
    CFRef<CFMutableArrayRef> pending(CFArrayCreateMutableCopy(nullptr, 0, ids));
    CFRef<CFMutableArrayRef> members(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    if (!pending || !members) return nullptr;

    for (CFIndex i = 0, count = CFArrayGetCount(list); i < count; ++i) {
        CFDictionaryRef entry = AsAddressEntry(CFArrayGetValueAtIndex(list, i));
        if (!entry) return nullptr;
        if (IsGroupEntry(entry)) continue;
        CFTypeRef id = CFDictionaryGetValue(entry, kAddressIdKey);
        if (!id) return nullptr;
        const CFIndex at = CFArrayGetFirstIndexOfValue(
            pending.get(), CFRangeMake(0, CFArrayGetCount(pending.get())), id);
        if (at == kCFNotFound) continue;
        CFArrayAppendValue(members.get(), entry);
        CFArrayRemoveValueAtIndex(pending.get(), at);
    }
    if (CFArrayGetCount(pending.get()) != 0) return nullptr;
    return members.release();
}
