// A strict reader of vCard 2.1, 3.0 and 4.0 (RFC 2426, RFC 6350 and the vCard 2.1 text) for
// the fields an address book keeps: FN (else N) as the name, ORG, NOTE, every TEL typed fax,
// and CATEGORIES as groups. Folded lines, backslash escapes, and in 2.1 QUOTED-PRINTABLE and
// CHARSET are understood; 3.0 and 4.0 are UTF-8. A card that breaks the format is skipped
// with the reason; a file that does not begin with a card is refused.
#pragma once

#include "Contacts.h"

#include <QByteArray>

ContactFile readVCards(const QByteArray& bytes);
