#include "app/CommandInput.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file) {
    if (name == QLatin1String("-")) return &in;
    if (QFileInfo(name).isDir()) return nullptr;
    file = std::make_unique<std::ifstream>(QFile::encodeName(name).toStdString(), std::ios::binary);
    return file->is_open() ? file.get() : nullptr;
}
