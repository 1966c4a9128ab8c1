#include "platform/print_surface.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/file_replace.h"
#include "platform/app_context.h"

namespace qb {
namespace {

// The PDF writer does not tell of a write cut short (a full disk, the file
// size limit): a whole PDF ends with its end-of-file marker, within its last
// kilobyte.
bool IsWholePdf(const std::string& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  const std::streamoff size = in.tellg();
  if (!in || size <= 0) return false;
  const std::streamoff tail = std::min<std::streamoff>(size, 1024);
  std::string end(static_cast<size_t>(tail), '\0');
  in.seekg(size - tail);
  in.read(end.data(), tail);
  return in && end.find("%%EOF") != std::string::npos;
}

}  // namespace

SharedPrinter::SharedPrinter() : printer_(QPrinter::HighResolution) {}

bool SharedPrinter::PrintsToPrinter() const {
  if (printer_.outputFormat() == QPrinter::PdfFormat) return false;
  return !QPrinterInfo::availablePrinters().isEmpty();
}

PrintSurface::PrintSurface(AppContext& ctx, QWidget* parent) : ctx_(ctx), parent_(parent) {
  SetTextFont(8);
}

PrintSurface::~PrintSurface() { Abandon(); }

bool PrintSurface::Begin(const std::string& documentName, int orientation) {
  Abandon();
  pdfTarget_.clear();
  ctx_.pool.DialogCancelled = false;
  const bool toPrinter = ctx_.printer && ctx_.printer->PrintsToPrinter();
  if (toPrinter) {
    printer_ = &ctx_.printer->printer();
  } else {
    std::string start = ctx_.printer ? ctx_.printer->lastPdfFile : std::string();
    if (start.empty() && ctx_.printer) {
      start = ctx_.printer->printer().outputFileName().toStdString();
    }
    auto name = ctx_.files.GetSaveFileName(kPdfDialogTitle, kPdfFilter, start);
    if (!name || name->empty()) {
      ctx_.pool.DialogCancelled = true;
      return false;
    }
    pdfTarget_ = *name;
    if (ctx_.printer) ctx_.printer->lastPdfFile = pdfTarget_;
    // The pages go to a file beside the target, which replaces it at the end,
    // so a failed print never leaves a half-written PDF in its place. It is
    // named as a pool's is, so the next print of the file clears what a
    // killed one left there.
    std::filesystem::path temp;
    if (WriteFileBeside(pdfTarget_, {}, temp)) {
      Fail("The file " + pdfTarget_ + " cannot be written.");
      return false;
    }
    pdfTemp_ = temp.string();
    pdfPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (ctx_.printer) pdfPrinter_->setPageLayout(ctx_.printer->printer().pageLayout());
    pdfPrinter_->setOutputFormat(QPrinter::PdfFormat);
    pdfPrinter_->setOutputFileName(QString::fromStdString(pdfTemp_));
    printer_ = pdfPrinter_.get();
  }
  printer_->setDocName(QString::fromStdString(documentName));
  // The orientation comes first: the page height it gives decides how many
  // lines fit on a page.
  printer_->setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  busy_ = true;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_)) {
    painter_.reset();
    Fail(toPrinter ? "The printer cannot be started." : "The file " + pdfTarget_ +
                                                            " cannot be written.");
    return false;
  }
  pages_ = 1;
  lineOnPage_ = 0;
  SetTextFont(font_.pointSize());
  return true;
}

QPainter& PrintSurface::Painter() {
  if (!painter_) throw std::logic_error("no print job has begun");
  return *painter_;
}

QPrinter& PrintSurface::Printer() {
  if (!printer_) throw std::logic_error("no print job has begun");
  lineMetrics_.reset();  // the caller may change the page
  return *printer_;
}

QRectF PrintSurface::PageRect() const {
  if (!printer_) return {};
  QRectF r = printer_->pageRect(QPrinter::DevicePixel);
  return QRectF(0, 0, r.width(), r.height());
}

bool PrintSurface::NewPage() {
  if (!painter_) return false;
  if (!printer_->newPage()) {
    Fail("The printer failed while starting a new page.");
    return false;
  }
  ++pages_;
  lineOnPage_ = 0;
  return true;
}

