// Every complete download is kept: the logger's memory is overwritten by its
// next measurement, and a download the user forgot to save would be gone.
#pragma once
#include <string>

#include "core/recording.h"

// The archive folder: MARVEK_ARCHIVE_DIR when set and not empty, else
// MARVEK2 in the user's Documents folder.
std::u16string ArchiveFolder();
// The user's Documents folder; empty when the system names none.
std::u16string DocumentsFolder();
bool IsFolder(const std::u16string& path);

// Writes r, as Save As would write it, under the first free name for its
// start stamp in the archive folder (made when missing); writes nothing when
// a file there already holds the same bytes. Changes nothing in the store.
// False when it could not be kept.
bool ArchiveDownload(const Recording& r);
