#include "BookChangeCommand.h"

#include "BookSession.h"

BookChangeCommand::BookChangeCommand(BookSession* session, const QString& text,
                                     qrol::BookChange redo, qrol::BookChange undo)
    : QUndoCommand(text), session_(session), redo_(std::move(redo)), undo_(std::move(undo)) {}

// A change the book no longer allows (changed by another process) leaves the history.
void BookChangeCommand::redo() {
    if (made_) {
        made_ = false;
        return;
    }
    if (!session_->replay(redo_)) setObsolete(true);
}

void BookChangeCommand::undo() {
    if (!session_->replay(undo_)) setObsolete(true);
}
