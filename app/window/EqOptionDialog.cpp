// SPDX-License-Identifier: MIT
#include "app/window/EqOptionDialog.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "app/window/ColourButton.h"
#include "app/window/EditHistory.h"
#include "app/window/PrimitiveInfo.h"
#include "app/window/SampleComboBox.h"
#include "graph/EquationObject.h"
#include "graph/GraphManager.h"
#include "graph/Mensuration.h"
#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Parser.h"

namespace {

// Line patterns of the stipple list, in entry order: solid, dashed.
constexpr int kStipplePatterns[2] = {0xFFFF, 0xCCCC};
constexpr int kWidthEntries = 3;  // entry i is width i + 1

// A typed number, read the way atof reads (a leading number, else 0).
double ReadReal(const QString& text) { return std::atof(text.toLocal8Bit().constData()); }

// A typed section count, read the way atoi reads, kept within 0 … kMaxRects
// (an enormous count would stall every repaint).
int ReadSections(const QString& text)
{
    const long n = std::strtol(text.toLocal8Bit().constData(), nullptr, 10);
    return int(std::clamp<long>(n, 0, kMaxRects));
}

QString Fixed(double v) { return QString::asprintf("%f", v); }


QRadioButton* AddRadio(QButtonGroup* group, int id, const QString& text, const char* name, QWidget* parent)
{
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(name);
    group->addButton(radio, id);
    return radio;
}

// A label for a form row, named after its field ("sectionsEdit" → "sectionsLabel").
QLabel* RowLabel(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text, field->parentWidget());
    label->setObjectName(field->objectName().replace("Edit", "Label"));
    label->setBuddy(field);
    return label;
}

QLineEdit* NumberEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-000.00")));
    return edit;
}

}  // namespace

EqOptionDialog::EqOptionDialog(GraphManager& graph, EditHistory& history, QWidget* parent)
    : QWidget(parent), graph_(graph), history_(history)
{
    setObjectName("equationOptionsPage");
    buildLayout();
    connectHandlers();
    connectDomainAndMensuration();
    RefreshOptions();
}

// ---- layout ----

