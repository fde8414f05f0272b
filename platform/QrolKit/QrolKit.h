// The printer maker's address-book framework: address-book files on the local disk and the
// address data held on the fax device. Every call runs on the caller's thread; a device call
// returns within its bounded time-outs, never hanging the dialog.
//
// A data set (QROLDataRef) holds records of four kinds: device entries and groups (Fax,
// FaxGroup) read from the device, and file entries and groups (MyFax, MyFaxGroup) read from
// or to be added to an address-book file. Records are little-endian; their text fields are
// zero-terminated UTF-16LE of fixed size (name 66 bytes, fax number 102, company 130, memo 510).
#pragma once

#include <CFString.h>
#include <MacTypes.h>

#include <cstddef>

// Result codes. Any other non-zero value is a failure.
typedef UInt32 QrolResult;
enum : QrolResult {
    kQrolNoErr = 0,
    kQrolDeviceReady = 0x21000001,        // QrolDevice_GetStatus: the device answers
    kQrolErrPasswordRefused = 0x20000003, // QrolDevice_ReadData: the password was refused
    kQrolErrNoName = 0x20000008,          // an entry to add has an empty name
    kQrolErrAlreadyExists = 0x20000010,   // an entry to add equals a stored one (name and number)
    kQrolErrParam = 0x20000001,           // a null or out-of-range argument
    kQrolErrFile = 0x20000020,            // a file that is missing, locked, truncated or no book
    kQrolErrDevice = 0x20000040,          // the device cannot be reached, times out or garbles
    kQrolErrMemory = 0x20000080,          // no memory left
};

enum {
    kQrolNameFieldSize = 66,
    kQrolNumberFieldSize = 102,
    kQrolCompanyFieldSize = 130,
    kQrolMemoFieldSize = 510,
    kQrolFaxGroupMemberRoom = 200,
    kQrolMyFaxGroupMemberRoom = 37,
};

#pragma pack(push, 2)
// Device entry, 184 bytes.
struct QrolFaxRecord {
    SInt16 Id;
    UInt8 name[kQrolNameFieldSize];
    UInt8 faxNumber[kQrolNumberFieldSize];
    UInt8 reserved[14];
};
// Device group, 470 bytes.
struct QrolFaxGroupRecord {
    SInt16 Id;
    UInt8 name[kQrolNameFieldSize];
    UInt16 memberCount; // never above kQrolFaxGroupMemberRoom
    SInt16 memberIds[kQrolFaxGroupMemberRoom];
};
// Address-book file entry, 952 bytes.
struct QrolMyFaxRecord {
    SInt16 Id;
    UInt8 name[kQrolNameFieldSize];
    UInt8 faxNumber[kQrolNumberFieldSize];
    UInt8 company[kQrolCompanyFieldSize];
    UInt8 memo[kQrolMemoFieldSize];
    UInt8 reserved1[2];
    SInt64 creationTime; // seconds since 1970
    UInt8 reserved2[132];
};
// Address-book file group, 152 bytes.
struct QrolMyFaxGroupRecord {
    SInt16 Id;
    UInt8 name[kQrolNameFieldSize];
    UInt8 reserved[8];
    UInt16 memberCount; // never above kQrolMyFaxGroupMemberRoom
    SInt16 memberIds[kQrolMyFaxGroupMemberRoom];
};
#pragma pack(pop)

static_assert(sizeof(QrolFaxRecord) == 184 && offsetof(QrolFaxRecord, faxNumber) == 68);
static_assert(sizeof(QrolFaxGroupRecord) == 470 &&
              offsetof(QrolFaxGroupRecord, memberCount) == 68 &&
              offsetof(QrolFaxGroupRecord, memberIds) == 70);
static_assert(sizeof(QrolMyFaxRecord) == 952 && offsetof(QrolMyFaxRecord, company) == 170 &&
              offsetof(QrolMyFaxRecord, memo) == 300 &&
              offsetof(QrolMyFaxRecord, creationTime) == 812);
