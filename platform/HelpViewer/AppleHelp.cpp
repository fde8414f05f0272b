// Help book registration and page look-up.
#include "AppleHelp.h"
#include "Private/HelpWindow.h"

#include <CFBundle.h>
#include <CFRef.h>
#include <CFURL.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

QString toQString(CFStringRef string) {
    if (!string || CFGetTypeID(string) != CFStringGetTypeID()) return {};
    const CFIndex size =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
    QByteArray bytes(size, '\0');
    if (!CFStringGetCString(string, bytes.data(), size, kCFStringEncodingUTF8)) return {};
    return QString::fromUtf8(bytes.constData());
}

QString filePath(CFURLRef url) {
    CFRef<CFStringRef> path(url ? CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle) : nullptr);
    return toQString(path.get());
}

// Registered books: name -> the book's folder.
QHash<QString, QString>& helpBooks() {
    static QHash<QString, QString> books;
    return books;
}

} // namespace

OSStatus AHRegisterHelpBook(const FSRef* appBundleRef) {
    if (!appBundleRef) return paramErr;
    CFRef<CFURLRef> bundleURL(CFURLCreateFromFSRef(nullptr, appBundleRef));
    CFRef<CFBundleRef> bundle(bundleURL ? CFBundleCreate(nullptr, bundleURL.get()) : nullptr);
    if (!bundle) return fnfErr;
    const QString name = toQString(static_cast<CFStringRef>(
        CFBundleGetValueForInfoDictionaryKey(bundle.get(), CFSTR("CFBundleHelpBookName"))));
    const auto folderName = static_cast<CFStringRef>(
        CFBundleGetValueForInfoDictionaryKey(bundle.get(), CFSTR("CFBundleHelpBookFolder")));
    if (name.isEmpty() || toQString(folderName).isEmpty()) return fnfErr;
    CFRef<CFURLRef> folderURL(CFBundleCopyResourceURL(bundle.get(), folderName, nullptr, nullptr));
    const QString folder = filePath(folderURL.get());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return fnfErr;
    helpBooks().insert(name, folder);
    return noErr;
}

OSStatus AHGotoPage(CFStringRef bookname, CFStringRef path, CFStringRef anchor) {
    const QString page = toQString(path);
    if (page.isEmpty()) return paramErr;
    QString file;
    if (bookname) {
        const auto book = helpBooks().constFind(toQString(bookname));
        if (book == helpBooks().constEnd()) return kAHInternalErr;
        file = QDir(*book).filePath(page);
    } else {
        const QUrl url(page);
        file = url.isLocalFile() ? url.toLocalFile() : page;
    }
    if (!QFileInfo(file).isFile()) return fnfErr;
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (const QString fragment = toQString(anchor); !fragment.isEmpty()) url.setFragment(fragment);
    helpviewer::showHelpPage(url);
    return noErr;
}
