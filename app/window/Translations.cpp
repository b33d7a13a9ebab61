// SPDX-License-Identifier: MIT
#include "app/window/Translations.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>

#include "io/CKVRDoc.h"

QList<QTranslator*> InstallTranslations(QCoreApplication& app, const QLocale& locale)
{
    QList<QTranslator*> installed;
    // KVR's own, built in; then Qt's, for the buttons of the standard dialogs
    // (Debian's qt6-translations-l10n), where the system has them.
    const QString places[2][2] = {{QStringLiteral("kvr"), QStringLiteral(":/i18n")},
                                  {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}};
    for (const auto& [name, folder] : places) {
        // A translator lives as long as the application: parented to it.
        auto* translator = new QTranslator(&app);
        if (translator->load(locale, name, QStringLiteral("_"), folder) && QCoreApplication::installTranslator(translator))
            installed << translator;
        else
            delete translator;
    }
    return installed;
}

QString TranslatedReason(const std::string& english)
{
    return QCoreApplication::translate("Reason", english.c_str());
}

QString TranslatedReason(const Sentence& reason)
{
    return QString::fromStdString(reason.in(QCoreApplication::translate("Reason", reason.text.c_str()).toStdString()));
}

QString TranslatedDetail(const DocumentResult& result)
{
    return QString::fromStdString(result.name) + QStringLiteral(": ") + TranslatedReason(result.why);
}
