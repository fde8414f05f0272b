// The address book editor's books as a user and a script see them: imports of the common
// contact files and their round trips through the editor's own exports, undo and redo of
// every kind of change, and two processes writing one book at once.
#include <AddressBook.h>
#include <BookSession.h>
#include <ContactExport.h>
#include <ContactFiles.h>
#include <CsvContacts.h>
#include <ImportPlan.h>
#include <VCardReader.h>

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// What a book holds, Ids aside: entries, and each group with its members' names and numbers.
using Entries = std::set<std::tuple<QString, QString, QString, QString>>;
using Groups = std::set<std::pair<QString, std::set<QString>>>;

Entries entriesOf(const BookContents& book) {
    Entries entries;
    for (const BookEntry& entry : book.entries)
        entries.insert({entry.name, entry.number, entry.company, entry.memo});
    return entries;
}

Groups groupsOf(const BookContents& book) {
    Groups groups;
    for (const BookGroup& group : book.groups) {
        std::set<QString> members;
        for (SInt16 id : group.members)
            members.insert(book.entry(id)->name + u'/' + book.entry(id)->number);
        groups.insert({group.name, members});
    }
    return groups;
}

// A new book at path holding the contacts; the plan's skipped count.
qsizetype importInto(const QString& path, const ContactFile& file, BookContents& contents) {
    const AddressBook book(path);
    EXPECT_EQ(kQrolNoErr, book.create());
    ImportPlan plan = planImport(file, {});
    qrol::BookChange change = plan.change({});
    EXPECT_EQ(kQrolNoErr, book.apply(change));
    EXPECT_TRUE(book.read(contents));
    return plan.skipped.size();
}

class AddressBookEditorTest : public testing::Test {
  protected:
    QString book(const char* name) const { return folder_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir folder_{QString::fromStdString(testing::TempDir()) + "/editor-XXXXXX"};
};

TEST_F(AddressBookEditorTest, ImportsContactFilesAndTheirExportsGiveTheSameBook) {
    const struct {
        const char* file;
        Entries entries; // name, number, company, memo
        qsizetype skipped;
    } cases[] = {
        {"vcard21.vcf",
         {{"Anna Schmidt", "+49 30 2345 6789", "Norvale GmbH, Vertrieb",
           "Grüße aus Berlin, bitte vormittags faxen"},
          {"Jürgen Müller", "0049 89 123 456", "", ""}},
         1},
        {"vcard30.vcf",
         {{"Bernard Dupont", "+33 1 42 68 53 00", "Dupont & Fils, SARL",
           "Ligne un\nLigne deux; fin"},
          {"Bernard Dupont", "+33 1 42 68 53 01", "Dupont & Fils, SARL",
           "Ligne un\nLigne deux; fin"}},
         2},
        {"vcard40.vcf",
         {{"Hana Kobayashi", "+81-6-6341-8888", "小林商事", ""},
          {"Front Desk", "0800 555 0100", "", "Open 8,00-18,00"}},
         1},
        {"outlook.csv",
         {{"Grace Liu", "+1 415 555 0178", "Liu Design", "Prefers fax, not mail"},
          {"Frank J. Miller", "+1 212 555 0143", "", " "},
          {"Frank J. Miller", "+1 212 555 0144", "", " "}},
         1},
        {"google.csv",
         {{"Chiara Rossi", "+39 06 4880 2211", "Rossi S.p.A.", "Multi\nline"},
          {"Chiara Rossi", "+39 06 4880 2212", "Rossi S.p.A.", "Multi\nline"}},
         1},
        {"thunderbird.csv",
         {{"Emma Johansson", "+46 8 506 370 00", "Johansson; AB", ""},
          {"Jan Novák", "+420 2 2481 1111", "", "He said \"fax me\""}},
         0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.file);
        const ContactFile read =
            readContactFile(QStringLiteral(NV_CONTACT_FIXTURES "/") + test.file);
        ASSERT_TRUE(read.refusal.isEmpty()) << read.refusal.toStdString();
        BookContents imported;
        EXPECT_EQ(test.skipped, importInto(book(test.file), read, imported));
        EXPECT_EQ(test.entries, entriesOf(imported));
        for (const char* format : {"vcf", "csv"}) {
            const QString exported = book(test.file) + u'.' + QLatin1String(format);
            ASSERT_EQ(QString(), writeContactFile(exported, imported));
            BookContents again;
            EXPECT_EQ(
                0, importInto(exported + QLatin1String(".book"), readContactFile(exported), again));
            EXPECT_EQ(entriesOf(imported), entriesOf(again)) << format;
            EXPECT_EQ(groupsOf(imported), groupsOf(again)) << format;
        }
    }
}

TEST_F(AddressBookEditorTest, EveryChangeUndoesAndRedoes) {
    const QString path = book("Undo");
    ASSERT_EQ(kQrolNoErr, AddressBook(path).create());
    BookSession session;
    ASSERT_TRUE(session.open(path));
    const auto entry = [](const char* name, const char* number) {
        return toRecord(BookEntry{0, name, number, "Company", "Memo", 1700000000});
    };
    qrol::BookChange start;
    start.entries = {entry("Anna", "1"), entry("Bernard", "2")};
    start.groups = {toRecord(BookGroup{0, "Team", {-1, -2}})};
    ASSERT_TRUE(session.perform("start", start));
    const SInt16 anna = session.contents().entries[0].id;
    const SInt16 team = session.contents().groups[0].id;

    qrol::BookChange added, edited, removed, grouped, ungrouped, renamed;
    added.entries = {entry("Chiara", "3")};
    edited.entries = {toRecord(BookEntry{anna, "Anna S.", "10", "", "", 0})};
    removed.removedEntries = {anna};
    grouped.groups = {toRecord(BookGroup{0, "Others", {anna}})};
    ungrouped.removedGroups = {team};
    renamed.groups = {toRecord(BookGroup{team, "Crew", {anna}})};
    for (const qrol::BookChange& change : {added, edited, removed, grouped, ungrouped, renamed}) {
        const Entries entriesBefore = entriesOf(session.contents());
        const Groups groupsBefore = groupsOf(session.contents());
        ASSERT_TRUE(session.perform("change", change));
        const Entries entriesAfter = entriesOf(session.contents());
        const Groups groupsAfter = groupsOf(session.contents());
        EXPECT_TRUE(entriesAfter != entriesBefore || groupsAfter != groupsBefore);
        session.undoStack()->undo();
        EXPECT_EQ(entriesBefore, entriesOf(session.contents()));
        EXPECT_EQ(groupsBefore, groupsOf(session.contents()));
        session.undoStack()->redo();
        EXPECT_EQ(entriesAfter, entriesOf(session.contents()));
        EXPECT_EQ(groupsAfter, groupsOf(session.contents()));
        session.undoStack()->undo();
    }
    // A duplicate is refused, naming the stored entry.
    const ChangeOutcome duplicate = session.perform("duplicate", [&] {
        qrol::BookChange change;
        change.entries = {entry("Anna", "1")};
        return change;
    }());
    EXPECT_FALSE(duplicate);
    EXPECT_EQ(anna, duplicate.duplicate);
}

TEST_F(AddressBookEditorTest, VCardEncodingsAreDecodedOrTheCardIsSkippedWithTheReason) {
    const struct {
        const char* note;
        const char* memo;   // the note read, when the card is taken
        const char* reason; // part of why it is skipped, when it is not
    } cases[] = {
        {"NOTE;ENCODING=QUOTED-PRINTABLE:Gr=C3=BC=\r\n=C3=9Fe", "Grüße", nullptr},
        {"NOTE;ENCODING=QUOTED-PRINTABLE:a=-1b", "a-1b", nullptr}, // no hex digits: no byte
        {"NOTE;ENCODING=BASE64:SGFsbG8=", nullptr, "encoding BASE64 of NOTE"},
        {"NOTE;CHARSET=ISO-8859-1:Gr\xFC\xDF", "Grüß", nullptr},
        {"NOTE:Gr\xFC\xDF", nullptr, "not valid UTF-8"}, // Latin-1 bytes without their charset
        {"NOTE;CHARSET=X-NONE:Gr\xFC\xDF", nullptr, "character set X-NONE is unknown"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.note);
        const ContactFile file = readVCards(QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Anna"
                                                       "\r\nTEL;FAX:1\r\n") +
                                            test.note + "\r\nEND:VCARD\r\n");
        if (test.memo) {
            ASSERT_EQ(1, file.contacts.size());
            EXPECT_EQ(QString::fromUtf8(test.memo), file.contacts[0].memo);
        } else {
            ASSERT_EQ(1, file.skipped.size());
            EXPECT_TRUE(file.skipped[0].why.contains(QLatin1String(test.reason)))
                << file.skipped[0].why.toStdString();
        }
    }
}

