// SPDX-License-Identifier: MIT
#pragma once
// The model's messages (where an equation stops reading, why an equation or a
// sketch added nothing) are English sentences. KVR_TRANSLATE_NOOP marks each for
// the translators' tools, which read it as Qt's QT_TRANSLATE_NOOP; the window
// looks the sentence up in the given context and fills in its %1, %2 from the
// arguments kept beside it. The model itself stays free of Qt.
#include <string>
#include <vector>

#define KVR_TRANSLATE_NOOP(context, text) text

// Names, for the translators' tools, the context of a class's own tr() when the
// class is no QObject (they read it as Qt's Q_DECLARE_TR_FUNCTIONS).
#define KVR_TRANSLATION_CONTEXT(context)

// A sentence with %1, %2 … and the words that go there ("after %1", "'+'").
struct Sentence {
    std::string text;
    std::vector<std::string> args{};

    // The English: each %N replaced by its argument.
    std::string english() const { return in(text); }

    // `wording` (this sentence's text, or its translation) with each %1 … %9
    // replaced by its argument, in one pass, so that an argument holding "%2"
    // stays as it is.
    std::string in(const std::string& wording) const
    {
        std::string out;
        for (size_t i = 0; i < wording.size(); ++i) {
            const size_t n = i + 1 < wording.size() ? size_t(wording[i + 1] - '1') : args.size();
            if (wording[i] == '%' && n < args.size() && n < 9) {
                out += args[n];
                ++i;
            } else {
                out += wording[i];
            }
        }
        return out;
    }
};
