// SPDX-License-Identifier: MIT
#pragma once
// The two user settings, in QSettings("ORBITLAB", "KVR"), group
// "Configuration": "DefaultLibPath" (the library folder) and "Precision" (the
// display precision), and where the lessons that ship with KVR live.
#include <QtCore/QString>

// The stored library folder; empty when none is stored.
QString StoredLibraryFolder();
// The stored display precision: 2 when none is stored, held to 0 … 17.
int StoredPrecision();
// What the Configuration dialog's OK writes.
void StoreConfiguration(const QString& libraryFolder, int precision);

// The lessons that ship with KVR: "share/kvr/library" in the program's folder
// (the build tree), else "../share/kvr/library" from it (an install).
QString SampleLibraryFolder();
// The folder the library search reads: the stored one, or the sample library
// when none is stored.
QString LibraryFolder();

// At start-up: the display precision the user last confirmed.
void RestoreDisplayPrecision();
