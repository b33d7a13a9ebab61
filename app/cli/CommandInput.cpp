// SPDX-License-Identifier: MIT
#include "app/cli/CommandInput.h"

#include <algorithm>

#include <QtCore/QCommandLineParser>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include "app/cli/CommandText.h"
#include "io/CKVRDoc.h"

std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file) {
    if (name == QLatin1String("-")) return &in;
    if (QFileInfo(name).isDir()) return nullptr;
    file = std::make_unique<std::ifstream>(QFile::encodeName(name).toStdString(), std::ios::binary);
    return file->is_open() ? file.get() : nullptr;
}

std::string InputName(const QString& name) {
    if (name == QLatin1String("-")) return CommandText::tr("standard input");
    return Quoted(name);
}

std::string OutputName(const std::string& name) {
    if (name == "-") return CommandText::tr("standard output");
    return Quoted(name);
}

std::string DocumentFailure(const DocumentResult& result, const std::string& stream) {
    const std::string& named = stream.empty() ? result.name : stream;
    return CommandText::reason({result.message}) + " (" + named + ": " + CommandText::reason(result.why) + ")";
}

std::string SeeHelp(const std::string& command) { return " " + CommandText::tr("(see %1 --help)", {command}); }

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
        err << "kvr " << command << ": " << CommandText::tr("cannot read %1", {inputName}) << '\n';
        return 2;
    }
    if (!out) {
        err << "kvr " << command << ": " << CommandText::tr("cannot write output") << '\n';
        return 2;
    }
    return 0;
}

std::string OptionError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.front();
        return CommandText::tr("unknown option %1", {Quoted((name.size() == 1 ? "-" : "--") + name)});
    }
    // Qt says "Missing value after '--precision'." when an option's value is missing.
    const QString text = parser.errorText();
    const qsizetype open = text.indexOf(QLatin1Char('\'')), close = text.lastIndexOf(QLatin1Char('\''));
    if (text.startsWith(QLatin1String("Missing value")) && open >= 0 && close > open)
        return CommandText::tr("option %1 needs a value", {Quoted(text.mid(open + 1, close - open - 1))});
    std::string said = text.toStdString();
    if (!said.empty() && said.back() == '.') said.pop_back();
    if (!said.empty()) said[0] = char(std::tolower(static_cast<unsigned char>(said[0])));
    return said;
}

namespace {

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

}  // namespace

std::string NearestName(const std::string& word, const std::vector<std::string>& names) {
    if (word.empty() || word.size() > 64) return {};
    std::string best;
    size_t bestDistance = 3;  // more than two edits away is another word
    for (const std::string& name : names) {
        if (name.size() > word.size() && word.size() >= 3 && name.compare(0, word.size(), word) == 0) return name;
        const size_t distance = EditDistance(word, name);
        if (distance < bestDistance && distance < name.size()) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

InputDocument::InputDocument() = default;
InputDocument::~InputDocument() = default;

bool InputDocument::open(const QString& name, std::istream& in, std::string& error, long long limit) {
    if (name != QLatin1String("-")) {
        path_ = QFile::encodeName(name).toStdString();
        return true;
    }
    dir_ = std::make_unique<QTemporaryDir>();
    if (!dir_->isValid()) {
        error = CommandText::tr("cannot make a temporary folder for standard input");
        return false;
    }
    path_ = QFile::encodeName(dir_->filePath(QStringLiteral("standard-input.kvr"))).toStdString();
    std::string bytes;
    char buffer[65536];
    while (in && static_cast<long long>(bytes.size()) <= limit) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, size_t(in.gcount()));
    }
    if (in.bad()) {
        error = CommandText::tr("cannot read standard input");
        return false;
    }
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        error = CommandText::tr("cannot keep standard input in a temporary file");
        return false;
    }
    return true;
}

OutputTarget::OutputTarget(const QString& name, const char* suffix) {
    if (name != QLatin1String("-")) {
        path_ = QFile::encodeName(name).toStdString();
        return;
    }
    dir_ = std::make_unique<QTemporaryDir>();
    // With no temporary folder the writer is given no path at all (Qt gives an empty
    // one for an invalid folder), and fails as it would on any unwritable path.
    path_ = QFile::encodeName(dir_->filePath(QStringLiteral("standard-output") + QLatin1String(suffix))).toStdString();
}

OutputTarget::~OutputTarget() = default;

bool OutputTarget::deliver(std::ostream& out) const {
    if (!dir_) return true;
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    out.write(bytes.constData(), bytes.size());
    out.flush();
    return bool(out);
}
