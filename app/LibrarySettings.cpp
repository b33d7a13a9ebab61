// SPDX-License-Identifier: MIT
#include "app/LibrarySettings.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>
#include <algorithm>

#include "app/PrecisionGuard.h"
#include "mathex/SmartNumber.h"

namespace {

constexpr int kDefaultPrecision = 2;

// Named explicitly rather than through the application's names, so that the
// command line (which makes no application object) reads the same store.
#define KVR_SETTINGS(name) QSettings name(QStringLiteral("ORBITLAB"), QStringLiteral("KVR"))

const QString kLibraryKey = QStringLiteral("Configuration/DefaultLibPath");
const QString kPrecisionKey = QStringLiteral("Configuration/Precision");

}  // namespace

QString StoredLibraryFolder()
{
    KVR_SETTINGS(store);
    return store.value(kLibraryKey).toString();
}

int StoredPrecision()
{
    KVR_SETTINGS(store);
    bool ok = false;
    const int value = store.value(kPrecisionKey).toInt(&ok);
    if (!ok) return kDefaultPrecision;
    return std::clamp(value, 0, kMaxDecimals);
}

void StoreConfiguration(const QString& libraryFolder, int precision)
{
    KVR_SETTINGS(store);
    store.setValue(kPrecisionKey, precision);
    store.setValue(kLibraryKey, libraryFolder);
}

QString SampleLibraryFolder()
{
    const QDir programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
    const QString inBuildTree = programFolder.filePath(QStringLiteral("share/kvr/library"));
    if (QFileInfo(inBuildTree).isDir()) return inBuildTree;
    return QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/kvr/library")));
}

QString LibraryFolder()
{
    const QString stored = StoredLibraryFolder();
    return stored.isEmpty() ? SampleLibraryFolder() : stored;
}

void RestoreDisplayPrecision() { MathEx::SetDisplayPrecision(StoredPrecision()); }
