// The editor without a window: "--import FILE --into BOOK" (BOOK made when it does not exist;
// the report on standard error) and "--export BOOK --to FILE". The exit status is 0, or 1
// with a one-line reason on standard error.
#pragma once

#include "CommandLine.h"

int runCommand(const EditorOptions& options);
