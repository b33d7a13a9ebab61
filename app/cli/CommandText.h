// SPDX-License-Identifier: MIT
#pragma once
// The command line's own words (its help and what it says on standard error)
// in the language of the user's locale, from the translations built into kvr.
// What a command prints on standard output (JSON, dumps, pictures) is read by
// scripts and stays as it is.
//
// The command line runs without a QCoreApplication (a command may later make a
// headless QGuiApplication of its own), so it keeps its own translator instead
// of installing one.
#include <string>
#include <vector>

#include "core/Translatable.h"

class QLocale;

// The translators' tool reads no system header; without seeing the namespace it
// takes a function returning std::string for a member of an unknown class "std".
namespace std {}

class CommandText {
    KVR_TRANSLATION_CONTEXT(CommandLine)

public:
    // `english` in the user's language, each %1 … %9 replaced by its argument.
    static std::string tr(const char* english, const std::vector<std::string>& args = {});

    // A reason the model gives (why an equation or a document failed), as the window says it.
    static std::string reason(const Sentence& why);

    // Says the texts in `locale`'s language from now on; false (and English)
    // when kvr has no translation for it. The system's locale is taken otherwise.
    static bool useLocale(const QLocale& locale);
};
