// Reference counting of sessions, printers and tickets, each of which keeps an int
// `references` that starts at 1.
#pragma once

#include "PMErrors.h"

template <class Object> OSStatus retainObject(Object* object, OSStatus missingStatus) {
    if (!object) return missingStatus;
    ++object->references;
    return noErr;
}

// Deletes the object with its last reference.
template <class Object> OSStatus releaseObject(Object* object, OSStatus missingStatus) {
    if (!object) return missingStatus;
    if (--object->references == 0) delete object;
    return noErr;
}