TEST_F(AddressBookEditorTest, CommandsEndWithAStatusAndAOneLineReasonWithoutADisplay) {
    const QString out = book("out.csv");
    const struct {
        QStringList arguments;
        const char* reason; // part of the line on standard error
    } cases[] = {
        {{"--import"}, "--import needs a value."},
        {{"--export", "Missing", "--to", out}, "is missing or not an address book."},
        {{"--import", NV_CONTACT_FIXTURES "/vcard40.vcf", "--into", ".hidden"}, "is no book name"},
        {{"--screenshot", folder_.path()}, "--screenshot DIR goes with --offscreen."},
        {{}, "there is no display"},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    environment.insert("NV_ADDRESS_BOOK_DIR", folder_.path());
    for (const auto& test : cases) {
        SCOPED_TRACE(test.reason);
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(NV_ADDRESS_BOOK_EDITOR, test.arguments);
        ASSERT_TRUE(editor.waitForFinished(30000));
        const QString error = QString::fromLocal8Bit(editor.readAllStandardError());
        EXPECT_EQ(1, editor.exitCode());
        EXPECT_EQ(1, error.count(u'\n')) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(test.reason))) << error.toStdString();
    }
}

TEST_F(AddressBookEditorTest, TwoProcessesImportingIntoOneBookLoseNothing) {
    constexpr int kEach = 300;
    QProcess importers[2];
    for (int p = 0; p < 2; ++p) {
        QByteArray csv = "Name,Fax\r\n";
        for (int i = 0; i < kEach; ++i)
            csv += QStringLiteral("Writer %1 entry %2,+49 30 %3\r\n").arg(p).arg(i).arg(i).toUtf8();
        const QString file = book(p ? "second.csv" : "first.csv");
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(csv);
        out.close();
        importers[p].start(NV_ADDRESS_BOOK_EDITOR, {"--import", file, "--into", book("Shared")});
    }
    for (QProcess& importer : importers) {
        ASSERT_TRUE(importer.waitForFinished(30000));
        EXPECT_EQ(0, importer.exitCode()) << importer.readAllStandardError().toStdString();
    }
    BookContents shared;
    ASSERT_TRUE(AddressBook(book("Shared")).read(shared));
    EXPECT_EQ(size_t(2 * kEach), shared.entries.size());
}

} // namespace
