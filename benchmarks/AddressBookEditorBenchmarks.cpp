// The address book editor on a 10,000-entry book: opening it and showing it in the window,
// one search keystroke over it, and importing 10,000 vCards into a new book.
#include <AddressBook.h>
#include <ContactFiles.h>
#include <ImportPlan.h>
#include <MainWindow.h>
#include <VCardReader.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 10000;

QByteArray sampleVCards() {
    QByteArray cards;
    for (int i = 0; i < kEntries; ++i)
        cards += QStringLiteral("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Recipient %1\r\n"
                                "TEL;VALUE=uri;TYPE=\"fax,work\":tel:+49-30-%2\r\n"
                                "ORG:Company of some length\r\nNOTE:A memo about this "
                                "recipient\r\nEND:VCARD\r\n")
                     .arg(i)
                     .arg(1000000 + i)
                     .toUtf8();
    return cards;
}

// A new book at path with the sample entries.
bool importSample(const QString& path, const QByteArray& cards) {
    const AddressBook book(path);
    if (book.create() != kQrolNoErr) return false;
    ImportPlan plan = planImport(readVCards(cards), {});
    qrol::BookChange change = plan.change({});
    return book.apply(change) == kQrolNoErr && plan.entries.size() == size_t(kEntries);
}

void BM_EditorImportTenThousandVCards(benchmark::State& state) {
    const QByteArray cards = sampleVCards();
    QTemporaryDir folder;
    int run = 0;
    for (auto _ : state)
        if (!importSample(folder.filePath(QString::number(run++)), cards))
            state.SkipWithError("the import failed");
}
BENCHMARK(BM_EditorImportTenThousandVCards)->Unit(benchmark::kMillisecond);

// The editor's window, shown, beside a new book of the sample entries.
struct ShownEditor {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Benchmark"));
    const bool made = importSample(path, sampleVCards());
    MainWindow window;
    ShownEditor() { window.show(); }
};

void BM_EditorOpenAndShowTenThousandEntryBook(benchmark::State& state) {
    ShownEditor editor;
    if (!editor.made) state.SkipWithError("the sample book could not be made");
    const QString& path = editor.path;
    MainWindow& window = editor.window;
    for (auto _ : state) {
        window.openBookFile(path);
        window.repaint(); // shown: the rows in view painted
    }
}
BENCHMARK(BM_EditorOpenAndShowTenThousandEntryBook)->Unit(benchmark::kMillisecond);

void BM_EditorSearchKeystroke(benchmark::State& state) {
    ShownEditor editor;
    if (!editor.made) state.SkipWithError("the sample book could not be made");
    MainWindow& window = editor.window;
    window.openBookFile(editor.path);
    QLineEdit* search = window.findChild<QLineEdit*>();
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        if (field->accessibleName() == QLatin1String("Search")) search = field;
    bool narrow = false;
    for (auto _ : state) {
        search->setText(narrow ? QStringLiteral("recipient 99") : QStringLiteral("recipient 9"));
        window.repaint();
        narrow = !narrow;
    }
}
BENCHMARK(BM_EditorSearchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