void EqOptionDialog::buildLayout()
{
    auto* content = new QWidget;
    content->setObjectName("equationOptionsContent");
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(buildEquationSection());
    column->addWidget(buildEquationTextGroup());
    column->addWidget(buildLineOptions());
    extremeCheck_ = new QCheckBox(tr("Display Extreme Points"), content);
    extremeCheck_->setObjectName("extremePointsCheck");
    column->addWidget(extremeCheck_);
    column->addWidget(buildDomainSection());
    mensurationCheck_ = new QCheckBox(tr("Enable Mensuration"), content);
    mensurationCheck_->setObjectName("mensurationCheck");
    column->addWidget(mensurationCheck_);
    column->addWidget(buildMensurationGroup());
    column->addStretch(1);

    // A narrow dock scrolls the page vertically; it never cuts controls off.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("equationOptionsScroll");
    scroll->setAccessibleName(tr("Equation Options"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // The page is never narrower than its controls (with room for the vertical
    // scroll bar), so a narrow dock cuts nothing off.
    setMinimumWidth(content->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() +
                    2 * scroll->frameWidth());
}

QWidget* EqOptionDialog::buildEquationSection()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    typeLabel_ = new QLabel(box);
    typeLabel_->setObjectName("typeLabel");
    primitiveLabel_ = new QLabel(box);
    primitiveLabel_->setObjectName("primitiveTypeLabel");
    infoGroup_ = new QGroupBox(tr("Primitive Information"), box);
    infoGroup_->setObjectName("primitiveInfoGroup");
    infoLabel_ = new QLabel(infoGroup_);
    infoLabel_->setObjectName("primitiveInfoLabel");
    infoLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    infoLabel_->setWordWrap(true);
    (new QVBoxLayout(infoGroup_))->addWidget(infoLabel_);

    equationLabel_ = new QLabel(tr("Equation :"), box);
    equationLabel_->setObjectName("equationLabel");
    equationEdit_ = new QLineEdit(box);
    equationEdit_->setObjectName("equationEdit");
    equationLabel_->setBuddy(equationEdit_);
    modifyEquationButton_ = new QPushButton(tr("Modify"), box);
    modifyEquationButton_->setObjectName("modifyEquationButton");
    auto* row = new QHBoxLayout;
    row->addWidget(equationEdit_, 1);
    row->addWidget(modifyEquationButton_);

    displayTextCheck_ = new QCheckBox(tr("Display Equation Text"), box);
    displayTextCheck_->setObjectName("displayTextCheck");

    layout->addWidget(typeLabel_);
    layout->addWidget(primitiveLabel_);
    layout->addWidget(infoGroup_);
    layout->addWidget(equationLabel_);
    layout->addLayout(row);
    layout->addWidget(displayTextCheck_);
    return box;
}

QGroupBox* EqOptionDialog::buildEquationTextGroup()
{
    equationTextGroup_ = new QGroupBox(tr("Equation Text"));
    equationTextGroup_->setObjectName("equationTextGroup");
    labelKindGroup_ = new QButtonGroup(this);
    originalRadio_ = AddRadio(labelKindGroup_, EquationObject::LABEL_EQUATION, tr("Original Equation"),
                              "originalEquationRadio", equationTextGroup_);
    userDefineRadio_ = AddRadio(labelKindGroup_, EquationObject::LABEL_USER_TEXT, tr("User Define"), "userDefineRadio",
                                equationTextGroup_);
    userLabelEdit_ = new QLineEdit(equationTextGroup_);
    userLabelEdit_->setObjectName("userLabelEdit");
    confirmButton_ = new QPushButton(tr("Confirm"), equationTextGroup_);
    confirmButton_->setObjectName("confirmLabelButton");
    auto* layout = new QVBoxLayout(equationTextGroup_);
    layout->addWidget(originalRadio_);
    layout->addWidget(userDefineRadio_);
    auto* row = new QHBoxLayout;
    row->addWidget(userLabelEdit_, 1);
    row->addWidget(confirmButton_);
    layout->addLayout(row);
    return equationTextGroup_;
}

QGroupBox* EqOptionDialog::buildLineOptions()
{
    lineGroup_ = new QGroupBox(tr("Line Options"));
    lineGroup_->setObjectName("lineOptionsGroup");
    colourButton_ = new ColourButton(lineGroup_);
    colourButton_->setObjectName("colourButton");
    colourButton_->setAccessibleName(tr("Line colour"));
    stippleList_ = new SampleComboBox(SampleDelegate::CurveStipple, lineGroup_);
    stippleList_->setObjectName("stippleList");
    stippleList_->setSpokenName(tr("Line stipple"));
    stippleList_->addSample(tr("Solid"), kStipplePatterns[0]);
    stippleList_->addSample(tr("Dashed"), kStipplePatterns[1]);
    widthList_ = new SampleComboBox(SampleDelegate::CurveWidth, lineGroup_);
    widthList_->setObjectName("widthList");
    widthList_->setSpokenName(tr("Line width"));
    for (int i = 0; i < kWidthEntries; ++i) widthList_->addSample(QString::number(i + 1), i + 1);

    auto* grid = new QGridLayout(lineGroup_);
    const QString titles[3] = {tr("- Color -"), tr("- Stipple -"), tr("- Width -")};
    const char* names[3] = {"colourTitle", "stippleTitle", "widthTitle"};
    QWidget* controls[3] = {colourButton_, stippleList_, widthList_};
    for (int i = 0; i < 3; ++i) {
        auto* title = new QLabel(titles[i], lineGroup_);
        title->setObjectName(names[i]);
        title->setAlignment(Qt::AlignCenter);
        grid->addWidget(title, 0, i);
        grid->addWidget(controls[i], 1, i);
        grid->setColumnStretch(i, i == 0 ? 0 : 1);
    }
    return lineGroup_;
}

QWidget* EqOptionDialog::buildDomainSection()
{
    auto* box = new QWidget;
    domainCheck_ = new QCheckBox(tr("Set up Domain"), box);
    domainCheck_->setObjectName("domainCheck");
    domainFromLabel_ = new QLabel(tr("From"), box);
    domainFromLabel_->setObjectName("domainFromLabel");
    domainToLabel_ = new QLabel(tr("To"), box);
    domainToLabel_->setObjectName("domainToLabel");
    domainFromEdit_ = NumberEdit("domainFromEdit", box);
    domainToEdit_ = NumberEdit("domainToEdit", box);
    domainFromLabel_->setBuddy(domainFromEdit_);
    domainToLabel_->setBuddy(domainToEdit_);
    modifyDomainButton_ = new QPushButton(tr("Modify"), box);
    modifyDomainButton_->setObjectName("modifyDomainButton");
    stipplingLabel_ = new QLabel(tr("Stippling"), box);
    stipplingLabel_->setObjectName("stipplingLabel");
    stippleTypeGroup_ = new QButtonGroup(this);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(domainCheck_);
    auto* range = new QGridLayout;
    range->addWidget(domainFromLabel_, 0, 0);
    range->addWidget(domainFromEdit_, 0, 1);
    range->addWidget(domainToLabel_, 1, 0);
    range->addWidget(domainToEdit_, 1, 1);
    range->addWidget(modifyDomainButton_, 0, 2, 2, 1, Qt::AlignVCenter);
    range->setColumnStretch(1, 1);
    layout->addLayout(range);
    layout->addWidget(stipplingLabel_);
    // Two rows of two keep the page narrow.
    auto* radios = new QGridLayout;
    radios->addWidget(AddRadio(stippleTypeGroup_, EquationObject::STIPPLE_NONE, tr("None"), "stippleNoneRadio", box), 0, 0);
    radios->addWidget(AddRadio(stippleTypeGroup_, EquationObject::STIPPLE_LEFT, tr("Left"), "stippleLeftRadio", box), 0, 1);
    radios->addWidget(AddRadio(stippleTypeGroup_, EquationObject::STIPPLE_RIGHT, tr("Right"), "stippleRightRadio", box), 1, 0);
    radios->addWidget(AddRadio(stippleTypeGroup_, EquationObject::STIPPLE_BOTH, tr("Both"), "stippleBothRadio", box), 1, 1);
    layout->addLayout(radios);
    return box;
}

QGroupBox* EqOptionDialog::buildMensurationGroup()
{
    mensurationGroup_ = new QGroupBox(tr("Mensuration Options"));
    mensurationGroup_->setObjectName("mensurationGroup");
    sectionsEdit_ = NumberEdit("sectionsEdit", mensurationGroup_);
    omitCheck_ = new QCheckBox(tr("Omit Intermediate Sections"), mensurationGroup_);
    omitCheck_->setObjectName("omitSectionsCheck");
    mensurationFromEdit_ = NumberEdit("mensurationFromEdit", mensurationGroup_);
    mensurationToEdit_ = NumberEdit("mensurationToEdit", mensurationGroup_);
    heightGroup_ = new QButtonGroup(this);
    applyButton_ = new QPushButton(tr("Apply"), mensurationGroup_);
    applyButton_->setObjectName("applyMensurationButton");

    auto* layout = new QVBoxLayout(mensurationGroup_);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(RowLabel(tr("# of Sections"), sectionsEdit_), sectionsEdit_);
    layout->addLayout(form);
    layout->addWidget(omitCheck_);
    auto* range = new QFormLayout;
    range->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    range->addRow(RowLabel(tr("From"), mensurationFromEdit_), mensurationFromEdit_);
    range->addRow(RowLabel(tr("To"), mensurationToEdit_), mensurationToEdit_);
    layout->addLayout(range);
    layout->addWidget(AddRadio(heightGroup_, Mensuration::HEIGHT_LEFT, tr("Left Height"), "leftHeightRadio", mensurationGroup_));
    layout->addWidget(AddRadio(heightGroup_, Mensuration::HEIGHT_RIGHT, tr("Right Height"), "rightHeightRadio", mensurationGroup_));
    layout->addWidget(AddRadio(heightGroup_, Mensuration::HEIGHT_SHORT, tr("Short Height"), "shortHeightRadio", mensurationGroup_));
    layout->addWidget(applyButton_, 0, Qt::AlignRight);
    return mensurationGroup_;
}

// ---- wiring: only user actions (clicked, activated, returnPressed) edit ----

void EqOptionDialog::connectHandlers()
{
    connect(colourButton_, &ColourButton::colourChosen, this, &EqOptionDialog::chooseColour);
    connect(stippleList_, &QComboBox::activated, this, &EqOptionDialog::chooseStipple);
    connect(widthList_, &QComboBox::activated, this, &EqOptionDialog::chooseWidth);
    connect(modifyEquationButton_, &QPushButton::clicked, this, &EqOptionDialog::modifyEquation);
    connect(equationEdit_, &QLineEdit::returnPressed, this, &EqOptionDialog::modifyEquation);
    connect(displayTextCheck_, &QCheckBox::clicked, this, &EqOptionDialog::toggleDisplayText);
    connect(labelKindGroup_, &QButtonGroup::idClicked, this, &EqOptionDialog::chooseLabelKind);
    connect(confirmButton_, &QPushButton::clicked, this, &EqOptionDialog::confirmLabel);
    connect(userLabelEdit_, &QLineEdit::returnPressed, this, &EqOptionDialog::confirmLabel);
    connect(extremeCheck_, &QCheckBox::clicked, this, &EqOptionDialog::toggleExtremePoints);
}

void EqOptionDialog::connectDomainAndMensuration()
{
    connect(domainCheck_, &QCheckBox::clicked, this, &EqOptionDialog::toggleDomain);
    connect(modifyDomainButton_, &QPushButton::clicked, this, &EqOptionDialog::modifyDomain);
    connect(stippleTypeGroup_, &QButtonGroup::idClicked, this, &EqOptionDialog::chooseStippleType);
    connect(mensurationCheck_, &QCheckBox::clicked, this, &EqOptionDialog::toggleMensuration);
    connect(applyButton_, &QPushButton::clicked, this, &EqOptionDialog::applyMensuration);
    connect(heightGroup_, &QButtonGroup::idClicked, this, &EqOptionDialog::chooseHeightType);
    // The box only shows whether the middle section is left out; clicking it changes nothing.
    connect(omitCheck_, &QCheckBox::clicked, this, [this] {
        const EquationObject* e = graph_.selected();
        omitCheck_->setChecked(e && e->mensuration().tickType == Mensuration::kOmitMiddle);
    });
}

// ---- showing the selection ----

void EqOptionDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    RefreshOptions();
}

