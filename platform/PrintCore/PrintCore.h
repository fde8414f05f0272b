// The whole printing system stand-in: sessions, printers, tickets and status codes.
#pragma once

#include "PMCore.h"
#include "PMErrors.h"
#include "PMTicket.h"
