#include "PlugInTestSupport.h"

#include <PDEEntryPoints.h>
#include <PMPrintingDialogExtensions.h>

#include <gtest/gtest.h>

namespace {

CFIndex instanceCount() {
    return _CFPlugInGetInstanceCountForFactory(uuid("6C1E2A47-93B5-4D0E-8F21-5A7B3C9D4E10").get());
}

TEST(PlugInFactory, MakesOneRegisteredObjectForThePrinterModuleTypeOnly) {
    EXPECT_EQ(NVPDEPluginFactory(nullptr, uuid("A996FD7E-B738-11D3-8519-0050E4603277").get()),
              nullptr);
    EXPECT_EQ(NVPDEPluginFactory(nullptr, nullptr), nullptr);

    const CFIndex before = instanceCount();
    IUnknownVTbl** factory = makeFactoryObject();
    ASSERT_TRUE(factory);
    auto* object = reinterpret_cast<NVPDEFactoryObject*>(factory);
    EXPECT_EQ(object->refCount, 1u);
    EXPECT_EQ(object->vtable, &object->functions); // the table is the object's own words
    EXPECT_EQ(object->functions._reserved, nullptr);
    EXPECT_TRUE(CFEqual(object->factoryID, uuid("6C1E2A47-93B5-4D0E-8F21-5A7B3C9D4E10").get()));
    EXPECT_EQ(instanceCount(), before + 1);

    EXPECT_EQ((*factory)->Release(factory), 0u);
    EXPECT_EQ(instanceCount(), before);
}

// IUnknown is the factory object itself with one more reference; the extension interface is a
// new object each time, outliving the factory object; other interfaces are refused with null.
TEST(PlugInFactory, QueryInterfaceAnswersIUnknownAndTheExtensionOnly) {
    IUnknownVTbl** factory = makeFactoryObject();
    ASSERT_TRUE(factory);
    void* answer = nullptr;
    const CFUUIDBytes iunknown = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    EXPECT_EQ((*factory)->QueryInterface(factory, iunknown, &answer), S_OK);
    EXPECT_EQ(answer, factory);
    EXPECT_EQ((*factory)->AddRef(factory), 3u);
    EXPECT_EQ((*factory)->Release(factory), 2u);
    EXPECT_EQ((*factory)->Release(factory), 1u);

    EXPECT_EQ((*factory)->QueryInterface(
                  factory, CFUUIDGetUUIDBytes(uuid("BDB091F4-E57F-11D3-B5CC-0050E4603277").get()),
                  &answer),
              HRESULT(0x80000004));
    EXPECT_EQ(answer, nullptr);

    const CFUUIDBytes extensionID =
        CFUUIDGetUUIDBytes(uuid("A996FD7E-B738-11D3-8519-0050E4603277").get());
    PlugInIntf* first = nullptr;
    PlugInIntf* second = nullptr;
    EXPECT_EQ((*factory)->QueryInterface(factory, extensionID, reinterpret_cast<LPVOID*>(&first)),
              S_OK);
    EXPECT_EQ((*factory)->QueryInterface(factory, extensionID, reinterpret_cast<LPVOID*>(&second)),
              S_OK);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(reinterpret_cast<NVPDEInterfaceObject*>(first)->refCount, 1u);
    EXPECT_EQ((*factory)->Release(factory), 0u);
    releaseExtensionInterface(first);
    releaseExtensionInterface(second);
}

TEST(PlugInFactory, NullObjectsAndSpentCountsAreIgnored) {
    EXPECT_EQ(IUnknownAddRef(nullptr), 0u);
    EXPECT_EQ(IUnknownRelease(nullptr), 0u);
    NVPDEFactoryObject spent{};
    EXPECT_EQ(IUnknownRelease(&spent), 0u);
}

TEST(PDEInterface, TableHoldsTheTenEntriesInTheDialogsOrder) {
    PlugInIntf* extension = makeExtensionInterface();
    ASSERT_TRUE(extension);
    const PlugInIntfVTable& table = *extension->vtable;
    EXPECT_EQ(table.plugInHeader.Retain, &Retain);
    EXPECT_EQ(table.plugInHeader.Release, &Release);
    EXPECT_EQ(table.plugInHeader.GetAPIVersion, &GetAPIVersion);
    EXPECT_EQ(table.Prologue, &Prologue);
    EXPECT_EQ(table.Initialize, &Initialize);
    EXPECT_EQ(table.Sync, &Sync);
    EXPECT_EQ(table.GetSummaryText, &GetSummaryText);
    EXPECT_EQ(table.Open, &Open);
    EXPECT_EQ(table.Close, &Close);
    EXPECT_EQ(table.Terminate, &Terminate);

    auto* header = reinterpret_cast<PMPlugInHeaderInterface*>(extension);
    PMPlugInAPIVersion version = {9, 9, 9, 9};
    EXPECT_EQ(table.plugInHeader.GetAPIVersion(header, &version), noErr);
    EXPECT_EQ(version.buildVersionMajor, 1u);
    EXPECT_EQ(version.buildVersionMinor, 0u);
    EXPECT_EQ(version.baseVersionMajor, 1u);
    EXPECT_EQ(version.baseVersionMinor, 0u);
    releaseExtensionInterface(extension);
}

TEST(PDEInterface, ReleaseClearsTheCallersPointerAndFreesAtZero) {
    PlugInIntf* extension = makeExtensionInterface();
    ASSERT_TRUE(extension);
    auto* header = reinterpret_cast<PMPlugInHeaderInterface*>(extension);
    EXPECT_EQ(Retain(header), noErr);
    EXPECT_EQ(reinterpret_cast<NVPDEInterfaceObject*>(extension)->refCount, 2u);
    PMPlugInHeaderInterface* first = header;
    EXPECT_EQ(Release(&first), noErr);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(reinterpret_cast<NVPDEInterfaceObject*>(extension)->refCount, 1u);
    PMPlugInHeaderInterface* last = header;
    EXPECT_EQ(Release(&last), noErr); // freed: AddressSanitizer sees a leak or double free
    EXPECT_EQ(last, nullptr);

    PMPlugInHeaderInterface* none = nullptr;
    EXPECT_EQ(Release(&none), noErr);
    EXPECT_EQ(Release(nullptr), noErr);
    EXPECT_EQ(Retain(nullptr), noErr);
}

} // namespace