void EqOptionDialog::RefreshOptions()
{
    const EquationObject* e = graph_.selected();
    if (e && e->expression())
        showEquation(*e);
    else
        showNothing();
    updateEnabling(e && e->expression() ? e : nullptr);
}

void EqOptionDialog::showNothing()
{
    typeLabel_->setText(QCoreApplication::translate("PrimitiveInfo", kNoTypeText));
    primitiveLabel_->setText(QCoreApplication::translate("PrimitiveInfo", kNoPrimitiveText));
    infoLabel_->setText(QCoreApplication::translate("PrimitiveInfo", kNoInformationText));
    equationEdit_->clear();
}

void EqOptionDialog::showEquation(const EquationObject& e)
{
    const MathEx::MathExp& expression = *e.expression();
    typeLabel_->setText(EquationFormText(expression));
    const PrimitiveInfo info = DescribePrimitive(expression);
    primitiveLabel_->setText(info.typeText);
    if (info.hasInformation) infoLabel_->setText(info.information);  // otherwise the last text stays
    equationEdit_->setText(QString::fromStdString(e.text()));

    displayTextCheck_->setChecked(e.displayText());
    (e.labelKind() == EquationObject::LABEL_USER_TEXT ? userDefineRadio_ : originalRadio_)->setChecked(true);
    userLabelEdit_->setText(QString::fromStdString(e.userText()));

    colourButton_->setColour(ColourButton::toQColor(e.colour()));
    stippleList_->setCurrentIndex(e.lineStipple() == kStipplePatterns[1] ? 1 : 0);
    const float width = std::isfinite(e.lineWidth()) ? std::clamp(e.lineWidth(), 1.0f, float(kWidthEntries)) : 1.0f;
    widthList_->setCurrentIndex(int(std::lround(width)) - 1);

    extremeCheck_->setChecked(e.extremePointsShown());
    domainCheck_->setChecked(e.domainSetupEnabled());
    domainFromEdit_->setText(Fixed(e.domainFrom()));
    domainToEdit_->setText(Fixed(e.domainTo()));
    if (QAbstractButton* b = stippleTypeGroup_->button(e.stippleType())) b->setChecked(true);

    const Mensuration& m = e.mensuration();
    mensurationCheck_->setChecked(e.mensurationEnabled());
    sectionsEdit_->setText(QString::asprintf("%d", m.nRects));
    omitCheck_->setChecked(m.tickType == Mensuration::kOmitMiddle);
    mensurationFromEdit_->setText(Fixed(m.xmin));
    mensurationToEdit_->setText(Fixed(m.xmax));
    if (QAbstractButton* b = heightGroup_->button(m.heightType)) b->setChecked(true);
}

