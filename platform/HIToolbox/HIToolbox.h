// The Carbon user-interface toolbox over Qt Widgets: everything in one include.
#pragma once

#include <CoreFoundation.h>

#include "Appearance.h"
#include "CarbonEvents.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Gestalt.h"
#include "HIDataBrowser.h"
#include "IBCarbonRuntime.h"
#include "MacErrors.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "Menus.h"
#include "Quickdraw.h"
