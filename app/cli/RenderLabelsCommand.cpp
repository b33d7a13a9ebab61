// SPDX-License-Identifier: MIT
#include "app/cli/RenderLabelsCommand.h"
#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "render/ImageExport.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <QtCore/QCommandLineParser>
#include <QtCore/QFile>
#include <QtCore/QTextStream>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "mathex/MathExp.h"
#include "render/Typesetter.h"

namespace {

constexpr int kGap = 10;     // logical pixels between labels and around the page
constexpr double kMaxScale = 4.0;

// Appends the file's non-empty lines that are not comments.
// One text per line of FILE, or of standard input for "-"; '#' starts a comment line.
bool ReadTexts(const QString& path, std::istream& in, QStringList& texts) {
    std::unique_ptr<std::ifstream> file;
    std::istream* input = OpenCommandInput(path, in, file);
    if (!input) return false;
    std::string line;
    while (std::getline(*input, line)) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.isEmpty() && !text.startsWith(u'#')) texts << text;
    }
    return !input->bad();
}

// The labels one under another on white, kGap logical pixels apart.
QImage ComposePage(const std::vector<QImage>& labels, double scale) {
    int width = 0, height = kGap;
    for (const QImage& l : labels) {
        width = std::max(width, int(std::ceil(l.width() / scale)));
        height += int(std::ceil(l.height() / scale)) + kGap;
    }
    QImage page(int(std::ceil((width + 2 * kGap) * scale)), int(std::ceil(height * scale)), QImage::Format_RGB32);
    page.setDevicePixelRatio(scale);
    page.fill(Qt::white);
    QPainter painter(&page);
    int y = kGap;
    for (const QImage& l : labels) {
        if (!l.isNull()) painter.drawImage(QPointF(kGap, y), l);
        y += int(std::ceil(l.height() / scale)) + kGap;
    }
    return page;
}

}  // namespace

std::string RenderLabelsUsage() {
    return CommandText::tr("       kvr render-labels [--scale R] [--latex] [--input FILE|-] OUT.png|- [TEXT ...]\n"
                           "           Typesets each equation TEXT (or each line of FILE) as the graph's\n"
                           "           label, one under another, black on white, into OUT.png. --latex:\n"
                           "           the texts are LaTeX already. --scale: device pixel ratio (1 to 4).\n");
}

int RunRenderLabels(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption scaleOption(QStringLiteral("scale"), QString(), QStringLiteral("R"), QStringLiteral("1"));
    const QCommandLineOption latexOption(QStringLiteral("latex"));
    const QCommandLineOption inputOption(QStringLiteral("input"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({scaleOption, latexOption, inputOption, helpOption});
    if (!parser.parse(QStringList{QStringLiteral("kvr render-labels")} + args)) {
        err << "kvr render-labels: " << OptionError(parser) << SeeHelp("kvr render-labels") << '\n';
        return 2;
    }
    if (parser.isSet(helpOption)) {
        out << CommandText::tr("Usage:") << '\n' << RenderLabelsUsage();
        return 0;
    }
    bool okScale = false;
    const double scale = parser.value(scaleOption).toDouble(&okScale);
    if (!okScale || !std::isfinite(scale) || scale < 1 || scale > kMaxScale) {
        err << "kvr render-labels: " << CommandText::tr("--scale must be a number from 1 to 4") << '\n';
        return 2;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        err << "kvr render-labels: " << CommandText::tr("expected OUT.png") << '\n';
        return 2;
    }
    const QString outPath = positional.takeFirst();
    // OUT comes first; an equation in its place would be taken for a file name.
    if (outPath != QLatin1String("-") && !outPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        err << "kvr render-labels: " << CommandText::tr("OUT.png must end in .png: %1", {Quoted(outPath)}) << '\n';
        return 2;
    }
    QStringList texts = positional;
    if (parser.isSet(inputOption) && !ReadTexts(parser.value(inputOption), in, texts)) {
        err << "kvr render-labels: " << CommandText::tr("cannot open %1", {Quoted(parser.value(inputOption))}) << '\n';
        return 2;
    }
    if (texts.isEmpty()) {
        err << "kvr render-labels: " << CommandText::tr("no TEXT to typeset") << '\n';
        return 2;
    }
    if (!Typesetter::EnsureGuiApplication()) {
        err << "kvr render-labels: " << CommandText::tr("no fonts available") << '\n';
        return 1;
    }

    std::vector<QImage> labels;
    for (const QString& text : texts) {
        std::string latex = text.toStdString();
        if (!parser.isSet(latexOption)) {
            MathEx::MathExp exp;
            if (!exp.Parse(latex)) {
                err << "kvr render-labels: " << CommandText::tr("%1 does not parse", {Quoted(latex)}) << '\n';
                return 1;
            }
            latex = exp.ToText(MathEx::TEXT_TEXTBOOK);
        }
        labels.push_back(Typesetter::TypesetImage(latex, Typesetter::kLabelSize, scale));
    }
    const QImage page = ComposePage(labels, scale);
    const OutputTarget target(outPath, ".png");
    if (!SaveImagePng(page, target.path())) {
        err << "kvr render-labels: " << CommandText::tr("cannot write %1", {OutputName(outPath)}) << '\n';
        return 1;
    }
    if (!target.deliver(out)) {
        err << "kvr render-labels: " << CommandText::tr("cannot write output") << '\n';
        return 2;
    }
    return 0;
}
