// SPDX-License-Identifier: MIT
#include "sketch/PenInput.h"

void PenInput::enter() {
    state_ = State::Ready;
    gesture_.strokes.clear();
}

void PenInput::press(const PointF& point) {
    current_.clear();
    if (state_ != State::Ready) return;
    state_ = State::Drawing;
    current_.push_back(point);
}

void PenInput::move(const PointF& point, const ColorF& paletteColor) {
    if (state_ != State::Drawing) return;
    current_.color = paletteColor;
    current_.push_back(point);
}

void PenInput::release() {
    if (state_ != State::Drawing) return;
    state_ = State::Ready;
    if (current_.size() > 1) gesture_.addStroke(current_);
}

Gesture PenInput::finish() {
    Gesture finished = gesture_;
    state_ = State::Off;
    gesture_.strokes.clear();
    current_.clear();
    return finished;
}
