// Identifiers of the program's resources, shared by plexor.rc and the C++ code,
// so plain #defines only: the resource compiler reads this file too.
#ifndef PLEXOR_RESOURCE_IDS_H
#define PLEXOR_RESOURCE_IDS_H

// The application icon, a group icon with a name rather than a number.
#define IDI_MAINICON "MAINICON"

// The tool-bar images: four 16x16 images side by side in a 64x16 24-bpp strip, with a
// 1-bpp mask strip beside it (set bits are transparent). Transparent pixels of the colour
// strip are black, so an image list with ILC_MASK draws them as the background.
#define IDB_TOOLBAR 101
#define IDB_TOOLBAR_MASK 102

#define TOOLBAR_IMAGE_SIZE 16
#define TOOLBAR_IMAGE_COUNT 4
#define TOOLBAR_IMAGE_CONNECT 0
#define TOOLBAR_IMAGE_DISCONNECT 1
#define TOOLBAR_IMAGE_TUNE 2
#define TOOLBAR_IMAGE_EXPORT 3

#endif
