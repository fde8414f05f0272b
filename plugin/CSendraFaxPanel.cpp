#include "CSendraFaxPanel.h"
#include "AddressBookEditorLaunch.h"
#include "PlugInIdentity.h"
#include "PrinterAddressResolution.h"

#include <CBaseButton.h>
#include <CGPPDListPopupControl.h>
#include <CGPPDStaticTextCtrl.h>
#include <CGroupBoxControl.h>
#include <CStaticTextControl.h>
#include <CTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <FaxSettingsWindow.h>
#include <PanelLists.h>

#include <new>

template <class Control> void CSendraFaxPanel::Own(std::unique_ptr<Control>& field, Control* made) {
    field.reset(made);
    RunTimeAddNewControl(made); // a control that could not be made is left out of the walks
}

CSendraFaxPanel::CSendraFaxPanel() {
    SetUserPaneIdentity(FOUR_CHAR_CODE("sfsp"), 1, GetPDENibFileName(), CFSTR("Window"));

    // The labels come before their popups: a popup titles its label when it is bound.
    Own(imageQualityLabel_,
        new (std::nothrow) CGPPDStaticTextCtrl(&imageQualityStaticTextCtrlID, "NVFaxImageQuality",
                                               nullptr, nullptr, nullptr, nullptr));
    Own(transmissionReportLabel_,
        new (std::nothrow)
            CGPPDStaticTextCtrl(&transmissionReportStaticTextCtrlID, "NVFaxTransmissionReport",
                                nullptr, nullptr, nullptr, nullptr));
    Own(imageQualityPopup_,
        new (std::nothrow) CGPPDListPopupControl(
            &imageQualityPopupListCtrlID, "NVFaxImageQuality", &imageQualityListIniData, nullptr,
            &imageQualityListAccessInfo, &imageQualityStaticTextCtrlID));
    Own(transmissionReportPopup_,
        new (std::nothrow) CGPPDListPopupControl(
            &transmissionReportPopupListCtrlID, "NVFaxTransmissionReport",
            &transmissionReportListIniData, nullptr, &transmissionReportListAccessInfo,
            &transmissionReportStaticTextCtrlID));
    Own(coverPageGroupBox_,
        new (std::nothrow) CGroupBoxControl(&coverPageGroupBoxCtrlID, CFSTR("Cover Page Title")));
    Own(coverPageLabel_,
        new (std::nothrow) CGPPDStaticTextCtrl(&coverPageStaticTextCtrlID, "NVFaxCoverPageMode",
                                               nullptr, nullptr, nullptr, nullptr));
    Own(senderModeLabel_,
        new (std::nothrow) CGPPDStaticTextCtrl(&senderModeStaticTextCtrlID, "NVFaxSenderMode",
                                               nullptr, nullptr, nullptr, nullptr));
    Own(senderNameLabel_,
        new (std::nothrow) CStaticTextControl(&senderNameStaticTextCtrlID, nullptr, nullptr,
                                              nullptr, nullptr, CFSTR("Sender Name Title")));
    Own(coverPagePopup_,
        new (std::nothrow) CGPPDListPopupControl(
            &coverPagePopupListCtrlID, "NVFaxCoverPageMode", &coverPageListIniData,
            &coverPageConstrainInfo, &coverPageListAccessInfo, &coverPageStaticTextCtrlID));
    Own(senderModePopup_,
        new (std::nothrow) CGPPDListPopupControl(
            &senderModePopupListCtrlID, "NVFaxSenderMode", &senderModeListIniData,
            &senderModeConstrainInfo, &senderModeListAccessInfo, &senderModeStaticTextCtrlID));
    Own(senderNameField_, new (std::nothrow) CTextEditControl(
                              &senderNameTextEditCtrlID, &senderNameTextEditIniData, nullptr,
                              &senderNameTextEditFilterData, &senderNameTextEditAccessInfo));
    Own(addressBookButton_,
        new (std::nothrow) CGBaseButton(&addressBookButtonCtrlID, CFSTR("Address Button Title")));
    Own(restoreButton_,
        new (std::nothrow) CGBaseButton(&restoreButtonCtrlID, CFSTR("Restore Button Title")));
    Own(helpButton_,
        new (std::nothrow) CGBaseButton(&helpBookButtonCtrlID, CFSTR("Help Button Title")));
    faxSettingsWindow_.reset(new (std::nothrow) FaxSettingsWindow(
        GetPDENibFileName(), CFSTR("FaxSettings"), GetAppBundleRef(), CFSTR("Fax Setting Title")));
    RunTimeAddNewWindow(faxSettingsWindow_.get());
}

