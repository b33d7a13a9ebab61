// SPDX-License-Identifier: MIT
// The library's signature read: the fast path for files as KVR writes them
// gives what the document reader gives, on every sample lesson and on files
// that stray from the written layout in every way that matters.
#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <fstream>
#include <sstream>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/CXMLArchive.h"
#include "io/FeatureArchive.h"
#include "io/LibraryReaders.h"

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The whole file parsed by the archive, "feature" read as a document's serialise routine would.
CFeature FullArchiveRead(const std::string& path)
{
    CFeature feature;
    CXMLArchive archive(path, CXMLArchive::kLoad);
    if (archive.OpenElement("KVR")) {
        SerializeFeature(archive, feature);
        archive.CloseElement();
    }
    return feature;
}

void ExpectSameSignature(const CFeature& a, const CFeature& b, const std::string& what)
{
    ASSERT_EQ(a.elements.size(), b.elements.size()) << what;
    for (std::size_t i = 0; i < a.elements.size(); ++i) EXPECT_EQ(a.elements[i], b.elements[i]) << what << " #" << i;
}

#ifdef KVR_SAMPLE_LIBRARY
// Every lesson that ships: the fast path reads it, and its signature is the
// full archive's, the document reader's and the opened graph's.
TEST(LibraryReaders, SampleLessonsReadAlikeEveryWay)
{
    const QStringList lessons = QDir(KVR_SAMPLE_LIBRARY).entryList({"*.kvr"}, QDir::Files);
    ASSERT_GE(lessons.size(), 15);
    for (const QString& name : lessons) {
        const std::string path = QDir(KVR_SAMPLE_LIBRARY).filePath(name).toStdString();
        CFeature fast, streamed, opened;
        ASSERT_TRUE(ReadWrittenFeature(Slurp(path), fast)) << path;
        ASSERT_TRUE(ReadLibraryFeature(path, fast)) << path;
        ASSERT_TRUE(ReadDocumentFeature(path, streamed)) << path;
        ExpectSameSignature(fast, streamed, path);
        ExpectSameSignature(fast, FullArchiveRead(path), path);
        GraphManager graph;
        CKVRDoc doc(graph);
        ASSERT_TRUE(doc.open(path).ok) << path;
        graph.computeFeature(opened);
        ExpectSameSignature(fast, opened, path);
        EXPECT_FALSE(fast.elements.empty()) << path;
        EXPECT_FALSE(DocumentThumbnailReader()(path).isNull()) << path;
    }
}
#endif

