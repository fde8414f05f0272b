// Private: the link from bundles to the plug-in factory registry.
#pragma once

#include "CFBundle.h"

namespace cf {

// Registers the factories and types that a newly made bundle's Info declares, if any.
void registerPlugInBundle(CFBundleRef bundle);

} // namespace cf
