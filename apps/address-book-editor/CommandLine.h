// The editor's arguments. The fax pane starts it with "-SFAXConnectionType USB", or
// "-SFAXConnectionType NET" and "-SFAXAddress ADDR" (each option and its value one argument,
// or two); scripts use "--import FILE --into BOOK" and "--export BOOK --to FILE"; other
// arguments are book files to open. "--gapplication-service" is D-Bus activation.
// "--offscreen --screenshot DIR" saves pictures of the editor into DIR and ends; "--version"
// prints the product's version and ends.
#pragma once

#include <QString>
#include <QStringList>

struct EditorOptions {
    QString importFile, intoBook; // --import FILE --into BOOK
    QString exportBook, toFile;   // --export BOOK --to FILE
    QString connectionType;       // "USB", "NET" or empty
    QString deviceAddress;
    QStringList books;
    bool service = false;
    bool version = false;     // --version
    bool offscreen = false;   // Qt's offscreen platform: no display needed
    QString screenshotFolder; // --screenshot DIR, with --offscreen
    QString error;            // not empty for arguments that make no sense

    bool isCommand() const { return !importFile.isEmpty() || !exportBook.isEmpty(); }
};

EditorOptions parseArguments(const QStringList& arguments); // without the program
