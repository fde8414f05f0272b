#include "VCardReader.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <optional>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("VCardReader", text);
}

struct Property {
    QByteArray name;                                     // upper case, without its group
    QList<QPair<QByteArray, QByteArrayList>> parameters; // names upper case
    QByteArray value;

    QByteArrayList parameter(const QByteArray& key) const {
        QByteArrayList values;
        for (const auto& [name, list] : parameters)
            if (name == key) values += list;
        return values;
    }
    bool hasType(const QByteArray& type) const {
        for (const QByteArray& value : parameter("TYPE"))
            if (value.toUpper() == type) return true;
        return false;
    }
};

// Splits at the separator outside double quotes.
QByteArrayList splitOutsideQuotes(const QByteArray& text, char separator) {
    QByteArrayList parts;
    QByteArray part;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == separator && !quoted) {
            parts += part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts += part;
    return parts;
}

// "group.NAME;KEY=a,b;BARE:value"; none when the line has no ':' outside quotes.
std::optional<Property> parseProperty(const QByteArray& line) {
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) colon = i;
    }
    if (colon <= 0) return std::nullopt;
    QByteArrayList head = splitOutsideQuotes(line.left(colon), ';');
    Property property;
    property.name = head.takeFirst().trimmed().toUpper();
    if (const qsizetype dot = property.name.lastIndexOf('.'); dot >= 0)
        property.name = property.name.mid(dot + 1);
    if (property.name.isEmpty()) return std::nullopt;
    for (const QByteArray& parameter : head) {
        const qsizetype equals = parameter.indexOf('=');
        // A bare value (vCard 2.1: TEL;WORK;FAX) is a type.
        const QByteArray key = equals < 0 ? "TYPE" : parameter.left(equals).trimmed().toUpper();
        QByteArrayList values;
        // TYPE="fax,work" lists two types, as TYPE=fax,work does.
        for (const QByteArray& value : parameter.mid(equals + 1).replace('"', "").split(','))
            values += value.trimmed();
        property.parameters.append({key, values});
    }
    property.value = line.mid(colon + 1);
    return property;
}

// The value of a hex digit, or -1.
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "=XX" is the byte XX (two hex digits); a "=" without them is a soft break and goes.
QByteArray decodeQuotedPrintable(const QByteArray& text) {
    QByteArray decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            decoded += text[i];
            continue;
        }
        const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
            decoded += char(high * 16 + low);
            i += 2;
        }
    }
    return decoded;
}

