#include "PlugInIdentity.h"

CFBundleRef GetAppBundleRef() {
    return CFBundleGetBundleWithIdentifier(CFSTR(kNVPDEBundleIdentifierStr));
}

CFStringRef GetAppClientID() {
    return CFSTR(kNVPDEKindStr);
}

CFStringRef GetPDENibFileName() {
    return CFSTR(kNVPDENibFileNameStr);
}

void MyDebugMessage(const char*, long) {}
