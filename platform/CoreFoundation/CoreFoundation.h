// The whole CoreFoundation stand-in.
#pragma once

#include "CFArray.h"
#include "CFBase.h"
#include "CFBundle.h"
#include "CFData.h"
#include "CFDictionary.h"
#include "CFNumber.h"
#include "CFPlugIn.h"
#include "CFPlugInCOM.h"
#include "CFPreferences.h"
#include "CFPropertyList.h"
#include "CFRunLoop.h"
#include "CFString.h"
#include "CFURL.h"
#include "CFUUID.h"
#include "MacTypes.h"
