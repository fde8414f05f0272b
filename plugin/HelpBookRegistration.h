// Registration of the plug-in bundle's help book with the help viewer, once per instance.
#pragma once

#include <MacTypes.h>

// The help viewer's registration status, or fnfErr (-43) when the plug-in's bundle, its URL or
// its file reference cannot be had.
OSStatus RegisterMyHelpBook();
