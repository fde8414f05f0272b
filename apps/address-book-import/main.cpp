// address-book-import <book> <entries.json>
// Appends the entries of a JSON array, [{"name": ..., "number": ..., "company": ...,
// "memo": ...}, ...], to the address-book file <book>: a path, or a bare name in the
// address-book folder. All are added or none; the reason is printed when they are not.
#include <QrolFields.h>
#include <QrolKit.h>

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

void setText(UInt8* field, size_t size, const QString& text) {
    qrol::writeField(
        field, size,
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

const char* describe(QrolResult result) {
    switch (result) {
    case kQrolErrNoName:
        return "an entry has no name";
    case kQrolErrAlreadyExists:
        return "an entry's name and number are already in the book or the list";
    case kQrolErrParam:
        return "an entry has no number";
    case kQrolErrFile:
        return "the file is not an address book, is damaged or is locked";
    default:
        return "the entries could not be added";
    }
}

QString bookPath(const QString& book) {
    if (book.contains('/')) return book;
    CFStringRef folder = QrolGADFile_GetFileDirectory();
    if (!folder) return book;
    char buffer[4096];
    const bool known = CFStringGetCString(folder, buffer, sizeof buffer, kCFStringEncodingUTF8);
    CFRelease(folder);
    return known ? QString::fromUtf8(buffer) + '/' + book : book;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <book> <entries.json>\n", argv[0]);
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[2]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[2]);
        return 1;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(input.readAll(), &error);
    if (!document.isArray()) {
        std::fprintf(stderr, "%s: %s is not a JSON array (%s)\n", argv[0], argv[2],
                     qPrintable(error.errorString()));
        return 1;
    }
    const QJsonArray list = document.array();
    if (list.size() > 65535) {
        std::fprintf(stderr, "%s: at most 65535 entries at once\n", argv[0]);
        return 1;
    }
    const SInt64 now = QDateTime::currentSecsSinceEpoch();
    std::vector<QrolMyFaxRecord> entries(size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject item = list.at(i).toObject();
        QrolMyFaxRecord& entry = entries[size_t(i)];
        setText(entry.name, sizeof entry.name, item.value("name").toString());
        setText(entry.faxNumber, sizeof entry.faxNumber, item.value("number").toString());
        setText(entry.company, sizeof entry.company, item.value("company").toString());
        setText(entry.memo, sizeof entry.memo, item.value("memo").toString());
        entry.creationTime = now;
    }

    QROLDataRef data = QROLData_Create();
    const QByteArray path = bookPath(QString::fromLocal8Bit(argv[1])).toUtf8();
    CFStringRef pathString =
        CFStringCreateWithCString(nullptr, path.constData(), kCFStringEncodingUTF8);
    if (!pathString) {
        std::fprintf(stderr, "%s: %s is not a usable path\n", argv[0], argv[1]);
        QROLData_Delete(data);
        return 1;
    }
    QrolResult result =
        data ? QROLData_Add_MyFax(data, UInt16(entries.size()), entries.data()) : kQrolErrMemory;
    if (result == kQrolNoErr) result = QrolGADFile_Add(pathString, data, 0);
    CFRelease(pathString);
    QROLData_Delete(data);
    if (result != kQrolNoErr) {
        std::fprintf(stderr, "%s: nothing added to %s: %s\n", argv[0], path.constData(),
                     describe(result));
        return 1;
    }
    std::printf("%zu entries added to %s\n", entries.size(), path.constData());
    return 0;
}
