// The password field's ticket value: always obscured.
#include "CPasswordTextEditControl.h"

bool CPasswordTextEditControl::SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) {
    return SetValueToTicketWithKVEEnc(ticket, locked);
}
