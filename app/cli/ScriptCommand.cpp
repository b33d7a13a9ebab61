// SPDX-License-Identifier: MIT
#include "app/cli/ScriptCommand.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <QtCore/QCommandLineParser>

#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "app/cli/GraphDump.h"
#include "app/cli/HeadlessThumbnail.h"
#include "app/cli/JsonLine.h"
#include "app/PrecisionGuard.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"
#include "render/GraphExport.h"
#include "render/GraphPage.h"
#include "render/ImageExport.h"

namespace {

// Pixel positions and wheel deltas stay well inside int, so the manager's
// differences of positions cannot overflow.
constexpr long long kMaxPixel = 1000000;
constexpr long long kMaxClientSize = 100000;
constexpr double kMinZoom = 0.1, kMaxZoom = 10;

constexpr std::string_view kCurvePopup = "right click on equation";
constexpr std::string_view kAttribPopup = "right click on attribute point";
constexpr std::string_view kWhiteSpacePopup = "right click on white space";

// What the window would show: the status text, and the popup of a right click.
class ScriptListener : public GraphListener {
public:
    void selectionChanged(EquationObject*) override {}
    void equationEdited(EquationObject*) override {}
    void candidatesPending() override {}
    void statusText(const std::string& text) override { status = text; }
    void popupRequested(const std::string& name, int, int, bool) override { popup = name; }
    void repaintRequested() override {}

