#include "CFPropertyList.h"
#include "CFArray.h"
#include "CFDictionary.h"
#include "CFInternal.h"
#include "CFNumber.h"
#include "CFRef.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

CFStringRef fromQString(const QString& text) {
    return cf::makeString(
        std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

QString toQString(CFStringRef string) {
    const auto text = cf::chars(string);
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// XML 1.0 carries tab, line feed, carriage return and the characters from U+0020 up, but no
// lone surrogate, U+FFFE or U+FFFF. A text with any other cannot be written so that it reads
// back (and a document whose declared encoding decodes to one is not a property list).
bool isXmlText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
        } else if (unit < 0x20 ? unit != 0x09 && unit != 0x0A && unit != 0x0D
                               : QChar::isSurrogate(unit) || unit >= 0xFFFE) {
            return false;
        }
    }
    return true;
}

class Reader {
  public:
    Reader(const QByteArray& data, CFOptionFlags options) : xml_(data), options_(options) {}

    CFPropertyListRef read() {
        if (!xml_.readNextStartElement() || xml_.name() != u"plist") {
            fail("no <plist> element");
            return nullptr;
        }
        if (!xml_.readNextStartElement()) {
            fail("an empty <plist>");
            return nullptr;
        }
        CFRef<CFPropertyListRef> value(readValue());
        if (value && xml_.readNextStartElement()) fail("more than one value in <plist>");
        return error_.isEmpty() ? value.release() : nullptr;
    }
    const QString& error() const { return error_; }

  private:
    void fail(const QString& message) {
        if (error_.isEmpty())
            error_ = xml_.hasError()
                         ? xml_.errorString()
                         : message + QStringLiteral(" at line %1").arg(xml_.lineNumber());
    }

    // Reads the element the reader stands on; null on failure.
    CFPropertyListRef readValue() {
        const QString name = xml_.name().toString();
        if (name == u"dict") return readDictionary();
        if (name == u"array") return readArray();
        if (name == u"true" || name == u"false") {
            xml_.skipCurrentElement();
            return name == u"true" ? kCFBooleanTrue : kCFBooleanFalse;
        }
        const QString text = xml_.readElementText();
        if (xml_.hasError()) return fail({}), nullptr;
        if (name == u"string" && isXmlText(text)) {
            CFStringRef string = fromQString(text);
            if (!(options_ & kCFPropertyListMutableContainersAndLeaves)) return string;
            CFMutableStringRef copy = CFStringCreateMutableCopy(nullptr, 0, string);
            CFRelease(string);
            return copy;
        }
        if (name == u"integer") {
            bool ok = false;
            const long long value = text.trimmed().toLongLong(&ok);
            if (ok) return CFNumberCreate(nullptr, kCFNumberSInt64Type, &value);
        } else if (name == u"real") {
            bool ok = false;
            const double value = text.trimmed().toDouble(&ok);
            if (ok) return CFNumberCreate(nullptr, kCFNumberFloat64Type, &value);
        } else if (name == u"data") {
            const auto decoded =
                QByteArray::fromBase64Encoding(text.toLatin1().simplified().replace(" ", ""),
                                               QByteArray::AbortOnBase64DecodingErrors);
            if (decoded) {
                const auto* bytes = reinterpret_cast<const UInt8*>(decoded.decoded.constData());
                return CFDataCreate(nullptr, bytes, decoded.decoded.size());
            }
        }
        fail(QStringLiteral("a bad <%1> value").arg(name));
        return nullptr;
    }

    CFPropertyListRef readDictionary() {
        CFRef<CFMutableDictionaryRef> dictionary(CFDictionaryCreateMutable(
            nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"key") return fail("a <dict> entry without <key>"), nullptr;
            const QString keyText = xml_.readElementText();
            if (!isXmlText(keyText)) return fail("a bad <key>"), nullptr;
            CFRef<CFStringRef> key(fromQString(keyText));
            if (!xml_.readNextStartElement()) return fail("a <key> without a value"), nullptr;
            CFRef<CFPropertyListRef> value(readValue());
            if (!value) return nullptr;
            CFDictionarySetValue(dictionary.get(), key.get(), value.get());
        }
        if (xml_.hasError()) return fail({}), nullptr;
        if (options_ & kCFPropertyListMutableContainers) return dictionary.release();
        return CFDictionaryCreateCopy(nullptr, dictionary.get());
    }