void EqOptionDialog::updateEnabling(const EquationObject* e)
{
    const bool any = e != nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{typeLabel_, primitiveLabel_, infoGroup_, equationLabel_, equationEdit_,
                                                      modifyEquationButton_, displayTextCheck_, lineGroup_, domainCheck_,
                                                      mensurationCheck_})
        w->setEnabled(any);

    const bool text = any && displayTextCheck_->isChecked();
    equationTextGroup_->setEnabled(text);
    const bool userText = text && userDefineRadio_->isChecked();
    userLabelEdit_->setEnabled(userText);
    confirmButton_->setEnabled(userText);

    const int degree = any ? e->expression()->kind().degree() : 0;
    extremeCheck_->setEnabled(degree >= 2 && degree <= 4);

    const bool domain = any && domainCheck_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(domainFromLabel_), static_cast<QWidget*>(domainToLabel_),
                       static_cast<QWidget*>(domainFromEdit_), static_cast<QWidget*>(domainToEdit_),
                       static_cast<QWidget*>(modifyDomainButton_)})
        w->setEnabled(domain);
    // Conics are drawn whole: there is nothing outside their domain to stipple.
    const bool stippling = domain && !e->expression()->kind().isConic();
    stipplingLabel_->setEnabled(stippling);
    for (QAbstractButton* b : stippleTypeGroup_->buttons()) b->setEnabled(stippling);

    mensurationGroup_->setEnabled(any && mensurationCheck_->isChecked());
}

