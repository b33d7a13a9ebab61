// SPDX-License-Identifier: MIT
// The File menu's work: new, open, save, the recent files, the exports and printing; and Edit >
// Copy Graph, the export to the clipboard.
#include "app/window/CMainFrame.h"

#include <cmath>

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QSettings>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QUndoStack>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QStatusBar>

#include "app/window/CKVRView.h"
#include "app/window/EqOptionDialog.h"
#include "app/window/Translations.h"
#include "app/window/ZoomDialogBar.h"
#include "io/CKVRDoc.h"
#include "render/GraphExport.h"
#include "render/GraphPage.h"
#include "render/ImageExport.h"

namespace {

const char* const kDocumentFilter = QT_TRANSLATE_NOOP("CMainFrame", "KVR documents (*.kvr)");

// The file name a save dialog ends with: the extension added when the user typed none.
QString withExtension(const QString& path, const QString& extension)
{
    return QFileInfo(path).suffix().isEmpty() ? path + "." + extension : path;
}

}  // namespace

void CMainFrame::newDocument()
{
    if (!maybeSave()) return;
    doc_->OnNewDocument();
    documentPath_.clear();
    documentChanged();
}

// After a new or opened document: no history, the bars and the page show the
// graph as it now is, and it counts as unmodified.
void CMainFrame::documentChanged()
{
    view_->history().clear();
    optionsPage_->RefreshOptions();
    zoomBar_->showZoom(view_->graph().viewport().xZoom, view_->graph().viewport().yZoom);
    setModified(false);
    updateTitle();
    refreshCommands();
    candidatesPending_ = sideDock_->isVisible();
    view_->update();
}

void CMainFrame::showError(const QString& message, const QString& detail)
{
    if (messageHandler_) return messageHandler_(message, detail);
    QMessageBox box(QMessageBox::Warning, tr("KVR"), message, QMessageBox::Ok, this);
    box.setInformativeText(detail);
    box.exec();
}

void CMainFrame::openDocument()
{
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), QFileInfo(documentPath_).path(),
                                                      tr(kDocumentFilter) + ";;" + tr("All files (*)"));
    if (!path.isEmpty()) openFile(path);
}

bool CMainFrame::saveDocument()
{
    if (documentPath_.isEmpty()) return saveDocumentAs();
    return saveFile(documentPath_);
}

bool CMainFrame::saveDocumentAs()
{
    const QString start = suggestedName("kvr");
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), start, tr(kDocumentFilter));
    if (path.isEmpty()) return false;
    return saveFile(withExtension(path, "kvr"));
}

bool CMainFrame::openFile(const QString& path)
{
    const DocumentResult result = doc_->open(path.toStdString());
    if (!result.ok) {
        // The graph is as it was: the document on screen stays open.
        showError(TranslatedReason(result.message), TranslatedDetail(result));
        return false;
    }
    documentPath_ = QFileInfo(path).absoluteFilePath();
    addRecentFile(documentPath_);
    documentChanged();
    return true;
}

bool CMainFrame::saveFile(const QString& path)
{
    const DocumentResult result = doc_->save(path.toStdString());
    if (!result.ok) {
        showError(TranslatedReason(result.message), TranslatedDetail(result));
        return false;
    }
    documentPath_ = QFileInfo(path).absoluteFilePath();
    addRecentFile(documentPath_);
    view_->history().stack()->setClean();
    setModified(false);
    updateTitle();
    return true;
}