    CFPropertyListRef readArray() {
        CFRef<CFMutableArrayRef> array(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
        while (xml_.readNextStartElement()) {
            CFRef<CFPropertyListRef> value(readValue());
            if (!value) return nullptr;
            CFArrayAppendValue(array.get(), value.get());
        }
        if (xml_.hasError()) return fail({}), nullptr;
        if (options_ & kCFPropertyListMutableContainers) return array.release();
        return CFArrayCreateCopy(nullptr, array.get());
    }

    QXmlStreamReader xml_;
    CFOptionFlags options_;
    QString error_;
};

bool writeValue(QXmlStreamWriter& xml, CFPropertyListRef value) {
    const CFTypeID type = CFGetTypeID(value);
    if (type == CFStringGetTypeID()) {
        const QString text = toQString(static_cast<CFStringRef>(value));
        if (!isXmlText(text)) return false;
        xml.writeTextElement("string", text);
    } else if (type == CFBooleanGetTypeID()) {
        xml.writeEmptyElement(CFBooleanGetValue(static_cast<CFBooleanRef>(value)) ? "true"
                                                                                  : "false");
    } else if (type == CFNumberGetTypeID()) {
        const auto number = static_cast<CFNumberRef>(value);
        if (CFNumberIsFloatType(number)) {
            double real = 0;
            CFNumberGetValue(number, kCFNumberFloat64Type, &real);
            xml.writeTextElement("real", QString::number(real, 'g', 17));
        } else {
            long long integer = 0;
            CFNumberGetValue(number, kCFNumberSInt64Type, &integer);
            xml.writeTextElement("integer", QString::number(integer));
        }
    } else if (type == CFDataGetTypeID()) {
        const auto data = static_cast<CFDataRef>(value);
        const QByteArray bytes(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                               qsizetype(CFDataGetLength(data)));
        xml.writeTextElement("data", QString::fromLatin1(bytes.toBase64()));
    } else if (type == CFArrayGetTypeID()) {
        const auto array = static_cast<CFArrayRef>(value);
        xml.writeStartElement("array");
        for (CFIndex i = 0; i < CFArrayGetCount(array); ++i)
            if (!writeValue(xml, CFArrayGetValueAtIndex(array, i))) return false;
        xml.writeEndElement();
    } else if (type == CFDictionaryGetTypeID()) {
        const auto dictionary = static_cast<CFDictionaryRef>(value);
        std::vector<const void*> keys(size_t(CFDictionaryGetCount(dictionary)));
        CFDictionaryGetKeysAndValues(dictionary, keys.data(), nullptr);
        if (!std::all_of(keys.begin(), keys.end(), cf::isString)) return false;
        std::sort(keys.begin(), keys.end(), [](const void* a, const void* b) {
            return CFStringCompare(static_cast<CFStringRef>(a), static_cast<CFStringRef>(b), 0) ==
                   kCFCompareLessThan;
        }); // a stable order, so that unchanged preferences write unchanged files
        xml.writeStartElement("dict");
        for (const void* key : keys) {
            const QString text = toQString(static_cast<CFStringRef>(key));
            if (!isXmlText(text)) return false;
            xml.writeTextElement("key", text);
            if (!writeValue(xml, CFDictionaryGetValue(dictionary, key))) return false;
        }
        xml.writeEndElement();
    } else {
        return false;
    }
    return true;
}

} // namespace

CFPropertyListRef CFPropertyListCreateWithData(CFAllocatorRef, CFDataRef data,
                                               CFOptionFlags options, CFPropertyListFormat* format,
                                               CFErrorRef* error) {
    if (error) *error = nullptr;
    if (!data) return nullptr;
    const QByteArray bytes(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                           qsizetype(CFDataGetLength(data)));
    Reader reader(bytes, options);
    CFPropertyListRef value = reader.read();
    if (!value)
        std::fprintf(stderr, "CFPropertyList: malformed property list: %s\n",
                     reader.error().toUtf8().constData());
    else if (format)
        *format = kCFPropertyListXMLFormat_v1_0;
    return value;
}

CFDataRef CFPropertyListCreateData(CFAllocatorRef, CFPropertyListRef propertyList,
                                   CFPropertyListFormat format, CFOptionFlags, CFErrorRef* error) {
    if (error) *error = nullptr;
    if (!propertyList || format != kCFPropertyListXMLFormat_v1_0) return nullptr;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                 "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">");
    xml.writeStartElement("plist");
    xml.writeAttribute("version", "1.0");
    if (!writeValue(xml, propertyList)) return nullptr;
    xml.writeEndElement();
    xml.writeEndDocument();
    return CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(bytes.constData()), bytes.size());
}

namespace cf {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

CFDictionaryRef createDictionaryFromPropertyList(std::string_view bytes, CFOptionFlags options) {
    CFRef<CFDataRef> data(
        CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(bytes.data()), CFIndex(bytes.size())));
    CFRef<CFPropertyListRef> list(
        CFPropertyListCreateWithData(nullptr, data.get(), options, nullptr, nullptr));
    if (CFGetTypeID(list.get()) != CFDictionaryGetTypeID()) return nullptr;
    return static_cast<CFDictionaryRef>(list.release());
}

} // namespace cf
