// A control double for the control tests: a settable value index, counted Update() calls,
// optional 4-byte value buffers and default and initial-data blocks, and a log of the
// value-dependent steps it runs.
#pragma once

#include <CBasePrintPanel.h>

#include <string>
#include <vector>

class TestControl : public CBaseControl {
  public:
    explicit TestControl(const ControlID* id, const ConstrainInfo* constrainInfo = nullptr)
        : CBaseControl(id, constrainInfo) {}

    int valueIndex = 0;
    int updates = 0;
    bool hasBlocks = false;
    SInt32 defaultBlock = 0;
    SInt32 iniBlock = 0;
    std::vector<std::string> steps;

    // What the derived classes' binding does: two zeroed 4-byte buffers.
    void allocateBuffers() { AllocateValueBuffers(sizeof(SInt32)); }
    SInt32 controlValue() const { return *static_cast<SInt32*>(controlValue_); }
    SInt32 uiValue() const { return *static_cast<SInt32*>(uiValue_); }
    void setUIValue(SInt32 value, SInt32 size) {
        *static_cast<SInt32*>(uiValue_) = value;
        dataSize_ = size;
    }

    int GetCurrentControlArrayNumber() override { return valueIndex; }
    int Update() override {
        ++updates;
        return 0;
    }
    void* GetDefaultDataBlk() override { return hasBlocks ? &defaultBlock : nullptr; }
    int GetDefaultDataSize() override { return hasBlocks ? int(sizeof defaultBlock) : 0; }
    void* GetIniDataBlk() override { return hasBlocks ? &iniBlock : nullptr; }
    int GetIniDataSize() override { return hasBlocks ? int(sizeof iniBlock) : 0; }
    bool SetExternalValueToUI(void* value, int size) override {
        steps.push_back("SetExternalValueToUI " + std::to_string(*static_cast<SInt32*>(value)) +
                        "/" + std::to_string(size));
        return true;
    }
    int DoControlConstrain() override { return step("DoControlConstrain"); }
    int DoControlHideConstrain() override { return step("DoControlHideConstrain"); }
    int DoControlUpdateConstrain() override { return step("DoControlUpdateConstrain"); }
    int DoSelfUpdate() override { return step("DoSelfUpdate"); }

  private:
    int step(const char* name) {
        steps.push_back(name);
        return 0;
    }
};
