// Bundles: a folder X.plugin (or .app, .bundle) holding Contents/Info.plist, the executable in
// Contents/Linux/ and Contents/Resources/; or an application that is a single executable file
// (a program installed the Linux way), which is its own executable and has no Info or
// resources. A bundle, once made, lives as long as the process.
#pragma once

#include "CFDictionary.h"
#include "CFString.h"
#include "CFURL.h"

CF_EXTERN_C_BEGIN

typedef struct __CFBundle* CFBundleRef;

extern const CFStringRef kCFBundleIdentifierKey; // "CFBundleIdentifier"
extern const CFStringRef kCFBundleExecutableKey; // "CFBundleExecutable"
extern const CFStringRef kCFBundleNameKey;       // "CFBundleName"

CFTypeID CFBundleGetTypeID(void);

// The bundle at the URL (the same object for the same folder or file); null when the URL names
// neither a folder nor an executable file. A malformed Info.plist gives a message on standard error
// and an empty dictionary.
CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
// A bundle made or loaded in this process with that identifier; null when none was.
CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID);

CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle);
CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
// Null for a folder whose Info has no "CFBundleExecutable".
CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle);
// Looks in the user's language folders (xx.lproj), then English, then Resources itself.
CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                 CFStringRef resourceType, CFStringRef subDirName);
// The text of key in the strings table tableName ("Localizable" when null) for the user's
// language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), else English; when no table has the key,
// value (when not null or empty), else the key itself.
CFStringRef CFBundleCopyLocalizedString(CFBundleRef bundle, CFStringRef key, CFStringRef value,
                                        CFStringRef tableName);

// The executable (a shared object): loading, and finding exported functions in it.
Boolean CFBundleLoadExecutable(CFBundleRef bundle); // false with a message when it cannot load
void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

CF_EXTERN_C_END