    std::string status;
    std::string popup;  // the popup of the last right-button up; "" when it opened none
};

// One script line without its comment: the command word, its arguments split
// at white space, and the text after the word (for `type` and `export-ps`).
struct Line {
    std::string_view word;
    std::vector<std::string_view> args;
    std::string_view rest;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

Line Split(std::string_view text) {
    text = Trim(text.substr(0, text.find('#')));
    Line line;
    size_t end = 0;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    line.word = text.substr(0, end);
    line.rest = Trim(text.substr(end));
    std::string_view rest = line.rest;
    while (!rest.empty()) {
        size_t n = 0;
        while (n < rest.size() && !IsSpace(rest[n])) ++n;
        line.args.push_back(rest.substr(0, n));
        rest = Trim(rest.substr(n));
    }
    return line;
}

std::optional<long long> WholeNumber(std::string_view s, long long lo, long long hi) {
    long long v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<double> FiniteNumber(std::string_view s) {
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Exactly `count` whole numbers in [lo, hi], or nothing.
std::optional<std::vector<int>> Ints(const Line& line, size_t count, long long lo, long long hi) {
    if (line.args.size() != count) return std::nullopt;
    std::vector<int> values;
    for (std::string_view a : line.args) {
        const auto v = WholeNumber(a, lo, hi);
        if (!v) return std::nullopt;
        values.push_back(int(*v));
    }
    return values;
}

// Exactly `count` finite numbers, or nothing.
std::optional<std::vector<double>> Numbers(const Line& line, size_t count) {
    if (line.args.size() != count) return std::nullopt;
    std::vector<double> values;
    for (std::string_view a : line.args) {
        const auto v = FiniteNumber(a);
        if (!v) return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

// How a line ended: status 0 ran; otherwise the exit status and its message.
struct Outcome {
    int status = 0;
    std::string message;
};

// `expected` is one of the argument texts below, said in the user's language.
Outcome BadArgument(const Line& line, const char* expected) {
    return {2, CommandText::tr("%1 needs %2", {Quoted(std::string(line.word)), CommandText::tr(expected)})};
}

// The arguments each command expects, for the message of a line that does not give them.
const char* const kNoArgs = KVR_TRANSLATE_NOOP("CommandLine", "no arguments");
const char* const kFileArg = KVR_TRANSLATE_NOOP("CommandLine", "FILE");
const char* const kPixelArgs = KVR_TRANSLATE_NOOP("CommandLine", "PX PY: two whole numbers of pixels within ±1000000");
const char* const kPngArgs = KVR_TRANSLATE_NOOP(
    "CommandLine", "FILE [W H] [--labels]: W and H whole numbers of pixels from 1 to 8192");
const char* const kPaperArgs = KVR_TRANSLATE_NOOP("CommandLine", "a4 or letter");

Outcome CannotWrite(std::string_view name) {
    return {1, CommandText::tr("cannot write %1", {OutputName(std::string(name))})};
}

struct Script {
    explicit Script(std::ostream& out_) : out(out_) { graph.setListener(&listener); }

    GraphManager graph;
    CKVRDoc doc{graph};
    ScriptListener listener;
    std::ostream& out;
    PageSheet sheet = DefaultSheet();  // of the pages exported, until `paper` changes it
};

// Writes FILE through `write(path)`, or, for "-", a temporary file copied to the
// script's standard output once it is whole.
template <class Write>
Outcome WriteTo(Script& s, std::string_view name, const char* suffix, Write write) {
    if (name != "-") return write(std::string(name));  // the name's bytes as they are
    const OutputTarget target(QStringLiteral("-"), suffix);
    Outcome outcome = write(target.path());
    if (outcome.status == 0 && !target.deliver(s.out)) outcome = {2, CommandText::tr("cannot write output")};
    if (outcome.status != 0) {
        // The temporary file's name means nothing to the user.
        const std::string temporary = "'" + target.path() + "'";
        if (const size_t at = outcome.message.find(temporary); at != std::string::npos)
            outcome.message.replace(at, temporary.size(), OutputName(std::string("-")));
    }
    return outcome;
}

using Run = Outcome (*)(Script&, const Line&);
struct Command {
    std::string_view name;
    Run run;
};

// Commands without arguments: the menu and toolbar commands.
struct PlainCommand {
    std::string_view name;
    void (*run)(GraphManager&);
};

const PlainCommand kPlainCommands[] = {
    {"pen", [](GraphManager& g) { g.togglePenInput(); }},
    {"grid", [](GraphManager& g) { g.toggleGrid(); }},
    {"axis", [](GraphManager& g) { g.toggleAxis(); }},
    {"mensuration", [](GraphManager& g) { g.armMensuration(); }},
    {"paint", [](GraphManager& g) { g.togglePaint(); }},
    {"display-equation", [](GraphManager& g) { g.toggleDisplayEquation(); }},
    {"intersections", [](GraphManager& g) { g.toggleIntersections(); }},
    {"delete", [](GraphManager& g) { g.deleteSelected(); }},
    {"undo", [](GraphManager& g) { g.undo(); }},
};

// Left and right button events at a pixel.
struct PointerCommand {
    std::string_view name;
    void (GraphManager::*run)(int, int);
};

const PointerCommand kPointerCommands[] = {
    {"down", &GraphManager::mouseDown},      {"move", &GraphManager::mouseMove},
    {"up", &GraphManager::mouseUp},          {"rdown", &GraphManager::rightButtonDown},
    {"rup", &GraphManager::rightButtonUp},
};


// The popup commands exist only in the popup the last right click opened: the
// curve commands in a curve's or an attribute point's popup, the tangent from
// a point in the white-space popup. Elsewhere they do nothing, as no menu offers them.
bool CurvePopup(const Script& s) { return s.listener.popup == kCurvePopup || s.listener.popup == kAttribPopup; }

Outcome AttribCommand(Script& s, const Line& line, AttribPreset preset) {
    if (!line.args.empty()) return BadArgument(line, kNoArgs);
    if (CurvePopup(s)) s.graph.addAttribPoint(preset);
    return {};
}

const Command kCommands[] = {
    {"size",
     [](Script& s, const Line& line) -> Outcome {
         const auto v = Ints(line, 2, 1, kMaxClientSize);
         if (!v)
             return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "W H: two whole numbers of pixels from 1 to 100000"));
         s.graph.setClientSize((*v)[0], (*v)[1]);
         return {};
     }},
    {"type",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "the equation text"));
         // Text that does not parse adds nothing and ends the script with the reason.
         MathEx::MathExp probe;
         if (!probe.Parse(std::string(line.rest))) {
             const MathEx::ParseError& e = probe.LastError();
             return {2, CommandText::tr("'type' cannot read the equation: %1 (column %2)",
                                        {CommandText::reason(e.reason), std::to_string(e.position)})};
         }
         // A text that reads but has nothing to draw adds nothing, and the
         // status says why, as the window's status bar does.
         std::string why;
         if (!s.graph.addEquationFromText(std::string(line.rest), &why) && !why.empty()) s.listener.status = why;
         return {};
     }},
    {"dblclick",
     [](Script& s, const Line& line) -> Outcome {
         if (!Ints(line, 2, -kMaxPixel, kMaxPixel)) return BadArgument(line, kPixelArgs);
         s.graph.doubleClick();
         return {};
     }},
    {"wheel",
     [](Script& s, const Line& line) -> Outcome {
         const auto v = Ints(line, 3, -kMaxPixel, kMaxPixel);
         if (!v)
             return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "DELTA PX PY: three whole numbers within ±1000000"));
         s.graph.mouseWheel((*v)[0], (*v)[1], (*v)[2]);
         return {};
     }},
    {"attrib", [](Script& s, const Line& line) { return AttribCommand(s, line, PRESET_PLAIN); }},
    {"x-caption", [](Script& s, const Line& line) { return AttribCommand(s, line, PRESET_X_CAPTION); }},
    {"y-caption", [](Script& s, const Line& line) { return AttribCommand(s, line, PRESET_Y_CAPTION); }},
    {"xy-caption", [](Script& s, const Line& line) { return AttribCommand(s, line, PRESET_XY_CAPTION); }},
    {"tangent",
     [](Script& s, const Line& line) -> Outcome {
         if (!line.args.empty()) return BadArgument(line, kNoArgs);
         if (CurvePopup(s)) s.graph.tangentOnCurve();
         else if (s.listener.popup == kWhiteSpacePopup) s.graph.tangentFromPoint();
         return {};
     }},
    {"colour",
     [](Script& s, const Line& line) -> Outcome {
         const auto v = Numbers(line, 4);
         bool inRange = bool(v);
         for (size_t i = 0; inRange && i < v->size(); ++i) inRange = (*v)[i] >= 0 && (*v)[i] <= 1;
         if (!inRange) return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "R G B A: four numbers from 0 to 1"));
         s.graph.setColour(ColorF(float((*v)[0]), float((*v)[1]), float((*v)[2]), float((*v)[3])));
         return {};
     }},
    {"zoom",
     [](Script& s, const Line& line) -> Outcome {
         // The zoom bar's sliders give 0.1 … 10; the plot boxes, and so the
         // sampling work, grow with the zoom.
         const auto v = Numbers(line, 2);
         const auto inRange = [](double z) { return z >= kMinZoom && z <= kMaxZoom; };
         if (!v || !inRange((*v)[0]) || !inRange((*v)[1]))
             return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "XZ YZ: two numbers from 0.1 to 10"));
         s.graph.setZoom((*v)[0], (*v)[1]);
         s.graph.keepLabelsNear();  // as the zoom bar does
         return {};
     }},
    {"precision",
     [](Script&, const Line& line) -> Outcome {
         const auto decimals = line.args.size() == 1 ? ParseDecimals(line.args[0]) : std::nullopt;
         if (!decimals) return BadArgument(line, KVR_TRANSLATE_NOOP("CommandLine", "N: a whole number of decimals"));
         MathEx::SetDisplayPrecision(*decimals);
         return {};
     }},
    {"dump",
     [](Script& s, const Line& line) -> Outcome {
         if (!line.args.empty()) return BadArgument(line, kNoArgs);
         WriteJsonLine(s.out, GraphToJson(s.graph, s.listener.status));
         return {};
     }},
    {"open",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         const DocumentResult r = s.doc.open(std::string(line.rest));
         if (!r.ok) return {1, DocumentFailure(r)};
         return {};
     }},
    {"save",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         // The thumbnail as the window would capture it; a document without one
         // when there is no headless OpenGL here.
         return WriteTo(s, line.rest, ".kvr", [&s, &line](const std::string& path) -> Outcome {
             const DocumentResult r = s.doc.save(path, RenderThumbnailPng(s.graph));
             if (!r.ok) return {1, DocumentFailure(r, line.rest == "-" ? OutputName(std::string("-")) : std::string())};
             return {};
         });
     }},
    {"paper",
     [](Script& s, const Line& line) -> Outcome {
         if (line.args.size() != 1) return BadArgument(line, kPaperArgs);
         std::string name(line.args[0]);
         for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
         if (name == "a4") s.sheet = PageSheet::A4();
         else if (name == "letter") s.sheet = PageSheet::Letter();
         else return BadArgument(line, kPaperArgs);
         return {};
     }},
    {"export-ps",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         // A name ending in .eps asks for the encapsulated picture.
         const PageSheet sheet = SheetForName(std::string(line.rest), s.sheet);
         return WriteTo(s, line.rest, sheet.encapsulated ? ".eps" : ".ps",
                        [&s, &line, &sheet](const std::string& path) -> Outcome {
                            if (!ExportPostScript(s.graph, path, sheet)) return CannotWrite(line.rest);
                            return {};
                        });
     }},
    {"export-eps",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         PageSheet sheet = s.sheet;
         sheet.encapsulated = true;
         return WriteTo(s, line.rest, ".eps", [&s, &line, &sheet](const std::string& path) -> Outcome {
             if (!ExportPostScript(s.graph, path, sheet)) return CannotWrite(line.rest);
             return {};
         });
     }},
    {"export-svg",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         return WriteTo(s, line.rest, ".svg", [&s, &line](const std::string& path) -> Outcome {
             if (!ExportSvg(s.graph, QString::fromStdString(path))) return CannotWrite(line.rest);
             return {};
         });
     }},
    {"export-pdf",
     [](Script& s, const Line& line) -> Outcome {
         if (line.rest.empty()) return BadArgument(line, kFileArg);
         return WriteTo(s, line.rest, ".pdf", [&s, &line](const std::string& path) -> Outcome {
             if (!ExportPdf(s.graph, QString::fromStdString(path), s.sheet)) return CannotWrite(line.rest);
             return {};
         });
     }},
    {"export-png",
     [](Script& s, const Line& line) -> Outcome {
         // FILE, or FILE W H, and --labels to keep the labels; the picture is
         // the script's client size by default.
         std::vector<std::string_view> args = line.args;
         const bool labels = !args.empty() && args.back() == "--labels";
         if (labels) args.pop_back();
         if (args.size() != 1 && args.size() != 3) return BadArgument(line, kPngArgs);
         int width = s.graph.viewport().width, height = s.graph.viewport().height;
         if (args.size() == 3) {
             const auto w = WholeNumber(args[1], 1, 8192), h = WholeNumber(args[2], 1, 8192);
             if (!w || !h) return BadArgument(line, kPngArgs);
             width = int(*w);
             height = int(*h);
         }
         return WriteTo(s, args[0], ".png", [&](const std::string& path) -> Outcome {
             std::string error;
             if (!ExportGraphImage(s.graph, path, width, height, &error, labels)) {
                 if (error == kImageSaveFailed) return CannotWrite(args[0]);
                 return {1, CommandText::tr("cannot draw the picture: %1", {CommandText::reason({error})})};
             }
             return {};
         });
     }},
};