CSendraFaxPanel::~CSendraFaxPanel() {
    EndPrinterAddressLookup(this); // its answer would otherwise reach a pane that is gone
    imageQualityPopup_.reset();
    transmissionReportPopup_.reset();
    imageQualityLabel_.reset();
    transmissionReportLabel_.reset();
    coverPageGroupBox_.reset();
    coverPagePopup_.reset();
    senderModePopup_.reset();
    senderNameField_.reset();
    coverPageLabel_.reset();
    senderModeLabel_.reset();
    senderNameLabel_.reset();
    addressBookButton_.reset();
    restoreButton_.reset();
    helpButton_.reset();
    faxSettingsWindow_.reset();
    printerAddress_.reset();
}

OSStatus CSendraFaxPanel::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                             CFBundleRef bundle, ppd_file_t* ppd) {
    return CBasePrintPanel::InitializeUserPane(context, parentUserPane, bundle, ppd);
}

Boolean CSendraFaxPanel::OnClickPrintCommand() {
    if (senderNameField_ &&
        (!senderNameField_->PreInvalidateData() || !senderNameField_->InvalidateData()))
        return false; // the field has shown why
    if (faxSettingsWindow_) {
        // The sheet records how it was closed through SetSheetResult.
        faxSettingsWindow_->SetPrinterAddress(printerAddress_.get());
        faxSettingsWindow_->Present();
    } else {
        sheetResult_ = kFaxSheetResultSend;
    }
    return sheetResult_ == kFaxSheetResultSend;
}

Boolean CSendraFaxPanel::GetValueFromTicket(PMTicketRef ticket) {
    // Only the pane's own controls: the sheet starts empty each time it is shown.
    ForEachListed<CBaseControl>(GetControlList(), [&](CBaseControl* control) {
        control->GetValueFromTicket(ticket);
        return true;
    });
    return true;
}

OSStatus CSendraFaxPanel::GetSummaryText(CFMutableArrayRef titles, CFMutableArrayRef values) {
    if (const OSStatus status = CBasePrintPanel::GetSummaryText(titles, values); status != noErr)
        return status;
    if (!titles || !values || !senderNameField_ || !senderNameLabel_) return noErr;
    ControlRef field = senderNameField_->GetControlHandle();
    if (!field || !IsControlActive(field)) return noErr;
    const auto* title = static_cast<const char*>(senderNameLabel_->GetValueFromUI());
    const auto* value = static_cast<const char*>(senderNameField_->GetValueFromUI());
    const CFRef<CFStringRef> titleString(
        title ? CFStringCreateWithCString(nullptr, title, kCFStringEncodingUTF8) : nullptr);
    const CFRef<CFStringRef> valueString(
        value ? CFStringCreateWithCString(nullptr, value, kCFStringEncodingUTF8) : nullptr);
    if (titleString && valueString) {
        CFArrayAppendValue(titles, titleString.get());
        CFArrayAppendValue(values, valueString.get());
    }
    return noErr;
}

OSStatus CSendraFaxPanel::SetControlEventHandler() {
    if (const OSStatus status = CBasePrintPanel::SetControlEventHandler(); status != noErr)
        return status;
    static const EventTypeSpec controlHit = {kEventClassControl, kEventControlHit};
    const struct {
        CGBaseButton* button;
        EventHandlerProcPtr handler;
    } buttons[] = {
        {restoreButton_.get(), RestoreDefaults},
        {addressBookButton_.get(), LaunchAddressBookEditor},
        {helpButton_.get(), LaunchHelpBook},
    };
    for (const auto& each : buttons) {
        // Installed after the default handler, so it runs first and ends the event.
        if (ControlRef handle = each.button ? each.button->GetControlHandle() : nullptr)
            InstallControlEventHandler(handle, NewEventHandlerUPP(each.handler), 1, &controlHit,
                                       this, nullptr);
    }
    return noErr;
}

OSStatus CSendraFaxPanel::RestoreDefaults(EventHandlerCallRef, EventRef, void* pane) {
    if (pane) static_cast<CSendraFaxPanel*>(pane)->SetDefaultValueToUI();
    return noErr;
}

OSStatus CSendraFaxPanel::LaunchAddressBookEditor(EventHandlerCallRef, EventRef, void* pane) {
    if (!pane) return noErr;
    return LaunchAddressBookEditorApplication(
        GetAppBundleRef(), static_cast<CSendraFaxPanel*>(pane)->GetPrinterAddress());
}

OSStatus CSendraFaxPanel::LaunchHelpBook(EventHandlerCallRef, EventRef, void*) {
    GotoHelpPage(CFSTR("FaxSettings.htm"), nullptr, CFSTR("Norvale Sendra Fax Help"));
    return noErr;
}
