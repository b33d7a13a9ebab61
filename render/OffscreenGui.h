#pragma once
// Fonts, QPainter text and image codecs need a QGuiApplication. The command
// line has none and may run without any display, so the first drawing that
// needs one makes an application on the "offscreen" platform (no window is
// ever shown). Inside the window program it does nothing.
void EnsureGuiApplication();
