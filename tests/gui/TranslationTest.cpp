// SPDX-License-Identifier: MIT
// The German translation is whole and the window speaks it: every text has a
// finished translation with the same %1, %2 and one keyboard mnemonic where
// the English has one; with a German locale the menus and the model's reasons
// come out in German.
#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <QtCore/QTranslator>
#include <QtCore/QXmlStreamReader>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenuBar>

#include "app/window/CMainFrame.h"
#include "app/window/Translations.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"

namespace {

struct Message {
    QString context, source, translation, type;
};

std::vector<Message> ReadTs(const QString& path)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            m = Message{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText();
            messages.push_back(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

QStringList Placeholders(const QString& text)
{
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (auto it = placeholder.globalMatch(text); it.hasNext();) found << it.next().captured();
    found.sort();
    return found;
}

int Mnemonics(const QString& text)
{
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    return int(text.count(mnemonic));
}

TEST(Translation, EveryTextHasAFinishedGermanTranslation)
{
    const std::vector<Message> messages = ReadTs(QStringLiteral(KVR_TRANSLATIONS));
    ASSERT_GT(messages.size(), 200u);
    for (const Message& m : messages) {
        SCOPED_TRACE((m.context + QStringLiteral(": ") + m.source).toStdString());
        EXPECT_TRUE(m.type.isEmpty()) << "marked " << m.type.toStdString();
        EXPECT_FALSE(m.translation.trimmed().isEmpty());
        EXPECT_EQ(Placeholders(m.translation), Placeholders(m.source)) << m.translation.toStdString();
        EXPECT_EQ(Mnemonics(m.translation), Mnemonics(m.source)) << m.translation.toStdString();
    }
}

TEST(Translation, AGermanLocaleGivesAGermanWindow)
{
    const QList<QTranslator*> installed = InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany));
    ASSERT_FALSE(installed.isEmpty()) << "no German translation built in";
    {
        CMainFrame frame;
        QStringList menus;
        for (QAction* menu : frame.menuBar()->actions()) menus << menu->text();
        EXPECT_EQ(menus.join(' '), QStringLiteral("&Datei &Bearbeiten &Ansicht &Optionen &Hilfe"));
        EXPECT_EQ(TranslatedReason(std::string("no real points")), QStringLiteral("keine reellen Punkte"));
        EXPECT_EQ(TranslatedReason(Sentence{"expected a number, a name or '(' after %1", {"'+'"}}),
                  QStringLiteral("nach '+' wird eine Zahl, ein Name oder '(' erwartet"));
        // A document that does not open: the headline and the detail under it.
        GraphManager graph;
        CKVRDoc doc(graph);
        QByteArray hostile = "<KVR";
        for (int i = 0; i < 70; ++i) hostile += " a" + QByteArray::number(i) + "=\"1\"";
        const DocumentResult opened = doc.openBytes(hostile + "/>", "lesson.kvr");
        ASSERT_FALSE(opened.ok);
        EXPECT_EQ(opened.reason, "lesson.kvr: an element has more than 64 attributes");
        EXPECT_EQ(TranslatedReason(opened.message), QStringLiteral("Das Dokument konnte nicht geöffnet werden."));
        EXPECT_EQ(TranslatedDetail(opened), QStringLiteral("lesson.kvr: ein Element hat mehr als 64 Attribute"));
    }
    for (QTranslator* t : installed) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    EXPECT_EQ(TranslatedReason(std::string("no real points")), QStringLiteral("no real points"));
}

}  // namespace
