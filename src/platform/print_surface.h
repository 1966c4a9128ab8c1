#pragma once
// Printing: the printer the user set up, or a PDF file where there is no
// printer or the user asked for one. Reports print text lines in a
// fixed-pitch font; forms paint on the page themselves.
#include <QFont>
#include <QPrinter>
#include <memory>
#include <optional>
#include <string>

class QPainter;
class QWidget;

namespace qb {

struct AppContext;

// The printer of the run: the system's default printer until the user picks
// another (or a PDF file) in Printer Setup; the choice lasts until the
// program ends. main() owns one and hands it on in the AppContext.
class SharedPrinter {
 public:
  SharedPrinter();
  QPrinter& printer() { return printer_; }
  // True when prints go to a printer; false when they go to a PDF file
  // (there is no printer, or the user chose to print to a file).
  bool PrintsToPrinter() const;
  // The PDF file named last, offered again next time.
  std::string lastPdfFile;

 private:
  QPrinter printer_;
};

// Texts of the file dialog that names a PDF.
inline constexpr const char* kPdfDialogTitle = "Print to PDF File";
inline constexpr const char* kPdfFilter = "PDF Files (*.pdf);;All Files (*)";

// One print job. Begin() starts it, the caller draws (PrintLine for text
// reports, Painter() for forms), End() finishes it. A job that is dropped
// without End() is abandoned and leaves no PDF behind. The mouse pointer
// shows busy from Begin() to End().
class PrintSurface {
 public:
  explicit PrintSurface(AppContext& ctx, QWidget* parent = nullptr);
  ~PrintSurface();
  PrintSurface(const PrintSurface&) = delete;
  PrintSurface& operator=(const PrintSurface&) = delete;

  // Starts the job in the orientation given (1 portrait, 2 landscape),
  // before anything is measured. Without a printer (or with "print to file"
  // chosen, or no shared printer in the context) the user names a PDF file
  // first. False when the user cancels (DialogCancelled is set) or the job
  // cannot start (the user was told).
  bool Begin(const std::string& documentName, int orientation);
  bool Active() const { return painter_ != nullptr; }

  QPainter& Painter();
  QPrinter& Printer();
  // The printable area in painter coordinates (device pixels).
  QRectF PageRect() const;
  // Starts the next page. False when the printer failed.
  bool NewPage();
  // Finishes the job; a PDF is put in place of the file named only now.
  // False when the printer or the file failed (the user was told).
  bool End();
  // Pages begun so far, the current one included.
  int PageCount() const { return pages_; }
  // The PDF written, empty when printed to a printer.
  const std::string& PdfFile() const { return pdfTarget_; }

  // --- text lines
  // The fixed-pitch report font at this size; bold or not per line.
  void SetTextFont(int pointSize);
  const QFont& TextFont() const { return font_; }
  // Whole lines of the text font that fit in the page height, and
  // characters in the page width.
  int LinesThatFit() const;
  int CharsThatFit() const;
  // Prints one line below the last; starts a new page first when the line
  // would not fit, so no line is lost.
  void PrintLine(const std::string& text, bool bold = false);
  // Moves back to the top of the page just begun (after NewPage()).
  void TopOfPage() { lineOnPage_ = 0; }

 private:
  void Fail(const std::string& what);
  void Abandon();
  double LineHeight() const;

  AppContext& ctx_;
  QWidget* parent_;
  std::unique_ptr<QPrinter> pdfPrinter_;
  QPrinter* printer_ = nullptr;
  std::unique_ptr<QPainter> painter_;
  std::string pdfTarget_;
  std::string pdfTemp_;
  QFont font_;
  // The text font's measures on this job's printer, normal and bold.
  struct LineMetrics {
    double height = 0, pageHeight = 0;
    QFont fonts[2];
    double ascent[2] = {0, 0};
  };
  std::optional<LineMetrics> lineMetrics_;
  int lineOnPage_ = 0;
  int pages_ = 0;
  bool busy_ = false;
};

}  // namespace qb
