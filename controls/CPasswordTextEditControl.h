// The authorisation password field: a text field whose ticket value is always the digits
// XOR-obscured and base64-encoded, never the digits themselves (the empty password stays
// empty). Reading the ticket back does not decode.
#pragma once

#include "CTextEditControl.h"

class CPasswordTextEditControl : public CTextEditControl {
  public:
    using CTextEditControl::CTextEditControl;
    using CTextEditControl::SetValueToTicket;

    // SetValueToTicketWithKVEEnc with the same arguments.
    bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) override;
};
