// Nib references and windows made from Qt Designer files.
#include "IBCarbonRuntime.h"
#include "MacErrors.h"
#include "Private/LabelNames.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <CFRef.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QUiLoader>

#include <cstdio>

struct OpaqueIBNibRef {
    QString folder;
    QHash<QString, QByteArray> forms; // window name -> .ui text, read once
};

namespace {

// Kept for the process; made on first use. A new QUiLoader loads every Qt Designer widget
// plug-in it finds beside Qt's plug-ins (one of them brings in Qt Quick and QML, tens of
// milliseconds at start); nibs use the standard widgets only, so it is made where it finds none.
QUiLoader& uiLoader() {
    static QUiLoader* loader = [] {
        const QStringList libraryPaths = QCoreApplication::libraryPaths();
        QCoreApplication::setLibraryPaths({});
        auto* made = new QUiLoader;
        QCoreApplication::setLibraryPaths(libraryPaths);
        made->clearPluginPaths();
        return made;
    }();
    return *loader;
}

// The nib's folder: "<name>" or "<name>.nib" among the bundle's (localised) resources.
QString nibFolder(CFBundleRef bundle, CFStringRef nibName) {
    CFRef<CFURLRef> url(CFBundleCopyResourceURL(bundle, nibName, nullptr, nullptr));
    if (!url) url.reset(CFBundleCopyResourceURL(bundle, nibName, CFSTR("nib"), nullptr));
    if (!url) return {};
    CFRef<CFStringRef> path(CFURLCopyFileSystemPath(url.get(), kCFURLPOSIXPathStyle));
    const QString folder = hitoolbox::toQString(path.get());
    return QFileInfo(folder).isDir() ? folder : QString();
}

void report(const char* message, const QString& name, const QString& where) {
    std::fprintf(stderr, "%s \"%s\" (%s)\n", message, name.toUtf8().constData(),
                 where.toUtf8().constData());
}

WindowClass windowClassOf(const QWidget* widget) {
    bool ok = false;
    const uint declared = widget->property("windowClass").toUInt(&ok);
    if (ok && declared) return declared;
    return qobject_cast<const QDialog*>(widget) ? kMovableModalWindowClass : kDocumentWindowClass;
}

} // namespace

OSStatus CreateNibReferenceWithCFBundle(CFBundleRef bundle, CFStringRef nibName,
                                        IBNibRef* outNibRef) {
    if (!bundle || !nibName || !outNibRef) return paramErr;
    const QString folder = nibFolder(bundle, nibName);
    if (folder.isEmpty()) {
        report("CreateNibReferenceWithCFBundle - no nib", hitoolbox::toQString(nibName),
               "bundle resources");
        return kIBCarbonRuntimeCantFindNibFile;
    }
    *outNibRef = new OpaqueIBNibRef{folder, {}};
    return noErr;
}

OSStatus CreateWindowFromNib(IBNibRef nibRef, CFStringRef windowName, WindowRef* outWindow) {
    if (!nibRef || !windowName || !outWindow) return paramErr;
    const QString name = hitoolbox::toQString(windowName);
    auto form = nibRef->forms.find(name);
    if (form == nibRef->forms.end()) {
        QFile file(QDir(nibRef->folder).filePath(name + QLatin1String(".ui")));
        if (!file.open(QIODevice::ReadOnly)) {
            report("CreateWindowFromNib - no window", name, nibRef->folder);
            return kIBCarbonRuntimeCantFindObject;
        }
        form = nibRef->forms.insert(name, file.readAll());
    }
    QBuffer buffer(&form.value());
    QWidget* widget = buffer.open(QIODevice::ReadOnly) ? uiLoader().load(&buffer) : nullptr;
    if (!widget) {
        report("CreateWindowFromNib - cannot load window", name, uiLoader().errorString());
        return kIBCarbonRuntimeObjectNotOfRequestedType;
    }
    hitoolbox::nameFieldsByLabels(*widget);
    *outWindow = hitoolbox::adoptWindow(widget, windowClassOf(widget));
    return noErr;
}

void DisposeNibReference(IBNibRef nibRef) {
    delete nibRef;
}
