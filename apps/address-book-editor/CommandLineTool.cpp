#include "CommandLineTool.h"

#include "BookFolder.h"
#include "ContactFiles.h"
#include "ImportPlan.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

constexpr int kImportAttempts = 3;

QString tr(const char* text) {
    return QCoreApplication::translate("CommandLineTool", text);
}

int fail(const QString& reason) {
    std::fprintf(stderr, "address-book-editor: %s\n", qPrintable(reason));
    return 1;
}

int importInto(const QString& file, const QString& bookName) {
    const ContactFile contacts = readContactFile(file);
    if (!contacts.refusal.isEmpty()) return fail(contacts.refusal);
    if (!bookName.contains(u'/') && !BookFolder::isValidName(bookName))
        return fail(tr("\"%1\" is no book name: it is empty, begins with \".\" or names a "
                       "database's side file.")
                        .arg(bookName));
    const AddressBook book(BookFolder::bookPath(bookName));
    // Made unless it is there. Another process may be making the same book at this moment (its
    // file already there, still empty): making waits for it within the busy time-out.
    const QrolResult made = book.create();
    if (made != kQrolNoErr && made != kQrolErrAlreadyExists)
        return fail((QFile::exists(book.path()) ? tr("%1 is not an address book.")
                                                : tr("The book %1 cannot be made."))
                        .arg(book.path()));
    // Another process may add one of the entries between the read and the write, which refuses
    // the whole change: then the plan is made again from the book as it is now.
    ImportPlan plan;
    QrolResult written = kQrolErrAlreadyExists;
    for (int attempt = 0; attempt < kImportAttempts && written == kQrolErrAlreadyExists;
         ++attempt) {
        BookContents contents;
        if (!book.read(contents)) return fail(tr("%1 is not an address book.").arg(book.path()));
        plan = planImport(contacts, contents);
        qrol::BookChange change = plan.change(contents);
        written = book.apply(change);
    }
    if (written != kQrolNoErr)
        return fail(tr("Nothing was imported: %1 cannot be written.").arg(book.path()));
    std::fprintf(stderr, "%s\n",
                 qPrintable(tr("%1 entries imported into %2, %3 skipped.")
                                .arg(plan.entries.size())
                                .arg(book.name())
                                .arg(plan.skipped.size())));
    for (const SkippedContact& skipped : plan.skipped)
        std::fprintf(stderr, "  %s: %s\n", qPrintable(skipped.what), qPrintable(skipped.why));
    return 0;
}

int exportTo(const QString& bookName, const QString& file) {
    const AddressBook book(BookFolder::bookPath(bookName));
    BookContents contents;
    if (!book.read(contents))
        return fail(tr("%1 is missing or not an address book.").arg(book.path()));
    if (const QString refusal = writeContactFile(file, contents); !refusal.isEmpty())
        return fail(refusal);
    return 0;
}

} // namespace

int runCommand(const EditorOptions& options) {
    if (!options.error.isEmpty()) return fail(options.error);
    if (!options.importFile.isEmpty() && !options.exportBook.isEmpty())
        return fail(tr("Import and export one at a time."));
    return options.importFile.isEmpty() ? exportTo(options.exportBook, options.toFile)
                                        : importInto(options.importFile, options.intoBook);
}
