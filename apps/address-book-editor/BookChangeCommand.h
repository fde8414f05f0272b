// One change of a book on the undo stack: redo applies the change, undo its inverse. The
// change was already made when the command is pushed, so its first redo does nothing.
#pragma once

#include <QrolBookChanges.h>

#include <QUndoCommand>

class BookSession;

class BookChangeCommand : public QUndoCommand {
  public:
    BookChangeCommand(BookSession* session, const QString& text, qrol::BookChange redo,
                      qrol::BookChange undo);

    void redo() override;
    void undo() override;

  private:
    BookSession* session_;
    qrol::BookChange redo_;
    qrol::BookChange undo_;
    bool made_ = true;
};
