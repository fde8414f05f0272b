// Iteration over the panel's lists of unretained pointers, in list order, skipping nulls.
#pragma once

#include <CFArray.h>

// Calls visit(entry) for each non-null entry until it answers false.
template <class Entry, class Visit> void ForEachListed(CFArrayRef list, Visit visit) {
    const CFIndex count = list ? CFArrayGetCount(list) : 0;
    for (CFIndex index = 0; index < count; ++index) {
        auto* entry = static_cast<Entry*>(const_cast<void*>(CFArrayGetValueAtIndex(list, index)));
        if (entry && !visit(entry)) return;
    }
}
