#include "MainWindow.h"

#include "BookFolder.h"
#include "BookView.h"
#include "ContactFiles.h"
#include "DeviceTab.h"
#include "ImportDialog.h"
#include "ImportPlan.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

MainWindow::MainWindow()
    : books_(new QListWidget), tabs_(new QTabWidget), bookView_(new BookView(&session_)),
      deviceTab_(new DeviceTab) {
    setWindowTitle(tr("Address Book Editor"));
    books_->setAccessibleName(tr("Books"));
    tabs_->addTab(bookView_, tr("Book"));
    tabs_->addTab(deviceTab_, tr("Device"));
    auto* splitter = new QSplitter;
    splitter->addWidget(books_);
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({160, 940});
    setCentralWidget(splitter);
    buildActions();
    resize(1100, 600);

    connect(books_, &QListWidget::itemSelectionChanged, this, &MainWindow::openChosenBook);
    connect(&session_, &BookSession::contentsChanged, this, &MainWindow::updateTitle);
    connect(&session_, &BookSession::failed, this,
            [this](const QString& message) { QMessageBox::warning(this, windowTitle(), message); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &session_, &BookSession::reload);
    connect(deviceTab_, &DeviceTab::copyRequested, this, &MainWindow::copyFromDevice);
    listBooks();
    updateTitle();
}

void MainWindow::buildActions() {
    QUndoStack* undo = session_.undoStack();
    QAction* undoAction = undo->createUndoAction(this, tr("Undo"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = undo->createRedoAction(this, tr("Redo"));
    redoAction->setShortcut(QKeySequence::Redo);
    // The tool bar names its buttons plainly, whatever the next change is.
    undoAction->setIconText(tr("Undo"));
    redoAction->setIconText(tr("Redo"));

    auto* newBookAction = new QAction(tr("New Book..."), this);
    auto* openAction = new QAction(tr("Open Book File..."), this);
    openAction->setShortcut(QKeySequence::Open);
    auto* renameAction = new QAction(tr("Rename Book..."), this);
    auto* deleteAction = new QAction(tr("Delete Book..."), this);
    auto* importAction = new QAction(tr("Import..."), this);
    auto* exportAction = new QAction(tr("Export..."), this);
    auto* quitAction = new QAction(tr("Quit"), this);
    quitAction->setShortcut(QKeySequence::Quit);
    bookActions_ = {renameAction, deleteAction, importAction, exportAction};
    connect(newBookAction, &QAction::triggered, this, &MainWindow::newBook);
    connect(openAction, &QAction::triggered, this, &MainWindow::openBookDialog);
    connect(renameAction, &QAction::triggered, this, &MainWindow::renameBook);
    connect(deleteAction, &QAction::triggered, this, &MainWindow::deleteBook);
    connect(importAction, &QAction::triggered, this, &MainWindow::importFile);
    connect(exportAction, &QAction::triggered, this, &MainWindow::exportBook);
    connect(quitAction, &QAction::triggered, qApp, &QApplication::quit);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({newBookAction, openAction, renameAction, deleteAction});
    file->addSeparator();
    file->addActions({importAction, exportAction});
    file->addSeparator();
    file->addAction(quitAction);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undoAction, redoAction});
    edit->addSeparator();
    edit->addActions({bookView_->newEntryAction(), bookView_->editEntryAction(),
                      bookView_->deleteEntriesAction(), bookView_->newGroupAction()});

    QToolBar* tools = addToolBar(tr("Tools"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({newBookAction, renameAction, deleteAction});
    tools->addSeparator();
    tools->addActions({undoAction, redoAction});
    tools->addSeparator();
    tools->addActions({importAction, exportAction});
}

void MainWindow::listBooks() {
    const QSignalBlocker quiet(books_);
    books_->clear();
    books_->addItems(BookFolder::names());
}

void MainWindow::openBookFile(const QString& path) {
    if (!session_.open(path)) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1 is missing or not an address book.").arg(path));
        return;
    }
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    watcher_.addPath(path);
    const QSignalBlocker quiet(books_); // the folder's list shows the book it opened
    books_->setCurrentItem(nullptr);
    for (int row = 0; row < books_->count(); ++row)
        if (QFileInfo(BookFolder::bookPath(books_->item(row)->text())) == QFileInfo(path))
            books_->setCurrentRow(row);
    tabs_->setCurrentWidget(bookView_);
}

void MainWindow::openChosenBook() {
    const QListWidgetItem* item = books_->currentItem();
    if (item && item->isSelected()) openBookFile(BookFolder::bookPath(item->text()));
}

void MainWindow::updateTitle() {
    const bool open = session_.isOpen();
    setWindowTitle(open ? tr("%1 - Address Book Editor").arg(session_.book()->name())
                        : tr("Address Book Editor"));
    for (QAction* action : bookActions_)
        action->setEnabled(open);
    deviceTab_->setCopyEnabled(open);
    if (open)
        statusBar()->showMessage(tr("%1 entries, %2 groups")
                                     .arg(session_.contents().entries.size())
                                     .arg(session_.contents().groups.size()));
}

void MainWindow::newBook() {
    nameBook(tr("New Book"), {}, &BookFolder::create);
}

void MainWindow::renameBook() {
    if (!session_.isOpen()) return;
    const QString name = session_.book()->name();
    nameBook(tr("Rename Book"), name, [name](const QString& newName) {
        return newName == name ? QString() : BookFolder::rename(name, newName);
    });
}

void MainWindow::nameBook(const QString& title, const QString& name,
                          const std::function<QString(const QString&)>& act) {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(this, title, tr("Book name:"), QLineEdit::Normal, name, &ok);
    if (!ok) return;
    if (const QString refusal = act(typed); !refusal.isEmpty()) {
        QMessageBox::warning(this, title, refusal);
        return;
    }
    listBooks();
    openBookFile(BookFolder::bookPath(typed));
}

void MainWindow::deleteBook() {
    if (!session_.isOpen()) return;
    const QString name = session_.book()->name();
    if (QMessageBox::question(this, tr("Delete Book"),
                              tr("Delete the book \"%1\" with its %2 entries? This cannot be "
                                 "undone.")
                                  .arg(name)
                                  .arg(session_.contents().entries.size())) != QMessageBox::Yes)
        return;
    if (const QString refusal = BookFolder::remove(name); !refusal.isEmpty()) {
        QMessageBox::warning(this, tr("Delete Book"), refusal);
        return;
    }
    session_.close();
    listBooks();
}

void MainWindow::openBookDialog() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Book File"), BookFolder::path());
    if (!path.isEmpty()) openBookFile(path);
}

void MainWindow::importFile() {
    if (!session_.isOpen()) return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import"), {}, tr("Contacts (*.vcf *.vcard *.csv);;All files (*)"));
    if (path.isEmpty()) return;
    const ContactFile contacts = readContactFile(path);
    if (!contacts.refusal.isEmpty()) {
        QMessageBox::warning(this, tr("Import"), contacts.refusal);
        return;
    }
    const ImportPlan plan = planImport(contacts, session_.contents());
    ImportDialog preview(path, plan, session_.book()->name(), this);
    if (preview.exec() != QDialog::Accepted) return;
    const ChangeOutcome outcome = session_.perform(tr("Import %1").arg(QFileInfo(path).fileName()),
                                                   plan.change(session_.contents()));
    if (!outcome)
        QMessageBox::warning(this, tr("Import"), outcome.refusal);
    else
        statusBar()->showMessage(tr("%1 entries imported, %2 skipped.")
                                     .arg(plan.entries.size())
                                     .arg(plan.skipped.size()));
}

void MainWindow::exportBook() {
    if (!session_.isOpen()) return;
    const QList<SInt16> chosen = bookView_->selectedEntries();
    const QString path = QFileDialog::getSaveFileName(
        this, chosen.isEmpty() ? tr("Export") : tr("Export Chosen Entries"),
        session_.book()->name() + QLatin1String(".vcf"), tr("vCard (*.vcf);;CSV (*.csv)"));
    if (path.isEmpty()) return;
    if (const QString refusal = writeContactFile(path, session_.contents(), chosen);
        !refusal.isEmpty())
        QMessageBox::warning(this, tr("Export"), refusal);
    else
        statusBar()->showMessage(tr("Exported to %1.").arg(path));
}

void MainWindow::copyFromDevice(const QList<DeviceEntry>& entries) {
    ContactFile contacts;
    for (const DeviceEntry& entry : entries)
        contacts.contacts.append({entry.name, {}, {}, {entry.number}, {}, {}});
    const ImportPlan plan = planImport(contacts, session_.contents());
    if (!plan.entries.empty()) { // nothing to copy leaves no empty step in the undo history
        const ChangeOutcome outcome =
            session_.perform(tr("Copy from Device"), plan.change(session_.contents()));
        if (!outcome) {
            QMessageBox::warning(this, tr("Copy to Book"), outcome.refusal);
            return;
        }
    }
    QStringList skipped;
    for (const SkippedContact& contact : plan.skipped)
        skipped += contact.what + QLatin1String(": ") + contact.why;
    statusBar()->showMessage(
        tr("%1 entries copied into %2.").arg(plan.entries.size()).arg(session_.book()->name()));
    if (!skipped.isEmpty())
        QMessageBox::information(this, tr("Copy to Book"),
                                 tr("Skipped:\n%1").arg(skipped.join(u'\n')));
}

void MainWindow::showDevice(const QString& connectionType, const QString& address) {
    deviceTab_->setConnection(connectionType, address);
    tabs_->setCurrentWidget(deviceTab_);
}

void MainWindow::present() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}
