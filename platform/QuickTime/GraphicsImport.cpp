// Graphics importers over Qt's image readers.
#include "QuickTimeComponents.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

struct ComponentInstanceRecord {
    QString path;
    Rect bounds{};
};

namespace {

std::mutex registryMutex;
std::set<ComponentInstanceRecord*> importers;

ComponentInstanceRecord* liveImporter(ComponentInstance ci) {
    std::lock_guard lock(registryMutex);
    return importers.count(ci) ? ci : nullptr;
}

bool isEmpty(const Rect& rect) {
    return rect.bottom <= rect.top || rect.right <= rect.left;
}

} // namespace

OSErr GetGraphicsImporterForFile(const FSSpec* theFile, GraphicsImportComponent* gi) {
    if (!theFile || !gi) return paramErr;
    *gi = nullptr;
    const size_t length =
        strnlen(reinterpret_cast<const char*>(theFile->hidden), sizeof theFile->hidden);
    const QString path =
        QString::fromUtf8(reinterpret_cast<const char*>(theFile->hidden), qsizetype(length));
    QImageReader reader(path);
    if (!reader.canRead())
        return reader.error() == QImageReader::FileNotFoundError ? OSErr(fnfErr)
                                                                 : OSErr(cantFindHandler);
    auto* importer = new ComponentInstanceRecord{path};
    std::lock_guard lock(registryMutex);
    importers.insert(importer);
    *gi = importer;
    return noErr;
}

ComponentResult GraphicsImportSetBoundsRect(GraphicsImportComponent ci, const Rect* bounds) {
    if (!liveImporter(ci) || !bounds) return paramErr;
    ci->bounds = *bounds;
    return noErr;
}

ComponentResult GraphicsImportGetAsPicture(GraphicsImportComponent ci, PicHandle* picture) {
    if (!liveImporter(ci) || !picture) return paramErr;
    *picture = nullptr;
    QImage image = QImageReader(ci->path).read();
    if (image.isNull()) return codecErr;
    Rect frame = ci->bounds;
    if (isEmpty(frame))
        frame = Rect{0, 0, SInt16(std::min(image.height(), 0x7FFF)),
                     SInt16(std::min(image.width(), 0x7FFF))};
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return memFullErr;
    const size_t rowBytes = size_t(width) * sizeof(UInt32);
    const Size blockSize = Size(sizeof(Picture) + rowBytes * size_t(height));
    Handle block = NewHandle(blockSize);
    if (!block) return memFullErr;
    auto* header = reinterpret_cast<Picture*>(*block);
    header->picSize = SInt16(blockSize);
    header->picFrame = frame;
    char* pixels = *block + sizeof(Picture);
    for (int row = 0; row < height; ++row)
        std::memcpy(pixels + rowBytes * size_t(row), image.constScanLine(row), rowBytes);
    *picture = reinterpret_cast<PicHandle>(block);
    return noErr;
}

OSErr CloseComponent(ComponentInstance ci) {
    std::lock_guard lock(registryMutex);
    if (!importers.erase(ci)) return paramErr;
    delete ci;
    return noErr;
}

void KillPicture(PicHandle picture) {
    DisposeHandle(reinterpret_cast<Handle>(picture));
}