// ---- handlers ----

template <typename F>
void EqOptionDialog::edit(const QString& step, F&& change)
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    history_.record(step, [&] {
        change(*e);
        graph_.keepLabelNear(*e);  // a domain or a shown label may leave it away from its curve
    });
    graph_.equationChanged(e);
}

void EqOptionDialog::chooseColour(const QColor& c)
{
    edit(tr("Line Colour"), [&](EquationObject& e) {
        e.setColour(ColourButton::toColorF(c));
    });
}

void EqOptionDialog::chooseStipple(int entry)
{
    if (entry < 0 || entry > 1) return;
    edit(tr("Line Stipple"), [&](EquationObject& e) { e.setLineStipple(kStipplePatterns[entry]); });
}

void EqOptionDialog::chooseWidth(int entry)
{
    if (entry < 0 || entry >= kWidthEntries) return;
    edit(tr("Line Width"), [&](EquationObject& e) { e.setLineWidth(float(entry + 1)); });
}

void EqOptionDialog::modifyEquation()
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    history_.begin();
    const bool parsed = e->setEquation(equationEdit_->text().toStdString());
    if (parsed) {
        graph_.keepLabelNear(*e);
        history_.markEdited();
    }
    history_.end(tr("Modify Equation"));
    if (!parsed) {
        // Say why and where, then show the equation as it still is.
        MathEx::MathExp probe;
        probe.Parse(equationEdit_->text().toStdString());
        const MathEx::ParseError& why = probe.LastError();
        emit statusMessage(tr("The equation could not be read: %1 (column %2); the equation is unchanged.")
                               .arg(QString::fromStdString(why.message))
                               .arg(why.position));
        equationEdit_->setText(QString::fromStdString(e->text()));
        return;
    }
    graph_.equationChanged(e);
    RefreshOptions();  // type, coefficients and enabling follow the new equation
}

void EqOptionDialog::toggleDisplayText(bool on)
{
    edit(tr("Display Equation Text"), [&](EquationObject& e) {
        e.setDisplayText(on);
        if (on) e.pushAction(ACTION_DISPLAY_TEXT_SHOWN);
    });
    updateEnabling(graph_.selected());
}