bool PrintSurface::End() {
  if (!painter_) return false;
  bool ok = painter_->end();
  painter_.reset();
  if (ok && printer_->printerState() == QPrinter::Error) ok = false;
  if (ok && !pdfTemp_.empty() && !IsWholePdf(pdfTemp_)) ok = false;
  if (!ok) {
    Fail(pdfTarget_.empty() ? "The printer failed; the report may be incomplete."
                            : "The file " + pdfTarget_ + " cannot be written.");
    return false;
  }
  if (!pdfTemp_.empty()) {
    if (auto ec = MoveOver(pdfTemp_, pdfTarget_)) {
      pdfTemp_.clear();
      Fail("The file " + pdfTarget_ + " cannot be written: " + ec.message());
      return false;
    }
    pdfTemp_.clear();
  }
  pdfPrinter_.reset();
  printer_ = nullptr;
  if (busy_) QApplication::restoreOverrideCursor();
  busy_ = false;
  return true;
}

void PrintSurface::SetTextFont(int pointSize) {
  QFont f("Courier");
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  if (!QFontInfo(f).fixedPitch()) f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPointSize(pointSize > 0 ? pointSize : 8);
  font_ = f;
  lineMetrics_.reset();
  if (painter_) painter_->setFont(font_);
}

double PrintSurface::LineHeight() const {
  if (!printer_) return QFontMetricsF(font_).lineSpacing();
  return QFontMetricsF(font_, printer_).lineSpacing();
}

int PrintSurface::LinesThatFit() const {
  double h = LineHeight();
  if (h <= 0) return 1;
  return static_cast<int>(std::floor(PageRect().height() / h));
}

int PrintSurface::CharsThatFit() const {
  QFont bold = font_;
  bold.setBold(true);
  auto advance = [this](const QFont& f) {
    return printer_ ? QFontMetricsF(f, printer_).horizontalAdvance('M')
                    : QFontMetricsF(f).horizontalAdvance('M');
  };
  double w = std::max(advance(font_), advance(bold));
  if (w <= 0) return 1;
  return static_cast<int>(std::floor(PageRect().width() / w));
}

void PrintSurface::PrintLine(const std::string& text, bool bold) {
  if (!painter_) return;
  // The measures are taken once per font: a report of many thousand lines
  // would otherwise spend its time asking the printer for them line by line.
  if (!lineMetrics_) {
    lineMetrics_.emplace();
    lineMetrics_->height = LineHeight();
    lineMetrics_->pageHeight = PageRect().height();
    for (int b = 0; b < 2; ++b) {
      lineMetrics_->fonts[b] = font_;
      lineMetrics_->fonts[b].setBold(b == 1);
      lineMetrics_->ascent[b] = QFontMetricsF(lineMetrics_->fonts[b], printer_).ascent();
    }
  }
  const LineMetrics& m = *lineMetrics_;
  if (lineOnPage_ > 0 && (lineOnPage_ + 1) * m.height > m.pageHeight) {
    if (!NewPage()) return;
  }
  const int b = bold ? 1 : 0;
  if (painter_->font() != m.fonts[b]) painter_->setFont(m.fonts[b]);
  painter_->drawText(QPointF(0, lineOnPage_ * m.height + m.ascent[b]), QString::fromStdString(text));
  ++lineOnPage_;
}

void PrintSurface::Fail(const std::string& what) {
  Abandon();
  ctx_.prompts.Beep();
  ctx_.prompts.Show(what, MsgIcon::Exclamation);
}

void PrintSurface::Abandon() {
  if (painter_) {
    if (printer_ && pdfTemp_.empty()) printer_->abort();
    painter_->end();
    painter_.reset();
  }
  if (!pdfTemp_.empty()) {
    std::error_code ec;
    std::filesystem::remove(pdfTemp_, ec);
    pdfTemp_.clear();
  }
  pdfPrinter_.reset();
  printer_ = nullptr;
  if (busy_) QApplication::restoreOverrideCursor();
  busy_ = false;
}

}  // namespace qb
