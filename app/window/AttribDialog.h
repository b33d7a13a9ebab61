// SPDX-License-Identifier: MIT
#pragma once
// "Attribute Point Options": edits one attribute point of an equation. Every
// control acts at once on the live point and repaints the graph, so the user
// sees each change; OK keeps the changes (one step of the undo history),
// Cancel or closing the dialog puts the point back as it was at opening, and
// "Apply" has nothing left to do.
#include <QtWidgets/QDialog>

#include "graph/AttribPoint.h"

class ColourButton;
class EditHistory;
class EquationObject;
class GraphManager;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class SampleComboBox;

class AttribDialog : public QDialog {
    Q_OBJECT
public:
    // The point is `equation`'s attribute point `attribIndex` in `graph`.
    AttribDialog(GraphManager& graph, EditHistory& history, EquationObject* equation, int attribIndex,
                 QWidget* parent = nullptr);
    ~AttribDialog() override;

    // The live point; nullptr when the equation or the point is gone.
    const AttribPoint* point() const;

    void done(int result) override;

    // Where each group's controls are kept in the point (a table, one row per group).
    struct Fields;

private:
    // The controls of one of the four groups (x Value, y Value, x Length, y Length).
    struct Group {
        QButtonGroup* radios = nullptr;
        QLineEdit* text = nullptr;
        ColourButton* colour = nullptr;
        SampleComboBox* stipple = nullptr;
        SampleComboBox* width = nullptr;
    };
    QGroupBox* buildGroup(int g);
    void fill();
    // Applies `change` to a copy of the live point, puts it back and repaints.
    template <typename F>
    void change(F&& change);
    void restoreOpening();

    GraphManager& graph_;
    EditHistory& history_;
    int equationIndex_;
    int attribIndex_;
    AttribPoint opening_;  // the point as it was when the dialog opened
    bool changed_ = false;
    bool closed_ = false;

    QLineEdit* xEdit_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    SampleComboBox* pointTypeList_ = nullptr;
    Group groups_[4];
};
