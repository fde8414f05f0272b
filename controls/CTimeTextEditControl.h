// The delayed-send time: a text field over the nib's clock control. Its value is the clock's
// hour and minute as "HH:MM" (always two digits each, "07:05"), written to the ticket as it
// is; it never needs escaping.
#pragma once

#include "CTextEditControl.h"

class CTimeTextEditControl : public CTextEditControl {
  public:
    using CTextEditControl::CTextEditControl;
    using CTextEditControl::SetValueToTicket;

    // The clock's time into the UI value as "HH:MM", data size 5. Null when the field is not
    // bound, has no buffers or access info, or the clock cannot be read.
    void* GetValueFromUI() override;
    // The control value with the plug-in's client ID and the locked flag under the access
    // info's ticket key; false without a key or when the ticket refuses it.
    bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) override;
    // Sets the clock to the control value's time, so that a rebuilt window shows the time
    // chosen before; an empty or malformed value leaves the clock as it is (true). False when
    // the field is not bound or the clock cannot be set.
    bool SetControlValueToUI() override;
};
