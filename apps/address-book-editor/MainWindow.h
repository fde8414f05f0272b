// The editor's window: the books of the address-book folder on the left; the open book and
// the device's data in two tabs; menus and a tool bar for books, entries, groups, undo, import
// and export.
#pragma once

#include "BookSession.h"
#include "DeviceReader.h"

#include <QFileSystemWatcher>
#include <QMainWindow>

#include <functional>

class BookView;
class DeviceTab;
class QListWidget;
class QTabWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow();

    // Opens a book file given by path (a command line's, or one the desktop hands over).
    void openBookFile(const QString& path);
    // Shows the device tab for the printer's connection ("USB", or "NET" and the address).
    void showDevice(const QString& connectionType, const QString& address);
    // Shows the window and brings it to the front.
    void present();

  private:
    void buildActions();
    void listBooks();
    void openChosenBook();
    void newBook();
    void renameBook();
    // Asks for a book's name (starting from name), lets act make or rename the book (its
    // refusal shown) and opens the book of that name.
    void nameBook(const QString& title, const QString& name,
                  const std::function<QString(const QString&)>& act);
    void deleteBook();
    void openBookDialog();
    void importFile();
    void exportBook();
    void copyFromDevice(const QList<DeviceEntry>& entries);
    void updateTitle();

    BookSession session_;
    QListWidget* books_;
    QTabWidget* tabs_;
    BookView* bookView_;
    DeviceTab* deviceTab_;
    QFileSystemWatcher watcher_;  // the open book, changed by other programs
    QList<QAction*> bookActions_; // enabled while a book is open
};