// The value split at unescaped separators, each part unescaped (\n, \\, \, and \;).
QStringList textValues(const QString& value, QChar separator) {
    QStringList parts(QString{});
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            parts.last() += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        } else if (c == separator) {
            parts += QString();
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString textValue(const QString& value) {
    return textValues(value, QChar(0)).constFirst();
}

// The fax number of a TEL value: a tel: URI without its parameters, or the text.
QString telephoneNumber(const QString& value) {
    if (!value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) return value.trimmed();
    return value.mid(4).section(u';', 0, 0).trimmed();
}

class CardBuilder {
  public:
    explicit CardBuilder(int line) { contact_.place = tr("line %1").arg(line); }

    bool failed() const { return !problem_.isEmpty(); }
    void fail(const QString& problem) {
        if (problem_.isEmpty()) problem_ = problem;
    }

    void take(const Property& property) {
        if (failed()) return;
        if (property.name == "VERSION") {
            version_ = property.value.trimmed();
            if (version_ != "2.1" && version_ != "3.0" && version_ != "4.0")
                fail(tr("vCard version %1 is not supported").arg(QString::fromLatin1(version_)));
            return;
        }
        static const QByteArrayList kept = {"FN", "N", "ORG", "NOTE", "TEL", "CATEGORIES"};
        if (!kept.contains(property.name)) return;
        const auto value = decode(property);
        if (!value) return;
        if (property.name == "FN") {
            contact_.name = textValue(*value).trimmed();
        } else if (property.name == "N") {
            const QStringList parts = textValues(*value, u';'); // family;given;additional;...
            QStringList name;
            for (int i : {3, 1, 2, 0, 4})
                if (i < parts.size() && !parts[i].trimmed().isEmpty()) name += parts[i].trimmed();
            structuredName_ = name.join(u' ');
        } else if (property.name == "ORG") {
            QStringList parts = textValues(*value, u';');
            parts.removeAll(QString());
            contact_.company = parts.join(QLatin1String(", "));
        } else if (property.name == "NOTE") {
            contact_.memo = textValue(*value);
        } else if (property.name == "CATEGORIES") {
            for (const QString& group : textValues(*value, u','))
                if (!group.trimmed().isEmpty()) contact_.groups += group.trimmed();
        } else if (property.hasType("FAX")) {
            contact_.faxNumbers += telephoneNumber(*value);
        }
    }

    // The contact, or a skipped one with the reason.
    void finish(ContactFile& file) {
        if (version_.isEmpty()) fail(tr("the card has no VERSION"));
        if (contact_.name.isEmpty()) contact_.name = structuredName_;
        if (failed())
            file.skipped.append(
                {contact_.name.isEmpty() ? contact_.place : contact_.name, problem_});
        else
            file.contacts.append(contact_);
    }

    bool isVersion21() const { return version_ == "2.1"; }

  private:
    // The property's text: quoted-printable and any charset in 2.1, UTF-8 otherwise.
    std::optional<QString> decode(const Property& property) {
        QByteArray bytes = property.value;
        const QByteArrayList encoding = property.parameter("ENCODING");
        if (!encoding.isEmpty()) {
            if (encoding.constFirst().toUpper() != "QUOTED-PRINTABLE") {
                fail(tr("the encoding %1 of %2 is not supported")
                         .arg(QString::fromLatin1(encoding.constFirst()),
                              QString::fromLatin1(property.name)));
                return std::nullopt;
            }
            bytes = decodeQuotedPrintable(bytes);
        }
        const QByteArrayList charset = property.parameter("CHARSET");
        if (!charset.isEmpty() && !isVersion21()) {
            fail(tr("CHARSET belongs to vCard 2.1 only"));
            return std::nullopt;
        }
        QStringDecoder decoder(charset.isEmpty() ? QByteArray("UTF-8") : charset.constFirst());
        if (!decoder.isValid()) {
            fail(tr("the character set %1 is unknown")
                     .arg(QString::fromLatin1(charset.constFirst())));
            return std::nullopt;
        }
        QString text = decoder.decode(bytes);
        if (decoder.hasError()) {
            fail(tr("the text is not valid %1").arg(QString::fromLatin1(decoder.name())));
            return std::nullopt;
        }
        return text;
    }

    Contact contact_;
    QString structuredName_;
    QByteArray version_;
    QString problem_;
};

// The physical lines joined into logical ones: a line beginning with a space or tab continues
// the one before (3.0 and 4.0 drop that first character, 2.1 keeps it), and a quoted-printable
// line ending in a soft break "=" continues on the next.
struct LogicalLine {
    QByteArray text;
    int number;
};

QList<LogicalLine> unfold(const QByteArray& bytes) {
    QList<LogicalLine> lines;
    bool keepWhitespace = false;  // inside a 2.1 card
    bool quotedPrintable = false; // the last logical line's value is quoted-printable
    int number = 0;
    for (QByteArray line : bytes.split('\n')) {
        ++number;
        if (line.endsWith('\r')) line.chop(1);
        const bool softBreak =
            !lines.isEmpty() && quotedPrintable && lines.last().text.endsWith('=');
        const bool folded = !lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'));
        if (softBreak) {
            lines.last().text.chop(1);
            lines.last().text += line;
        } else if (folded) {
            lines.last().text += keepWhitespace ? line : line.mid(1);
        } else {
            const qsizetype colon = line.indexOf(':');
            quotedPrintable = colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
            lines.append({line, number});
            const QByteArray upper = line.trimmed().toUpper();
            if (upper == "VERSION:2.1") keepWhitespace = true;
            if (upper == "BEGIN:VCARD") keepWhitespace = false;
        }
    }
    return lines;
}

} // namespace

ContactFile readVCards(const QByteArray& input) {
    ContactFile file;
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    std::optional<CardBuilder> card;
    for (const LogicalLine& line : unfold(bytes)) {
        const QByteArray upper = line.text.trimmed().toUpper();
        if (upper.isEmpty()) continue;
        if (!card) {
            if (upper == "BEGIN:VCARD") {
                card.emplace(line.number);
            } else if (file.contacts.isEmpty() && file.skipped.isEmpty()) {
                file.refusal = tr("The file is not a vCard file (line %1).").arg(line.number);
                return file;
            } else {
                file.skipped.append({tr("line %1").arg(line.number), tr("text outside a card")});
            }
            continue;
        }
        if (upper == "END:VCARD") {
            card->finish(file);
            card.reset();
        } else if (upper == "BEGIN:VCARD") {
            card->fail(tr("a card inside a card at line %1").arg(line.number));
        } else if (const auto property = parseProperty(line.text)) {
            card->take(*property);
        } else {
            card->fail(tr("line %1 is no property").arg(line.number));
        }
    }
    if (card) {
        card->fail(tr("the card has no END:VCARD"));
        card->finish(file);
    }
    return file;
}
