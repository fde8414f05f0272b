// The fax pane's controls that its PPD popups work with, made from the pane's records and
// added in the pane's order: the four popups, their title labels and the sender name field.
#pragma once

#include <CBasePrintPanel.h>
#include <CGPPDListPopupControl.h>
#include <CGPPDStaticTextCtrl.h>
#include <CTextEditControl.h>
#include <ControlDefinitionTables.h>

class FaxPanePopups : public CBasePrintPanel {
  public:
    FaxPanePopups() {
        CBaseControl* const controls[] = {
            &imageQualityLabel, &transmissionReportLabel, &imageQuality, &transmissionReport,
            &coverPageLabel,    &senderModeLabel,         &coverPage,    &senderMode,
            &senderName};
        for (CBaseControl* control : controls)
            RunTimeAddNewControl(control);
    }

    CGPPDStaticTextCtrl imageQualityLabel{
        &imageQualityStaticTextCtrlID, "NVFaxImageQuality", nullptr, nullptr, nullptr, nullptr};
    CGPPDStaticTextCtrl transmissionReportLabel{&transmissionReportStaticTextCtrlID,
                                                "NVFaxTransmissionReport",
                                                nullptr,
                                                nullptr,
                                                nullptr,
                                                nullptr};
    CGPPDListPopupControl imageQuality{&imageQualityPopupListCtrlID, "NVFaxImageQuality",
                                       &imageQualityListIniData,     nullptr,
                                       &imageQualityListAccessInfo,  &imageQualityStaticTextCtrlID};
    CGPPDListPopupControl transmissionReport{
        &transmissionReportPopupListCtrlID, "NVFaxTransmissionReport",
        &transmissionReportListIniData,     nullptr,
        &transmissionReportListAccessInfo,  &transmissionReportStaticTextCtrlID};
    CGPPDStaticTextCtrl coverPageLabel{
        &coverPageStaticTextCtrlID, "NVFaxCoverPageMode", nullptr, nullptr, nullptr, nullptr};
    CGPPDStaticTextCtrl senderModeLabel{
        &senderModeStaticTextCtrlID, "NVFaxSenderMode", nullptr, nullptr, nullptr, nullptr};
    CGPPDListPopupControl coverPage{&coverPagePopupListCtrlID, "NVFaxCoverPageMode",
                                    &coverPageListIniData,     &coverPageConstrainInfo,
                                    &coverPageListAccessInfo,  &coverPageStaticTextCtrlID};
    CGPPDListPopupControl senderMode{&senderModePopupListCtrlID, "NVFaxSenderMode",
                                     &senderModeListIniData,     &senderModeConstrainInfo,
                                     &senderModeListAccessInfo,  &senderModeStaticTextCtrlID};
    CTextEditControl senderName{&senderNameTextEditCtrlID, &senderNameTextEditIniData, nullptr,
                                &senderNameTextEditFilterData, &senderNameTextEditAccessInfo};
};
