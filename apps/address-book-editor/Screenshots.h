// Pictures of the editor, taken without a display (Qt's offscreen platform) for the demo and
// the documentation: the window with the first book of the command line, the entry dialog
// refusing a fax number, the import preview of the sample contacts into that book, and the
// device tab at the command line's address, read with the password NV_DEMO_DEVICE_PASSWORD gives.
#pragma once

#include "CommandLine.h"

class MainWindow;

// Saves the PNG files into options.screenshotFolder, naming each on standard output. Returns
// the exit status: 0, or 1 when a picture cannot be saved.
int saveScreenshots(MainWindow& window, const EditorOptions& options);
