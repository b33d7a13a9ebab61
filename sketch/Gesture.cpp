// SPDX-License-Identifier: MIT
#include "sketch/Gesture.h"

#include "sketch/ShapeRecognizer.h"

void Gesture::resampleStrokes() {
    for (Stroke& stroke : strokes) stroke.resample();
}

RecognizedShape Gesture::recognize() {
    shape = ShapeRecognizer().recognize(strokes);
    return shape;
}