bool CMainFrame::maybeSave()
{
    view_->endGesture();  // a mensuration marked half-way counts
    if (!modified_) return true;
    const auto answer = QMessageBox::warning(
        this, tr("KVR"), tr("Save changes to %1?").arg(documentPath_.isEmpty() ? tr("Untitled") : QFileInfo(documentPath_).fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return saveDocument();
    return answer == QMessageBox::Discard;
}

void CMainFrame::addRecentFile(const QString& path)
{
    QSettings settings;
    QStringList files = settings.value("RecentFiles").toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) files.removeLast();
    settings.setValue("RecentFiles", files);
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles()
{
    const QStringList files = QSettings().value("RecentFiles").toStringList();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* action = recentActions_[i];
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            action->setData(files[i]);
            action->setStatusTip(files[i]);
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

QString CMainFrame::suggestedName(const QString& extension) const
{
    return QFile::decodeName(
        QByteArray::fromStdString(SuggestedFileName(QFile::encodeName(documentPath_).toStdString(), extension.toStdString())));
}

// The page's sheet is chosen with the file type: A4 or Letter (the locale's
// first), or one encapsulated picture for a worksheet, also taken from an
// ".eps" name whatever type is chosen.
void CMainFrame::exportPostScript()
{
    const QString a4 = tr("PostScript, A4 (*.ps)"), letter = tr("PostScript, Letter (*.ps)");
    const QString eps = tr("Encapsulated PostScript, for worksheets (*.eps)");
    const bool letterFirst = DefaultSheet().width == PageSheet::Letter().width;
    QString chosen = letterFirst ? letter : a4;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to PS"), suggestedName("ps"),
                                                      QStringList{letterFirst ? letter : a4, letterFirst ? a4 : letter, eps}.join(";;"),
                                                      &chosen);
    if (path.isEmpty()) return;
    PageSheet sheet = chosen == letter ? PageSheet::Letter() : PageSheet::A4();
    const QString file = withExtension(path, chosen == eps ? "eps" : "ps");
    sheet = SheetForName(QFile::encodeName(file).toStdString(), sheet);
    if (chosen == eps) sheet.encapsulated = true;
    if (!ExportPostScript(view_->graph(), QFile::encodeName(file).toStdString(), sheet))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save PostScript file"));
}

// The clean picture of the description, or with the labels for slides.
void CMainFrame::exportImage()
{
    const QString clean = tr("png (*.png)"), labelled = tr("PNG picture with labels (*.png)");
    QString chosen = clean;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to Image File"), suggestedName("png"),
                                                      clean + ";;" + labelled, &chosen);
    if (path.isEmpty()) return;
    const QImage image = view_->captureCleanImage(chosen == labelled);
    if (!SaveImagePng(image, withExtension(path, "png").toStdString()))
        QMessageBox::warning(this, tr("KVR"), TranslatedReason(kImageSaveFailed));
}

void CMainFrame::exportSvg()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to SVG"), suggestedName("svg"),
                                                      tr("SVG drawings (*.svg)"));
    if (path.isEmpty()) return;
    if (!ExportSvg(view_->graph(), withExtension(path, "svg")))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save SVG file"));
}

void CMainFrame::exportPdf()
{
    const QString a4 = tr("PDF document, A4 (*.pdf)"), letter = tr("PDF document, Letter (*.pdf)");
    const bool letterFirst = DefaultSheet().width == PageSheet::Letter().width;
    QString chosen = letterFirst ? letter : a4;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to PDF"), suggestedName("pdf"),
                                                      letterFirst ? letter + ";;" + a4 : a4 + ";;" + letter, &chosen);
    if (path.isEmpty()) return;
    if (!ExportPdf(view_->graph(), withExtension(path, "pdf"), chosen == letter ? PageSheet::Letter() : PageSheet::A4()))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save PDF file"));
}

QPrinter& CMainFrame::printer()
{
    if (!printer_) {
        printer_ = new QPrinter(QPrinter::HighResolution);
        const Viewport::Ortho o = view_->graph().viewport().setProjection();
        printer_->setPageOrientation(o.width > o.height ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    return *printer_;
}

void CMainFrame::print()
{
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    printOn(&printer());
}

// The painter of a printer starts at the printable area's corner.
void CMainFrame::printOn(QPrinter* target)
{
    QPainter painter(target);
    const QRect page = target->pageLayout().paintRectPixels(target->resolution());
    PaintGraphPage(view_->graph(), painter, QRectF(0, 0, page.width(), page.height()));
}

void CMainFrame::printPreview()
{
    QPrintPreviewDialog dialog(&printer(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CMainFrame::printOn);
    dialog.exec();
}

void CMainFrame::printSetup()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void CMainFrame::copyGraph()
{
    GraphManager& graph = view_->graph();
    const double ratio = 2 * view_->devicePixelRatioF();
    graph.saveFlagsForExport(true);
    QImage picture = view_->renderImage(ratio);
    if (!picture.isNull()) picture.setDevicePixelRatio(ratio);
    // Where the view cannot draw off screen, its own frame serves, at the screen's resolution.
    else picture = view_->captureImage();
    const QByteArray drawing = SvgDrawing(graph);
    graph.restoreFlagsAfterExport();
    view_->update();

    auto* data = new QMimeData;
    if (!picture.isNull()) {
        data->setImageData(picture);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (picture.save(&png, "PNG")) data->setData(QStringLiteral("image/png"), png.data());
    }
    if (!drawing.isEmpty()) data->setData(QStringLiteral("image/svg+xml"), drawing);
    QGuiApplication::clipboard()->setMimeData(data);
    statusBar()->showMessage(tr("The graph is on the Clipboard"), 4000);
}