Outcome Execute(Script& s, const Line& line) {
    for (const PlainCommand& c : kPlainCommands) {
        if (c.name != line.word) continue;
        if (!line.args.empty()) return BadArgument(line, kNoArgs);
        c.run(s.graph);
        return {};
    }
    for (const PointerCommand& c : kPointerCommands) {
        if (c.name != line.word) continue;
        const auto v = Ints(line, 2, -kMaxPixel, kMaxPixel);
        if (!v) return BadArgument(line, kPixelArgs);
        if (c.run == &GraphManager::rightButtonUp) s.listener.popup.clear();
        (s.graph.*c.run)((*v)[0], (*v)[1]);
        return {};
    }
    for (const Command& c : kCommands)
        if (c.name == line.word) return c.run(s, line);
    return {2, CommandText::tr("unknown command %1", {Quoted(std::string(line.word))})};
}

int RunLines(std::istream& input, const std::string& inputName, std::ostream& out, std::ostream& err) {
    Script script(out);
    std::string text;
    for (long long number = 1; out && std::getline(input, text); ++number) {
        if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);  // an editor's byte-order mark
        const Line line = Split(text);
        if (line.word.empty()) continue;  // blank or comment
        Outcome outcome;
        try {
            outcome = Execute(script, line);
        } catch (const std::exception& e) {
            outcome = {1, CommandText::tr("failed: %1", {e.what()})};
        }
        if (outcome.status != 0) {
            out.flush();
            err << "kvr script: " << CommandText::tr("line %1: %2", {std::to_string(number), outcome.message}) << '\n';
            return outcome.status;
        }
    }
    return StreamFailure("script", &input, inputName, out, err);
}

}  // namespace

