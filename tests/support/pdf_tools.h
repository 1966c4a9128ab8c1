#pragma once
// What poppler's tools say of a PDF: its page count, page size and text.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <utility>

namespace qb::test {

inline std::string RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000)) return {};
  return p.readAllStandardOutput().toStdString();
}

inline std::string PdfInfoField(const std::string& pdf, const std::string& field) {
  std::string info = RunTool("pdfinfo", {QString::fromStdString(pdf)});
  auto at = info.find(field + ":");
  if (at == std::string::npos) return {};
  auto begin = info.find_first_not_of(' ', at + field.size() + 1);
  return info.substr(begin, info.find('\n', begin) - begin);
}

// -1 when the file is no PDF.
inline int PdfPages(const std::string& pdf) {
  std::string pages = PdfInfoField(pdf, "Pages");
  return pages.empty() ? -1 : std::stoi(pages);
}

// Width and height in points.
inline std::pair<double, double> PdfPageSize(const std::string& pdf) {
  double w = 0, h = 0;
  std::sscanf(PdfInfoField(pdf, "Page size").c_str(), "%lf x %lf", &w, &h);
  return {w, h};
}

// The text in its layout; page ends are form feeds. page 0 means all pages.
inline std::string PdfText(const std::string& pdf, int page = 0) {
  QStringList args{"-layout"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  args << QString::fromStdString(pdf) << "-";
  return RunTool("pdftotext", args);
}

}  // namespace qb::test
