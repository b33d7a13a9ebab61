// SPDX-License-Identifier: MIT
#include "app/window/AttribDialog.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

#include "app/window/ColourButton.h"
#include "app/window/EditHistory.h"
#include "app/window/SampleComboBox.h"
#include "graph/EquationObject.h"
#include "graph/GraphManager.h"

// Where each group's controls are kept in the point.
struct AttribDialog::Fields {
    const char* title;
    const char* name;  // objectName prefix of the group's controls
    AttribPoint::AxisIndex axis;
    int AttribPoint::Axis::*type;
    MathEx::MathExp AttribPoint::Axis::*text;
    void (AttribPoint::*setText)(const std::string&);
    ColorF AttribPoint::Axis::*colour;
    int AttribPoint::Axis::*lineType;
    int AttribPoint::Axis::*lineWidth;
};

namespace {

constexpr int kWidthEntries = 3;  // entry i is width i + 1

QString TextOf(const MathEx::MathExp& e) { return QString::fromStdString(e.ToText(MathEx::TEXT_PLAIN)); }

QLabel* Title(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

using Axis = AttribPoint::Axis;
const AttribDialog::Fields kFields[4] = {
    {QT_TRANSLATE_NOOP("AttribDialog", "x Value"), "xValue", AttribPoint::X, &Axis::valueType, &Axis::valueTypeString,
     &AttribPoint::setXValueTypeString, &Axis::valueColor, &Axis::lineType, &Axis::lineWidth},
    {QT_TRANSLATE_NOOP("AttribDialog", "y Value"), "yValue", AttribPoint::Y, &Axis::valueType, &Axis::valueTypeString,
     &AttribPoint::setYValueTypeString, &Axis::valueColor, &Axis::lineType, &Axis::lineWidth},
    {QT_TRANSLATE_NOOP("AttribDialog", "x Length"), "xLength", AttribPoint::X, &Axis::lengthType, &Axis::lengthText,
     &AttribPoint::setXLengthText, &Axis::lengthColor, &Axis::guideType, &Axis::guideWidth},
    {QT_TRANSLATE_NOOP("AttribDialog", "y Length"), "yLength", AttribPoint::Y, &Axis::lengthType, &Axis::lengthText,
     &AttribPoint::setYLengthText, &Axis::lengthColor, &Axis::guideType, &Axis::guideWidth},
};
const AttribDialog::Fields* GroupFields() { return kFields; }

}  // namespace

AttribDialog::AttribDialog(GraphManager& graph, EditHistory& history, EquationObject* equation, int attribIndex,
                           QWidget* parent)
    : QDialog(parent), graph_(graph), history_(history), equationIndex_(graph.indexOf(equation)),
      attribIndex_(attribIndex)
{
    setObjectName("attribDialog");
    setWindowTitle(tr("Attribute Point Options"));
    if (const AttribPoint* p = point()) opening_ = *p;
    // Every change until OK or Cancel is one step of the history.
    history_.begin();

    xEdit_ = new QLineEdit(this);
    xEdit_->setObjectName("xEdit");
    yEdit_ = new QLineEdit(this);
    yEdit_->setObjectName("yEdit");
    yEdit_->setEnabled(false);
    pointTypeList_ = new SampleComboBox(SampleDelegate::Marker, this);
    pointTypeList_->setObjectName("pointTypeList");
    pointTypeList_->setSpokenName(tr("Point Type"));
    pointTypeList_->addSample(tr("none"), 0);
    const char* const markers[6] = {
        QT_TRANSLATE_NOOP("AttribDialog", "Disc with rim"), QT_TRANSLATE_NOOP("AttribDialog", "Disc"),
        QT_TRANSLATE_NOOP("AttribDialog", "Open square"),   QT_TRANSLATE_NOOP("AttribDialog", "Square"),
        QT_TRANSLATE_NOOP("AttribDialog", "Open diamond"),  QT_TRANSLATE_NOOP("AttribDialog", "Diamond")};
    for (int i = 0; i < 6; ++i) pointTypeList_->addSample(tr(markers[i]), i + 1);

    auto* position = new QFormLayout;
    auto* xLabel = new QLabel(tr("x :"), this);
    xLabel->setObjectName("xLabel");
    xLabel->setBuddy(xEdit_);
    auto* yLabel = new QLabel(tr("y :"), this);
    yLabel->setObjectName("yLabel");
    yLabel->setBuddy(yEdit_);
    position->addRow(xLabel, xEdit_);
    position->addRow(yLabel, yEdit_);
    auto* typeColumn = new QVBoxLayout;
    typeColumn->addWidget(Title(tr("- Point Type -"), "pointTypeTitle", this));
    typeColumn->addWidget(pointTypeList_);
    typeColumn->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(position, 2);
    top->addLayout(typeColumn, 1);

    auto* grid = new QGridLayout;
    for (int g = 0; g < 4; ++g) grid->addWidget(buildGroup(g), g / 2, g % 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->setObjectName("attribButtons");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    buttons->button(QDialogButtonBox::Apply)->setObjectName("applyButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Apply: every change is already on the graph.

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    fill();

    connect(xEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](AttribPoint& p) { p.setX(text.toStdString()); });
        if (const AttribPoint* p = point()) yEdit_->setText(TextOf(p->axis[AttribPoint::Y].valueExpr));
    });
    connect(pointTypeList_, &QComboBox::activated, this, [this](int entry) {
        change([&](AttribPoint& p) { p.pointType = entry; });
    });
}

