// Where the print dialog finds extension bundles: a PPD names a bundle by a path of its own
// platform; the dialog looks the bundle's folder name up in its plug-in search path.
#pragma once

#include <string>
#include <vector>

// The folders searched, in order: the installed tree's plug-in folder found from the running
// program's own folder (so an installed or unpacked tree finds its own bundles), those of
// NV_PLUGIN_PATH (colon-separated), then the build tree's plug-in folder.
std::vector<std::string> pluginSearchPath();

// The bundle that namedPath stands for: namedPath itself when it is a folder, else the first
// folder of the search path that holds a bundle of the same name; "" when there is none.
std::string locateExtensionBundle(const std::string& namedPath);
