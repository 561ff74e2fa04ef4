#pragma once
// Ids of the resources in moravel.exe (moravel.rc).

#define kProgramIconResource 1     // ICON: the program's icon, 48 x 48
#define kProgramPictureResource 2  // RCDATA: the same picture as a PNG file