AttribDialog::~AttribDialog()
{
    // Destroyed without OK: as Cancel.
    if (!closed_) {
        restoreOpening();
        history_.end(windowTitle());
    }
}

const AttribPoint* AttribDialog::point() const
{
    EquationObject* e = graph_.equation(equationIndex_);
    if (!e || attribIndex_ < 0 || attribIndex_ >= int(e->attribPoints().size())) return nullptr;
    return &e->attribPoints()[attribIndex_];
}

QGroupBox* AttribDialog::buildGroup(int g)
{
    const Fields& f = GroupFields()[g];
    const QString name = QString::fromLatin1(f.name);
    Group& controls = groups_[g];
    auto* box = new QGroupBox(tr(f.title), this);
    box->setObjectName(name + "Group");
    controls.radios = new QButtonGroup(box);
    const QString radioTexts[3] = {tr("Disable"), tr("Value"), tr("Text")};
    const char* radioNames[3] = {"DisableRadio", "ValueRadio", "TextRadio"};
    auto* radioRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(radioTexts[i], box);
        radio->setObjectName(name + radioNames[i]);
        controls.radios->addButton(radio, i);
        radioRow->addWidget(radio);
    }
    controls.text = new QLineEdit(box);
    controls.text->setObjectName(name + "TextEdit");
    controls.colour = new ColourButton(box);
    controls.colour->setObjectName(name + "ColourButton");
    controls.stipple = new SampleComboBox(SampleDelegate::GuideStipple, box);
    controls.stipple->setObjectName(name + "StippleList");
    controls.stipple->addSample(tr("none"), AttribPoint::LINE_NONE);
    controls.stipple->addSample(tr("Solid"), AttribPoint::LINE_SOLID);
    controls.stipple->addSample(tr("Dashed"), AttribPoint::LINE_DASHED);
    controls.width = new SampleComboBox(SampleDelegate::GuideWidth, box);
    controls.width->setObjectName(name + "WidthList");
    // The group's title says which guide or caption the controls belong to.
    controls.text->setAccessibleName(tr("%1 text").arg(box->title()));
    controls.colour->setAccessibleName(tr("%1 colour").arg(box->title()));
    controls.stipple->setSpokenName(tr("%1 stipple").arg(box->title()));
    controls.width->setSpokenName(tr("%1 width").arg(box->title()));
    for (int i = 0; i < kWidthEntries; ++i) controls.width->addSample(QString::number(i + 1), i + 1);

    auto* style = new QGridLayout;
    const QString titles[3] = {tr("- Color -"), tr("- Stipple -"), tr("- Width -")};
    const char* titleNames[3] = {"ColourTitle", "StippleTitle", "WidthTitle"};
    QWidget* styleControls[3] = {controls.colour, controls.stipple, controls.width};
    for (int i = 0; i < 3; ++i) {
        style->addWidget(Title(titles[i], name + titleNames[i], box), 0, i);
        style->addWidget(styleControls[i], 1, i);
        style->setColumnStretch(i, i == 0 ? 0 : 1);
    }
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(radioRow);
    layout->addWidget(controls.text);
    layout->addLayout(style);

    const Fields* fields = &f;  // a row of the static table: outlives the dialog
    connect(controls.radios, &QButtonGroup::idClicked, this, [this, g, fields](int type) {
        change([&](AttribPoint& p) { p.axis[fields->axis].*fields->type = type; });
        groups_[g].text->setEnabled(type == AttribPoint::LABEL_TEXT);
    });
    connect(controls.text, &QLineEdit::textEdited, this, [this, fields](const QString& text) {
        change([&](AttribPoint& p) { (p.*fields->setText)(text.toStdString()); });
    });
    connect(controls.colour, &ColourButton::colourChosen, this, [this, fields](const QColor& c) {
        change([&](AttribPoint& p) { p.axis[fields->axis].*fields->colour = ColourButton::toColorF(c); });
    });
    connect(controls.stipple, &QComboBox::activated, this, [this, fields](int entry) {
        change([&](AttribPoint& p) { p.axis[fields->axis].*fields->lineType = entry; });
    });
    connect(controls.width, &QComboBox::activated, this, [this, fields](int entry) {
        change([&](AttribPoint& p) { p.axis[fields->axis].*fields->lineWidth = entry + 1; });
    });
    return box;
}

