// Test doubles of the panel tests: controls and child windows that note each call they receive
// in one shared log, "<name>:<operation>" separated by spaces, and answer as the test sets them
// to. The controls bind to, and unbind from, their window for real.
#pragma once

#include <CBasePrintPanel.h>
#include <CReleasableWindow.h>

#include <string>
#include <utility>

using CallLog = std::string;

// The log so far; the log is left empty.
inline CallLog taken(CallLog& log) {
    return std::exchange(log, {});
}

class CallRecorder {
  public:
    CallRecorder(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
    bool note(const char* operation) const {
        log_ += (log_.empty() ? "" : " ") + name_ + ":" + operation;
        return true;
    }

  private:
    CallLog& log_;
    std::string name_;
};

// A command event of the dialog's kind carrying the command; the caller releases it.
inline EventRef NewCommandEvent(UInt32 commandID) {
    EventRef event = nullptr;
    CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &event);
    HICommand command = {};
    command.commandID = commandID;
    SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof(command), &command);
    return event;
}

class RecordingControl : public CBaseControl, private CallRecorder {
  public:
    RecordingControl(CallLog& log, std::string name, const ControlID* controlID = nullptr)
        : CBaseControl(controlID), CallRecorder(log, std::move(name)) {}

    bool readsScreen = true; // GetValueFromUI answers non-null
    bool hasPreset = true;   // GetValueToPreset's and GetValueToPreference's answer

    using CBaseControl::InitializeCtrl;

    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* pane, __CFBundle* bundle,
                        ppd_file_t* ppd) override {
        note(window ? "InitializeCtrl" : "InitializeCtrl(no window)");
        return CBaseControl::InitializeCtrl(window, pane, bundle, ppd);
    }
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override {
        note(window ? "ReInitializeCtrl" : "ReInitializeCtrl(no window)");
        return CBaseControl::ReInitializeCtrl(window);
    }
    bool SetControlValueToUI() override { return note("ToUI"); }
    bool UIEventHandler() override { return note("Hit"); }
    bool SimulationUIEventHandler() override { return note("Simulation"); }
    bool SetControlValueToDefault() override { return note("Default"); }
    bool SetUIValueToIniData() override { return note("IniData"); }
    bool GetSummaryText(__CFArray*, __CFArray*) override { return note("Summary"); }
    int Open(unsigned long) override { return note("Open") ? 0 : 1; }
    int Close(unsigned long) override { return note("Close") ? 0 : 1; }
    void ResetStatus() override {
        note("Reset");
        CBaseControl::ResetStatus();
    }
    bool SetDefaultValueToUI() override { return note("DefaultToUI"); }
    bool GetValueToPreset() override { return note("Preset") && hasPreset; }
    bool ConstrainPanelControlFromPPD(ppd_file_t*) override { return note("Constrain"); }
    void* GetValueFromUI() override { return note("FromUI") && readsScreen ? this : nullptr; }
    bool SetValueFromUIToControl() override { return note("Store"); }
    using CBaseControl::DisableControlConstrains;
    using CBaseControl::SetValueToTicket;
    bool SetValueToTicket(OpaquePMTicketRef*, bool, __CFArray*) override {
        return note("Ticket(list)");
    }
    bool SetValueToTicket(OpaquePMTicketRef*, bool) override { return note("Ticket"); }
    bool SetValueToPreference() override { return note("ToPreference"); }
    bool GetValueToPreference() override { return note("FromPreference") && hasPreset; }
    bool SetUIValueToDefault() override { return note("UIDefault"); }
    void DisableControlConstrains() override { note("DisableConstrains"); }
    int DoControlHideConstrain() override { return note("HideConstrain") ? 0 : 1; }
    int DoControlUpdateConstrain() override { return note("UpdateConstrain") ? 0 : 1; }
    int DoSelfUpdate() override { return note("SelfUpdate") ? 0 : 1; }
};

// A child window that notes the calls the owner's walks make on it and answers with the status
// (or, for presets, the answer) that the test sets.
class RecordingWindow : public CBasePrintPanel, public CReleasableWindow, private CallRecorder {
  public:
    RecordingWindow(CallLog& log, std::string name) : CallRecorder(log, std::move(name)) {}

    OSStatus answer = noErr;
    Boolean presetAnswer = true;

    OSStatus Open(PMPDEContext) override { return record("Open"); }
    OSStatus Close(PMPDEContext) override { return record("Close"); }
    OSStatus GetSummaryText(CFMutableArrayRef, CFMutableArrayRef) override {
        return record("Summary");
    }
    OSStatus Terminate(PMPDEContext, OSStatus) override { return record("Terminate"); }
    OSStatus SetCurrentValueToUI() override { return record("ToUI"); }
    Boolean GetValueFromPreset() override { return note("Preset") && presetAnswer; }
    OSStatus ReleaseWindow() override { return record("Release"); }

  private:
    OSStatus record(const char* operation) {
        note(operation);
        return answer;
    }
};

// A panel whose Print answer the test sets, noted as "panel:Print".
class PrintAnsweringPanel : public CBasePrintPanel, private CallRecorder {
  public:
    explicit PrintAnsweringPanel(CallLog& log) : CallRecorder(log, "panel") {}
    Boolean printAnswer = true;
    Boolean OnClickPrintCommand() override { return note("Print") && printAnswer; }
    using CBasePrintPanel::SetUserPaneIdentity;
};