// A document as KVR writes it, of two equations, with `picture` as its thumbnail bytes.
std::string Written(const QByteArray& picture = QByteArray("not a picture"))
{
    GraphManager graph;
    graph.addEquationFromText("y = x^2 - 1");
    graph.addEquationFromText("x^2/9 + y^2/4 - 1 = 0");
    CKVRDoc doc(graph);
    return doc.toBytes(picture).toStdString();
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Files that stray from the written layout: the library's read must give
// exactly what the document reader gives (a signature, or a refusal).
TEST(LibraryReaders, StrayFilesReadAsTheDocumentReaderReadsThem)
{
    const std::string w = Written();
    const struct {
        const char* what;
        std::string content;
        bool fast;  // the fast path takes it
    } rows[] = {
        {"as written", w, true},
        {"byte order mark", "\xEF\xBB\xBF" + w, true},
        {"white space between elements", Replace(w, "<element>", "\n  <element>\n"), false},
        {"comment before the signature", Replace(w, "<feature>", "<!-- <feature><size>9</size></feature> --><feature>"), false},
        {"entity in a value", Replace(w, "<type>2</type>", "<type>&#x35;</type>"), false},
        {"CDATA value", Replace(w, "<type>2</type>", "<type><![CDATA[7]]></type>"), false},
        {"count above the elements", Replace(w, "<size>2</size>", "<size>5</size>"), true},
        {"count below the elements", Replace(w, "<size>2</size>", "<size>1</size>"), true},
        {"negative count", Replace(w, "<size>2</size>", "<size>-3</size>"), true},
        {"huge count", Replace(w, "<size>2</size>", "<size>99999999999999999999</size>"), true},
        {"missing value", Replace(w, "<extremePts>1</extremePts>", ""), false},
        {"values out of order", Replace(w, "<type>2</type><order>2</order>", "<order>2</order><type>2</type>"), false},
        {"extra element inside", Replace(w, "</element>", "<note>1</note></element>"), false},
        {"element nested in element", Replace(w, "</extremePts></element>", "</extremePts><element><type>9</type></element></element>"), false},
        {"not-a-number coefficient", Replace(w, "<highestCoeff>1.00</highestCoeff>", "<highestCoeff>nan</highestCoeff>"), false},
        {"coefficient beyond a double", Replace(w, "<highestCoeff>1.00</highestCoeff>", "<highestCoeff>1e999</highestCoeff>"), true},
        {"junk after a number", Replace(w, "<type>2</type>", "<type>2x</type>"), false},
        {"image before the signature", Replace(w, "<feature>", "<image>abc</image><feature>"), false},
        {"no signature", Replace(Replace(w, "<feature>", "<featureX>"), "</feature>", "</featureX>"), false},
        {"cut inside the signature", w.substr(0, w.find("</feature>") - 20), false},
        {"document type declaration", Replace(w, "<KVR>", "<!DOCTYPE KVR [<!ENTITY a \"5\">]><KVR>"), false},
        {"other encoding", Replace(w, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\""), false},
        {"another root", Replace(Replace(w, "<KVR>", "<Lesson>"), "</KVR>", "</Lesson>"), false},
        {"empty file", "", false},
        {"not XML", std::string("\x89PNG\r\n\x1a\n\0\0junk", 14), false},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        if (std::string(row.what) != "as written") {
            EXPECT_NE(row.content, w) << row.what << ": the change did not apply";
        }
        const std::string path = dir.filePath("doc.kvr").toStdString();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << row.content;
        CFeature mine, theirs, fast;
        mine.elements.resize(3);  // a read that fails must not leave anything behind
        const bool myOk = ReadLibraryFeature(path, mine);
        const bool theirOk = ReadDocumentFeature(path, theirs);
        EXPECT_EQ(myOk, theirOk) << row.what;
        if (myOk && theirOk) ExpectSameSignature(mine, theirs, row.what);
        if (!myOk) {
            EXPECT_TRUE(mine.elements.empty()) << row.what;
        }
        EXPECT_EQ(ReadWrittenFeature(row.content, fast), row.fast) << row.what;
    }
}

// A signature holds one element per equation, and no document more than a
// thousand: a file with more is no lesson, however it is read.
TEST(LibraryReaders, ASignatureIsBoundedByTheEquationsADocumentMayHave)
{
    QTemporaryDir dir;
    auto signature = [](int elements, const std::string& element) {
        std::string s = "<?xml version=\"1.0\"?>\n<KVR><version>1.00</version><feature><size>" + std::to_string(elements) + "</size>";
        for (int i = 0; i < elements; ++i) s += element;
        return s + "</feature><numeqns>0</numeqns></KVR>";
    };
    const std::string full = "<element><type>1</type><order>1</order><highestCoeff>2</highestCoeff><xintercepts>1</xintercepts>"
                             "<yintercepts>1</yintercepts><extremePts>0</extremePts></element>";
    const struct {
        const char* name;
        std::string content;
        bool read;
    } rows[] = {{"thousand.kvr", signature(1000, full), true},
                {"thousand-and-one.kvr", signature(1001, full), false},
                {"million-empty.kvr", signature(1000000, "<element/>"), false}};
    for (const auto& r : rows) {
        const std::string path = dir.filePath(r.name).toStdString();
        std::ofstream(path, std::ios::binary) << r.content;
        CFeature feature;
        EXPECT_EQ(ReadLibraryFeature(path, feature), r.read) << r.name;
        if (r.read) {
            EXPECT_EQ(feature.elements.size(), 1000u);
        }
        CFeature slow;
        EXPECT_LE(ReadDocumentFeature(path, slow) ? slow.elements.size() : 0u, 1000u) << r.name;
    }
}

// A folder of real documents and hostile files: the scan keeps the documents
// and skips the rest, a document with no picture is still ranked (and shown
// without one), and nothing is made up for a file with no signature.
TEST(LibraryReaders, ScanOfAFolderWithHostileFiles)
{
    QTemporaryDir dir;
    auto put = [&](const char* name, const std::string& content) {
        std::ofstream(dir.filePath(name).toStdString(), std::ios::binary) << content;
    };
    const std::string w = Written();
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    put("good.kvr", Written(png));
    ASSERT_NE(w.find("<image>bm90IGEgcGljdHVyZQ==</image>"), std::string::npos);
    put("no-picture.kvr", Replace(w, "<image>bm90IGEgcGljdHVyZQ==</image>", ""));
    put("bad-picture.kvr", Replace(w, "<image>bm90IGEgcGljdHVyZQ==</image>", "<image>@@@@</image>"));
    put("empty.kvr", "");
    put("junk.kvr", std::string(5000, '\x01'));
    put("no-signature.kvr", "<?xml version=\"1.0\"?><KVR><version>1.00</version><numeqns>0</numeqns></KVR>");
    put("cut.kvr", w.substr(0, w.find("<size>") + 3));
    put("entity-bomb.kvr", "<?xml version=\"1.0\"?><!DOCTYPE KVR [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
                           "<KVR><feature><size>&b;</size></feature></KVR>");
    put("deep.kvr", std::string(100000, '<') + "feature>");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.kvr"));
    Library library;
    ASSERT_TRUE(library.loadLibrary(dir.path().toStdString(), DocumentFeatureReader()));
    std::vector<std::string> names;
    for (const auto& [name, entry] : library.entries()) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"bad-picture.kvr", "good.kvr", "no-picture.kvr"}));
    EXPECT_EQ(library.skipped().size(), 6u);
    CFeature graph;
    graph.elements = library.entries().at("good.kvr").feature.elements;
    library.updateCandidates(graph, DocumentThumbnailReader());
    ASSERT_EQ(library.candidates().size(), 3u);
    for (const Candidate& c : library.candidates()) {
        EXPECT_EQ(c.score, library.candidates()[0].score) << c.name;  // the same signature
        EXPECT_EQ(c.thumbnail.isNull(), c.name != "good.kvr") << c.name;
    }
    EXPECT_EQ(library.candidates()[1].thumbnail.pixelColor(128, 128), QColor(Qt::green));
}

}  // namespace
