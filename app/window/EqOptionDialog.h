// SPDX-License-Identifier: MIT
#pragma once
// The side bar's "Equation Options" page. It always shows the equation
// selected on the graph and edits it directly: every control acts at once,
// repaints the graph and makes one step of the window's undo history. With
// nothing selected every control is disabled and the texts say "None".
//
// The page keeps no pointer to the equation between events: undo and redo
// rebuild the graph's equations, so each handler asks the graph for its
// current selection.
#include <QtCore/QString>
#include <QtWidgets/QWidget>

class ColourButton;
class EditHistory;
class EquationObject;
class GraphManager;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SampleComboBox;

class EqOptionDialog : public QWidget {
    Q_OBJECT
public:
    EqOptionDialog(GraphManager& graph, EditHistory& history, QWidget* parent = nullptr);

    // Shows the graph's selected equation (or "None"); called whenever the
    // selection changes, the graph edits the equation, or undo and redo run.
    void RefreshOptions();

signals:
    // A short note for the status bar (why a typed value was not taken).
    void statusMessage(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QWidget* buildEquationSection();
    QGroupBox* buildEquationTextGroup();
    QGroupBox* buildLineOptions();
    QWidget* buildDomainSection();
    QGroupBox* buildMensurationGroup();
    void connectHandlers();
    void connectDomainAndMensuration();

    void showNothing();
    void showEquation(const EquationObject& e);
    void updateEnabling(const EquationObject* e);

    // Runs `change` on the selected equation as one undo step named `step`,
    // then tells the graph (intersections follow, the view repaints).
    template <typename F>
    void edit(const QString& step, F&& change);

    // Handlers.
    void chooseColour(const QColor& colour);
    void chooseStipple(int entry);
    void chooseWidth(int entry);
    void modifyEquation();
    void toggleDisplayText(bool on);
    void chooseLabelKind(int kind);
    void confirmLabel();
    void toggleExtremePoints(bool on);
    void toggleDomain(bool on);
    void modifyDomain();
    void chooseStippleType(int type);
    void toggleMensuration(bool on);
    void applyMensuration();
    void chooseHeightType(int type);

    GraphManager& graph_;
    EditHistory& history_;

    QLabel* typeLabel_ = nullptr;
    QLabel* primitiveLabel_ = nullptr;
    QGroupBox* infoGroup_ = nullptr;
    QLabel* infoLabel_ = nullptr;
    QLabel* equationLabel_ = nullptr;
    QLineEdit* equationEdit_ = nullptr;
    QPushButton* modifyEquationButton_ = nullptr;
    QCheckBox* displayTextCheck_ = nullptr;
    QGroupBox* equationTextGroup_ = nullptr;
    QRadioButton* originalRadio_ = nullptr;
    QRadioButton* userDefineRadio_ = nullptr;
    QButtonGroup* labelKindGroup_ = nullptr;
    QLineEdit* userLabelEdit_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QGroupBox* lineGroup_ = nullptr;
    ColourButton* colourButton_ = nullptr;
    SampleComboBox* stippleList_ = nullptr;
    SampleComboBox* widthList_ = nullptr;
    QCheckBox* extremeCheck_ = nullptr;
    QCheckBox* domainCheck_ = nullptr;
    QLabel* domainFromLabel_ = nullptr;
    QLabel* domainToLabel_ = nullptr;
    QLineEdit* domainFromEdit_ = nullptr;
    QLineEdit* domainToEdit_ = nullptr;
    QPushButton* modifyDomainButton_ = nullptr;
    QLabel* stipplingLabel_ = nullptr;
    QButtonGroup* stippleTypeGroup_ = nullptr;
    QCheckBox* mensurationCheck_ = nullptr;
    QGroupBox* mensurationGroup_ = nullptr;
    QLineEdit* sectionsEdit_ = nullptr;
    QCheckBox* omitCheck_ = nullptr;
    QLineEdit* mensurationFromEdit_ = nullptr;
    QLineEdit* mensurationToEdit_ = nullptr;
    QButtonGroup* heightGroup_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};