std::string ScriptUsage() {
    return CommandText::tr("       kvr script [FILE|-]\n"
                           "           Runs one graph without a window: commands, one per line, from FILE\n"
                           "           or standard input ('#' starts a comment): size, type, down, move,\n"
                           "           up, rdown, rup, dblclick, wheel, pen, grid, axis, mensuration,\n"
                           "           paint, display-equation, intersections, delete, undo, attrib,\n"
                           "           x-caption, y-caption, xy-caption, tangent, colour, zoom,\n"
                           "           precision, dump (the graph's state as one JSON line),\n"
                           "           paper a4|letter (the sheet of the pages exported after it; the\n"
                           "           locale's by default), export-ps FILE (a FILE ending in .eps: as\n"
                           "           export-eps), export-eps FILE (one picture for a worksheet, its\n"
                           "           bounding box tight round the graph), export-png FILE [W H]\n"
                           "           [--labels] (no grid or selection, labels only with --labels;\n"
                           "           default size: the script's), export-svg FILE, export-pdf FILE,\n"
                           "           open FILE.kvr, save FILE.kvr. An export or save to - writes\n"
                           "           standard output.\n");
}

int RunScript(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    if (!parser.parse(QStringList{QStringLiteral("kvr script")} + args)) {
        err << "kvr script: " << OptionError(parser) << SeeHelp("kvr script") << '\n';
        return 2;
    }
    if (parser.isSet(helpOption)) {
        out << CommandText::tr("Usage:") << '\n' << ScriptUsage();
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        err << "kvr script: " << CommandText::tr("expected one input: FILE or -") << SeeHelp("kvr script") << '\n';
        return 2;
    }
    const QString name = positional.isEmpty() ? QStringLiteral("-") : positional.front();
    std::unique_ptr<std::ifstream> file;
    std::istream* input = OpenCommandInput(name, in, file);
    if (!input) {
        err << "kvr script: " << CommandText::tr("cannot open %1", {Quoted(name)}) << '\n';
        return 2;
    }
    const PrecisionGuard precision;  // a `precision` line lasts for this run only
    return RunLines(*input, InputName(name), out, err);
}
