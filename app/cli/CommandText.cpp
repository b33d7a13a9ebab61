// SPDX-License-Identifier: MIT
#include "app/cli/CommandText.h"

#include <memory>

#include <QtCore/QLocale>
#include <QtCore/QString>
#include <QtCore/QTranslator>

namespace {

std::unique_ptr<QTranslator> Load(const QLocale& locale)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("kvr"), QStringLiteral("_"), QStringLiteral(":/i18n"))) return nullptr;
    return translator;
}

std::unique_ptr<QTranslator>& Translator()
{
    static std::unique_ptr<QTranslator> translator = Load(QLocale::system());
    return translator;
}

std::string Translated(const char* context, const std::string& english)
{
    const QTranslator* translator = Translator().get();
    const QString said = translator ? translator->translate(context, english.c_str()) : QString();
    return said.isEmpty() ? english : said.toStdString();
}

}  // namespace

std::string CommandText::tr(const char* english, const std::vector<std::string>& args)
{
    const Sentence sentence{english, args};
    return sentence.in(Translated("CommandLine", sentence.text));
}

std::string CommandText::reason(const Sentence& why) { return why.in(Translated("Reason", why.text)); }

bool CommandText::useLocale(const QLocale& locale)
{
    Translator() = Load(locale);
    return Translator() != nullptr;
}