void AttribDialog::fill()
{
    const AttribPoint* p = point();
    if (!p) {
        for (QWidget* w : findChildren<QWidget*>())
            if (w->objectName() != "cancelButton" && !qobject_cast<QDialogButtonBox*>(w)) w->setEnabled(false);
        return;
    }
    xEdit_->setText(TextOf(p->axis[AttribPoint::X].valueExpr));
    yEdit_->setText(TextOf(p->axis[AttribPoint::Y].valueExpr));
    pointTypeList_->setCurrentIndex(std::clamp(p->pointType, 0, 6));
    for (int g = 0; g < 4; ++g) {
        const Fields& f = GroupFields()[g];
        Group& c = groups_[g];
        const int type = p->axis[f.axis].*f.type;
        if (QAbstractButton* b = c.radios->button(type)) b->setChecked(true);
        c.text->setText(TextOf(p->axis[f.axis].*f.text));
        c.text->setEnabled(type == AttribPoint::LABEL_TEXT);
        c.colour->setColour(ColourButton::toQColor(p->axis[f.axis].*f.colour));
        c.stipple->setCurrentIndex(std::clamp(p->axis[f.axis].*f.lineType, 0, 2));
        c.width->setCurrentIndex(std::clamp(p->axis[f.axis].*f.lineWidth - 1, 0, kWidthEntries - 1));
    }
}

template <typename F>
void AttribDialog::change(F&& edit)
{
    EquationObject* e = graph_.equation(equationIndex_);
    if (!e || !point()) return;
    AttribPoint p = *point();
    edit(p);
    e->setAttribPoint(attribIndex_, std::move(p));
    changed_ = true;
    graph_.equationChanged(e);
}

void AttribDialog::restoreOpening()
{
    EquationObject* e = graph_.equation(equationIndex_);
    if (!e || !point() || !changed_) return;
    e->setAttribPoint(attribIndex_, opening_);
    changed_ = false;
    graph_.equationChanged(e);
}

void AttribDialog::done(int result)
{
    if (!closed_) {
        closed_ = true;
        if (result == QDialog::Accepted && changed_)
            history_.markEdited();
        else
            restoreOpening();
        history_.end(windowTitle());
    }
    QDialog::done(result);
}
