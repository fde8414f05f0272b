// Graphics importers: a picture file (any format Qt's image readers know: PNG, JPEG, BMP, GIF,
// ICO, ...) decoded into a picture handle, scaled to the importer's bounds.
//
// A picture handle's block is the Picture header followed by the image's pixels: 32-bit ARGB
// values (0xAARRGGBB), picFrame's width per row, row after row. KillPicture frees it.
#pragma once

#include <Files.h>
#include <MacMemory.h>
#include <Quickdraw.h>

extern "C" {

struct Picture {
    SInt16 picSize; // the low 16 bits of the block's size, as on the Mac
    Rect picFrame;
};
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

typedef struct ComponentInstanceRecord* ComponentInstance;
typedef ComponentInstance GraphicsImportComponent;
typedef SInt32 ComponentResult;

enum : OSErr {
    cantFindHandler = -2003, // no reader knows the file's format
    codecErr = -8960,        // the file could not be decoded
};

// An importer for the file; paramErr for null arguments, fnfErr for a missing file,
// cantFindHandler when the file is no picture.
OSErr GetGraphicsImporterForFile(const FSSpec* theFile, GraphicsImportComponent* gi);
// The rectangle the picture is drawn into; an empty one (or none set) means the picture's own
// size.
ComponentResult GraphicsImportSetBoundsRect(GraphicsImportComponent ci, const Rect* bounds);
// Decodes the file into a new picture handle; codecErr when the file cannot be decoded.
ComponentResult GraphicsImportGetAsPicture(GraphicsImportComponent ci, PicHandle* picture);
OSErr CloseComponent(ComponentInstance ci); // paramErr for an unknown importer
void KillPicture(PicHandle picture);        // null is ignored
}
