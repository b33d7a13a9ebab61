// SPDX-License-Identifier: MIT
#pragma once
// The zoom bar: two sliders from 1 to 100 (start 10) for the x and y zoom,
// each shown with one decimal; a position p gives the zoom p / 10, so the
// smallest is 0.1 and never 0.
#include <QtWidgets/QWidget>

class QLabel;
class QSlider;

class ZoomDialogBar : public QWidget {
    Q_OBJECT
public:
    explicit ZoomDialogBar(QWidget* parent = nullptr);

    QSlider* xSlider() const { return xSlider_; }
    QSlider* ySlider() const { return ySlider_; }
    double xZoom() const;
    double yZoom() const;
    // Shows zooms set elsewhere (an undo, a document) without reporting a change.
    void showZoom(double xZoom, double yZoom);
    // Both sliders back at 1.0 (a new document).
    void reset() { showZoom(1.0, 1.0); }

signals:
    void zoomChanged(double xZoom, double yZoom);

private:
    void sliderMoved();

    QSlider* xSlider_;
    QSlider* ySlider_;
    QLabel* xValue_;
    QLabel* yValue_;
};
