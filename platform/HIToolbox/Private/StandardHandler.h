// What happens to an event that no handler took (the standard handler at the bottom).
#pragma once

#include "EventTarget.h"

namespace hitoolbox {

// The default action for the event sent to the target's owner (the owner may have been
// disposed meanwhile: then nothing happens). eventNotHandledErr when there is none.
OSStatus runStandardHandling(EventRef event, OpaqueEventTargetRef::Owner owner, void* object);

} // namespace hitoolbox
