// Help books: the HTML help book of a bundle, registered from the bundle and shown a page at a
// time in the help window. The bundle's Info names its book: "CFBundleHelpBookName" (the name
// that AHGotoPage takes) and "CFBundleHelpBookFolder" (the book's folder among the bundle's
// localised resources).
#pragma once

#include <CFString.h>
#include <Files.h>

enum : OSStatus {
    kAHInternalErr = -10790, // the book is not registered
};

// Registers the help book of the bundle at appBundleRef (a book registered again under the
// same name is replaced). paramErr for null; fnfErr when the folder is no bundle, its Info names
// no book, or the book's folder is missing.
OSStatus AHRegisterHelpBook(const FSRef* appBundleRef);

// Shows the page path (relative to the folder of the registered book named bookname) in the
// help window, at the anchor when one is given. With a null bookname, path is a file URL or an
// absolute file path. paramErr without a path; kAHInternalErr for a book that is not
// registered; fnfErr when the page does not exist.
OSStatus AHGotoPage(CFStringRef bookname, CFStringRef path, CFStringRef anchor);
