// Lets a Qt program end through its own code when the process is asked to stop: SIGTERM (the
// session ending, a service manager, kill) or SIGINT (Ctrl+C in the terminal that started it).
// Without it those signals cut the program off where it stands.
#pragma once

#include <functional>

// Calls end on the thread of the QCoreApplication, which must exist, each time one of the two
// signals arrives. Call it once; false (and nothing watched) when the signals cannot be caught.
bool onTerminationSignal(std::function<void()> end);
