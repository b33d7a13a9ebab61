#include "app/CommandInput.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file) {
    if (name == QLatin1String("-")) return &in;
    if (QFileInfo(name).isDir()) return nullptr;
    file = std::make_unique<std::ifstream>(QFile::encodeName(name).toStdString(), std::ios::binary);
    return file->is_open() ? file.get() : nullptr;
}

std::string InputName(const QString& name) {
    if (name == QLatin1String("-")) return "standard input";
    return Quoted(name);
}

std::string Quoted(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string quoted(1, '\'');
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (u < 0x20 || u == 0x7f) {
                    quoted += "\\x";
                    quoted += kHex[u >> 4];
                    quoted += kHex[u & 15];
                } else {
                    quoted += c;
                }
        }
    }
    quoted += '\'';
    return quoted;
}

int StreamFailure(const char* command, const std::istream* in, const std::string& inputName, std::ostream& out,
                  std::ostream& err) {
    out.flush();
    // A stream buffer that fails to read (read(2) gives an error) leaves badbit;
    // the plain end of the input leaves only eofbit and failbit.
    if (in && in->bad()) {
        err << "kvr " << command << ": cannot read " << inputName << '\n';
        return 2;
    }
    if (!out) {
        err << "kvr " << command << ": cannot write output\n";
        return 2;
    }
    return 0;
}
