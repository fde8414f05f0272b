// The COM-style interface conventions of plug-ins: IUnknown, HRESULT, interface IDs as bytes.
#pragma once

#include "CFPlugIn.h"

CF_EXTERN_C_BEGIN

typedef SInt32 HRESULT;
typedef UInt32 ULONG;
typedef void* LPVOID;
typedef CFUUIDBytes REFIID;

enum : HRESULT {
    S_OK = 0,
    E_NOINTERFACE = (HRESULT)0x80000004,
    E_UNEXPECTED = (HRESULT)0x8000FFFF,
};

#define IUnknownUUID                                                                               \
    CFUUIDGetConstantUUIDWithBytes(kCFAllocatorSystemDefault, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  \
                                   0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

#define IUNKNOWN_C_GUTS                                                                            \
    void* _reserved;                                                                               \
    HRESULT (*QueryInterface)(void* thisPointer, REFIID iid, LPVOID* ppv);                         \
    ULONG (*AddRef)(void* thisPointer);                                                            \
    ULONG (*Release)(void* thisPointer)

typedef struct IUnknownVTbl {
    IUNKNOWN_C_GUTS;
} IUnknownVTbl;

CF_EXTERN_C_END
