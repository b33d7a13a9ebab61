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
    // %1 … %9 replaced in one pass, so that an argument holding "%2" stays as it is.
    const QString text = QCoreApplication::translate("Reason", reason.text.c_str());
    QString said;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = i + 1 < text.size() ? qsizetype(text[i + 1].unicode()) - qsizetype(u'1') : -1;
        if (text[i] == u'%' && n >= 0 && n < qsizetype(reason.args.size()) && n < 9) {
            said += QString::fromStdString(reason.args[size_t(n)]);
            ++i;
        } else {
            said += text[i];
        }
    }
    return said;
}

QString TranslatedDetail(const DocumentResult& result)
{
    return QString::fromStdString(result.name) + QStringLiteral(": ") + TranslatedReason(result.why);
}
