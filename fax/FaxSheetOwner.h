// What the fax settings sheet needs of the panel that owns it: a place to record how the sheet
// was closed. The fax pane implements it; the sheet finds it as its parent pane (the panel that
// added it with RunTimeAddNewWindow), so the sheet needs no knowledge of the pane's class.
#pragma once

#include <MacTypes.h>

// How the sheet was closed: Start Sending, or Stop.
enum : SInt32 {
    kFaxSheetResultSend = 2001,
    kFaxSheetResultCancel = 2002,
};

class FaxSheetOwner {
  public:
    // Records the outcome of the sheet's presentation, before its modal loop ends.
    virtual void SetSheetResult(SInt32 result) = 0;

  protected:
    ~FaxSheetOwner() = default;
};