// "User Define" before the teacher has typed a text only opens the edit: the
// label keeps what it shows until "Confirm" gives it one.
void EqOptionDialog::chooseLabelKind(int kind)
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    history_.begin();
    const bool untyped = kind == EquationObject::LABEL_USER_TEXT && e->userText().empty();
    const bool changed = e->labelKind() != kind && !untyped && e->setLabel(kind, e->userText());
    if (changed) history_.markEdited();
    history_.end(tr("Equation Text"));
    if (changed) graph_.equationChanged(e);
    updateEnabling(e);
}

void EqOptionDialog::confirmLabel()
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    // Any text is a label: words stay words, maths is typeset, the rest is shown as typed.
    history_.begin();
    const bool set = e->setLabel(EquationObject::LABEL_USER_TEXT, userLabelEdit_->text().toStdString());
    if (set) history_.markEdited();
    history_.end(tr("User Label"));
    if (set) graph_.equationChanged(e);
}

void EqOptionDialog::toggleExtremePoints(bool on)
{
    edit(tr("Display Extreme Points"), [&](EquationObject& e) {
        e.setExtremePointsShown(on);
        if (on) e.pushAction(ACTION_EXTREME_POINTS_SHOWN);
    });
}

void EqOptionDialog::toggleDomain(bool on)
{
    edit(tr("Set up Domain"), [&](EquationObject& e) {
        e.setDomainSetupEnabled(on);
        if (!on) e.setDomain(0, 0);  // the whole curve again
    });
    RefreshOptions();
}

void EqOptionDialog::modifyDomain()
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    const double from = ReadReal(domainFromEdit_->text()), to = ReadReal(domainToEdit_->text());
    if (!std::isfinite(from) || !std::isfinite(to)) {
        domainFromEdit_->setText(Fixed(e->domainFrom()));
        domainToEdit_->setText(Fixed(e->domainTo()));
        emit statusMessage(tr("The domain must have finite ends; the domain is unchanged."));
        return;
    }
    edit(tr("Domain"), [&](EquationObject& eq) { eq.setDomain(from, to); });
    RefreshOptions();
}

void EqOptionDialog::chooseStippleType(int type)
{
    edit(tr("Stippling"), [&](EquationObject& e) { e.setStippleType(type); });
}

void EqOptionDialog::toggleMensuration(bool on)
{
    // Switched on without an interval (0 … 0 draws one stray line), it takes the
    // middle half of what the view shows.
    const Viewport& v = graph_.viewport();
    const double left = v.screenToGraph(0, 0).x, right = v.screenToGraph(v.width, v.height).x;
    edit(tr("Enable Mensuration"), [&](EquationObject& e) {
        e.setMensurationEnabled(on);
        if (on && e.mensuration().xmin == e.mensuration().xmax && left < right) {
            double xmin = 0, xmax = 0;
            Mensuration::middleHalf(left, right, xmin, xmax);
            e.setMensurationRange(xmin, xmax);
        }
    });
    if (const EquationObject* e = graph_.selected()) {
        mensurationFromEdit_->setText(Fixed(e->mensuration().xmin));
        mensurationToEdit_->setText(Fixed(e->mensuration().xmax));
    }
    updateEnabling(graph_.selected());
}

void EqOptionDialog::applyMensuration()
{
    EquationObject* e = graph_.selected();
    if (!e || !e->expression()) return;
    const double xmin = ReadReal(mensurationFromEdit_->text()), xmax = ReadReal(mensurationToEdit_->text());
    if (!std::isfinite(xmin) || !std::isfinite(xmax)) {
        mensurationFromEdit_->setText(Fixed(e->mensuration().xmin));
        mensurationToEdit_->setText(Fixed(e->mensuration().xmax));
        emit statusMessage(tr("The mensuration range must have finite ends; it is unchanged."));
        return;
    }
    const int sections = ReadSections(sectionsEdit_->text());
    edit(tr("Mensuration Options"), [&](EquationObject& eq) {
        Mensuration m = eq.mensuration();
        m.xmin = xmin;
        m.xmax = xmax;
        m.nRects = sections;
        eq.setMensuration(m);
    });
    RefreshOptions();  // the fields show what was taken (the count as bounded)
}

void EqOptionDialog::chooseHeightType(int type)
{
    edit(tr("Mensuration Height"), [&](EquationObject& e) {
        Mensuration m = e.mensuration();
        m.heightType = type;
        e.setMensuration(m);
    });
}
