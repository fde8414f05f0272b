// Test doubles of the panel tests: controls and child windows that write each call they
// receive into one shared log, as "<name>:<operation>", and answer as the test sets them to.
// The controls bind to, and unbind from, their window for real.
#pragma once

#include <CBasePrintPanel.h>
#include <CReleasableWindow.h>

#include <string>
#include <vector>

using CallLog = std::vector<std::string>;

// Writes "<name>:<operation>" into the log.
class CallRecorder {
  public:
    CallRecorder(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
    void note(const char* operation) const { log_.push_back(name_ + ":" + operation); }

  private:
    CallLog& log_;
    std::string name_;
};

// A command event of the dialog's kind (class 'cmds', kind 1) carrying the command; the caller
// releases it.
inline EventRef NewCommandEvent(UInt32 commandID) {
    EventRef event = nullptr;
    CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &event);
    HICommand command = {};
    command.commandID = commandID;
    SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof(command), &command);
    return event;
}

class RecordingControl : public CBaseControl {
  public:
    RecordingControl(CallLog& log, std::string name, const ControlID* controlID = nullptr)
        : CBaseControl(controlID), recorder_(log, std::move(name)) {}

    bool readsScreen = true;   // GetValueFromUI answers non-null
    bool hasPreset = true;     // GetValueToPreset answer
    bool hasPreference = true; // GetValueToPreference answer

    using CBaseControl::InitializeCtrl;
    using CBaseControl::SetValueToTicket;

    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* pane, __CFBundle* bundle,
                        ppd_file_t* ppd) override {
        record(window ? "InitializeCtrl" : "InitializeCtrl(no window)");
        return CBaseControl::InitializeCtrl(window, pane, bundle, ppd);
    }
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override {
        record(window ? "ReInitializeCtrl" : "ReInitializeCtrl(no window)");
        return CBaseControl::ReInitializeCtrl(window);
    }
    bool SetValueToTicket(OpaquePMTicketRef*, bool, __CFArray*) override {
        return record("SetValueToTicket3");
    }
    bool SetValueToTicket(OpaquePMTicketRef*, bool) override { return record("SetValueToTicket2"); }
    bool SetControlValueToUI() override { return record("SetControlValueToUI"); }
    bool UIEventHandler() override { return record("UIEventHandler"); }
    bool SimulationUIEventHandler() override { return record("Simulation"); }
    bool SetControlValueToDefault() override { return record("SetControlValueToDefault"); }
    bool SetUIValueToIniData() override { return record("SetUIValueToIniData"); }
    bool SetUIValueToDefault() override { return record("SetUIValueToDefault"); }
    bool SetValueToPreference() override { return record("SetValueToPreference"); }
    bool GetValueToPreference() override {
        record("GetValueToPreference");
        return hasPreference;
    }
    bool GetSummaryText(__CFArray*, __CFArray*) override { return record("GetSummaryText"); }
    int Open(unsigned long) override { return record("Open") ? 0 : 1; }
    int Close(unsigned long) override { return record("Close") ? 0 : 1; }
    int DoControlHideConstrain() override { return record("DoControlHideConstrain") ? 0 : 1; }
    int DoControlUpdateConstrain() override { return record("DoControlUpdateConstrain") ? 0 : 1; }
    int DoSelfUpdate() override { return record("DoSelfUpdate") ? 0 : 1; }
    void ResetStatus() override {
        record("ResetStatus");
        CBaseControl::ResetStatus();
    }
    bool SetDefaultValueToUI() override { return record("SetDefaultValueToUI"); }
    bool GetValueToPreset() override {
        record("GetValueToPreset");
        return hasPreset;
    }
    bool ConstrainPanelControlFromPPD(ppd_file_t*) override {
        return record("ConstrainPanelControlFromPPD");
    }
    int UpdateConflictsPanelControlFromPPD(ppd_file_t*) override {
        return record("UpdateConflicts") ? 0 : 1;
    }
    void DisableControlConstrains() override { record("DisableControlConstrains"); }
    void* GetValueFromUI() override {
        record("GetValueFromUI");
        return readsScreen ? this : nullptr;
    }
    bool SetValueFromUIToControl() override { return record("SetValueFromUIToControl"); }

  private:
    bool record(const char* operation) {
        recorder_.note(operation);
        return true;
    }

    CallRecorder recorder_;
};

// A child window: records the calls that the owner's walks make on it and answers with the
// status (or, for the boolean operations, the answer) that the test sets.
class RecordingWindow : public CBasePrintPanel, public CReleasableWindow {
  public:
    RecordingWindow(CallLog& log, std::string name) : recorder_(log, std::move(name)) {}

    OSStatus answer = noErr;
    Boolean presetAnswer = true;

    using CBasePrintPanel::SetValueToTicket;

    OSStatus Open(PMPDEContext) override { return record("Open"); }
    OSStatus Close(PMPDEContext) override { return record("Close"); }
    OSStatus GetSummaryText(CFMutableArrayRef, CFMutableArrayRef) override {
        return record("GetSummaryText");
    }
    OSStatus Terminate(PMPDEContext, OSStatus) override { return record("Terminate"); }
    OSStatus SetCurrentValueToUI() override { return record("SetCurrentValueToUI"); }
    OSStatus SetValueToTicket(PMTicketRef, Boolean, CFMutableArrayRef) override {
        return record("SetValueToTicket3");
    }
    OSStatus SetValueToTicket(PMTicketRef, Boolean) override { return record("SetValueToTicket2"); }
    OSStatus SetValueToPreference() override { return record("SetValueToPreference"); }
    OSStatus GetValueFromPreference() override { return record("GetValueFromPreference"); }
    OSStatus ResetControlStatus() override { return record("ResetControlStatus"); }
    Boolean GetValueFromPreset() override {
        record("GetValueFromPreset");
        return presetAnswer;
    }
    OSStatus SetUIDataToDefault() override { return record("SetUIDataToDefault"); }
    OSStatus SetUIDataToIniData() override { return record("SetUIDataToIniData"); }
    OSStatus InitializeUserPane(PMPDEContext, ControlRef, CFBundleRef, ppd_file_t*) override {
        return record("InitializeUserPane");
    }
    OSStatus ReleaseWindow() override { return record("ReleaseWindow"); }

  private:
    OSStatus record(const char* operation) {
        recorder_.note(operation);
        return answer;
    }

    CallRecorder recorder_;
};

// A panel whose Print answer the test sets and records.
class PrintAnsweringPanel : public CBasePrintPanel {
  public:
    explicit PrintAnsweringPanel(CallLog& log) : recorder_(log, "panel") {}
    Boolean printAnswer = true;
    Boolean OnClickPrintCommand() override {
        recorder_.note("OnClickPrintCommand");
        return printAnswer;
    }
    using CBasePrintPanel::SetUserPaneIdentity;

  private:
    CallRecorder recorder_;
};
