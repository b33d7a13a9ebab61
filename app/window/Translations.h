// SPDX-License-Identifier: MIT
#pragma once
// The window in the user's language: KVR's own translation and Qt's (the
// standard dialogs' buttons), chosen by the system's locale, and the model's
// English reasons looked up in the context "Reason".
#include <string>

#include <QtCore/QList>
#include <QtCore/QString>

#include "core/Translatable.h"

struct DocumentResult;
class QCoreApplication;
class QLocale;
class QTranslator;

// Installs the translations for `locale` into `app` (English needs none) and
// returns those installed, KVR's own first when there is one for the language;
// they belong to `app`.
QList<QTranslator*> InstallTranslations(QCoreApplication& app, const QLocale& locale);

// A reason of the model ("no real points"; "unknown character %1" with its
// arguments) in the user's language, or as it stands when no translation has it.
QString TranslatedReason(const std::string& english);
QString TranslatedReason(const Sentence& reason);

// The detail of a document that did not open or save: "file.kvr: why", the why
// in the user's language.
QString TranslatedDetail(const DocumentResult& result);
