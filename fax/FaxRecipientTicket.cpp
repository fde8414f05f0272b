#include "FaxRecipientTicket.h"

OSStatus SetRecipientsToTicket(PMTicketRef, CFArrayRef, Boolean) {
    return 0;
}
