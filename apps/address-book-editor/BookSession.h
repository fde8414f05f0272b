// The book open in the editor: its contents as last read, and every change made to it as an
// undoable command. Each change is written at once as one transaction, then the book is read
// again, so the contents always show the file (changes by other processes included).
#pragma once

#include "AddressBook.h"

#include <QObject>
#include <QUndoStack>

#include <memory>

struct ChangeOutcome {
    QString refusal;      // empty when the change was made
    SInt16 duplicate = 0; // the stored entry with the same name and number, when that refused it
    explicit operator bool() const { return refusal.isEmpty(); }
};

class BookSession : public QObject {
    Q_OBJECT
  public:
    explicit BookSession(QObject* parent = nullptr);

    // Opens the book (clearing the undo history); false when it cannot be read.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return book_ != nullptr; }
    const AddressBook* book() const { return book_.get(); }
    const BookContents& contents() const { return contents_; }
    QUndoStack* undoStack() { return &undoStack_; }

    // Makes the change (QrolBookChanges.h) and records its inverse for undo.
    ChangeOutcome perform(const QString& description, qrol::BookChange change);
    // Applies a change of the undo history; false (with a message sent) when the book no
    // longer allows it.
    bool replay(qrol::BookChange& change);
    // Reads the book again; failed() says so when it can no longer be read.
    void reload();

  signals:
    void contentsChanged();
    void failed(const QString& message);

  private:
    ChangeOutcome apply(qrol::BookChange& change);

    std::unique_ptr<AddressBook> book_;
    BookContents contents_;
    QUndoStack undoStack_;
};