static_assert(sizeof(QrolMyFaxGroupRecord) == 152 &&
              offsetof(QrolMyFaxGroupRecord, memberCount) == 76 &&
              offsetof(QrolMyFaxGroupRecord, memberIds) == 78);

typedef struct OpaqueQROLData* QROLDataRef;

// The library: 0 when ready (options: 0).
QrolResult Qrol_Initialize(UInt32 options);

// Aims the device calls at the printer's network address (kind 1; a numeric IPv4 or IPv6
// address, link-local with "%" and its interface), or at no device (kind 0, null address).
void QrolDevice_SetDestinationDevice(UInt32 reserved, UInt32 kind, CFStringRef address);
// kQrolDeviceReady when the device answers its status request in time; a failure otherwise.
QrolResult QrolDevice_GetStatus(UInt32 reserved1, UInt32 reserved2);
// Reads the device's entries and groups into data (which it empties first), guarded by the
// password as typed (dataKind: 23, entries and groups). kQrolErrPasswordRefused for a refused
// password.
QrolResult QrolDevice_ReadData(UInt32 reserved, QROLDataRef data, UInt32 dataKind,
                               CFStringRef password);

// The folder of the address-book files (NV_ADDRESS_BOOK_DIR when set, else
// $XDG_DATA_HOME/NVSendraFax/AddressBooks, XDG's default ~/.local/share), made when missing;
// the caller releases it. Null when it cannot be made.
CFStringRef QrolGADFile_GetFileDirectory(void);
// The names of the address-book files in that folder, in name order, each followed by one
// U+0000; kept by the library until the next call (the caller does not release it). Null when
// there are none.
CFStringRef QrolGADFile_GetFileList(void);
// Replaces data's file entries and groups by those of the file at path (options: 0): at most
// 65535 of each, texts cut to their fields, a group's members to its record's room.
// kQrolErrFile for a file that is missing, locked past the busy time-out, damaged or not an
// address book, kQrolErrParam for a null argument: data is then left as it was.
QrolResult QrolGADFile_Read(CFStringRef path, QROLDataRef data, UInt32 options);
// Appends the data set's file entries to the file at path in one transaction, creating the file
// when it does not exist (options: 0); each gets the next Id. kQrolErrAlreadyExists when an
// entry's name and number equal a stored entry's, kQrolErrNoName for an empty name,
// kQrolErrParam for an empty number, kQrolErrFile as for Read or when the file has no Id left:
// then nothing is written.
QrolResult QrolGADFile_Add(CFStringRef path, QROLDataRef data, UInt32 options);

// A new, empty data set, or null; QROLData_Delete frees one (null is ignored).
QROLDataRef QROLData_Create(void);
void QROLData_Delete(QROLDataRef data);

// The number of records of each kind (0 for a null set).
UInt16 QROLData_GetCount_Fax(QROLDataRef data);
UInt16 QROLData_GetCount_FaxGroup(QROLDataRef data);
UInt16 QROLData_GetCount_MyFax(QROLDataRef data);
UInt16 QROLData_GetCount_MyFaxGroup(QROLDataRef data);

// Copies record index (0-based) into the caller's record; kQrolErrParam for a null set or
// record, or an index out of range.
QrolResult QROLData_GetAt_Fax(QROLDataRef data, UInt16 index, QrolFaxRecord* record);
QrolResult QROLData_GetAt_FaxGroup(QROLDataRef data, UInt16 index, QrolFaxGroupRecord* record);
QrolResult QROLData_GetAt_MyFax(QROLDataRef data, UInt16 index, QrolMyFaxRecord* record);
QrolResult QROLData_GetAt_MyFaxGroup(QROLDataRef data, UInt16 index, QrolMyFaxGroupRecord* record);

// Stores count file entries in the set, to be added to a file. kQrolErrNoName when one has an
// empty name, kQrolErrAlreadyExists when one shares name and number with another or with one
// already in the set, kQrolErrParam for an empty number or a text field without its zero
// unit: nothing is stored.
QrolResult QROLData_Add_MyFax(QROLDataRef data, UInt16 count, const QrolMyFaxRecord* records);
