#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/app_context.h"
#include "platform/print_surface.h"
#include "support/pdf_tools.h"

namespace qb {
namespace {

using test::PdfPages;
using test::PdfPageSize;
using test::PdfText;

class PrintSurfaceTest : public ::testing::Test {
 protected:
  std::string Pdf(const char* name) { return dir.filePath(name).toStdString(); }
  TestContext t;
  QTemporaryDir dir;
};

TEST_F(PrintSurfaceTest, WithoutAPrinterTheLinesGoToTheNamedPdfPageByPage) {
  const std::string pdf = Pdf("lines.pdf");
  t.files.Queue(pdf);
  PrintSurface s(t.ctx);
  ASSERT_TRUE(s.Begin("Lines", 1));
  s.SetTextFont(10);
  EXPECT_TRUE(QFontInfo(s.TextFont()).fixedPitch());
  const int fit = s.LinesThatFit();
  ASSERT_GT(fit, 20);
  // One line more than two pages hold: nothing is cut off at a page end.
  for (int i = 1; i <= 2 * fit + 1; ++i) s.PrintLine("Line " + std::to_string(i), i == 1);
  EXPECT_EQ(s.PageCount(), 3);
  ASSERT_TRUE(s.End());
  EXPECT_EQ(s.PdfFile(), pdf);
  EXPECT_EQ(t.files.titles, std::vector<std::string>{kPdfDialogTitle});
  EXPECT_EQ(PdfPages(pdf), 3);
  std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Line 1\n"), std::string::npos);
  EXPECT_NE(text.find("Line " + std::to_string(2 * fit + 1)), std::string::npos);
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(PrintSurfaceTest, OrientationIsSetBeforeTheLinesAreMeasured) {
  int fit[3] = {};
  for (int o : {1, 2}) {
    const std::string pdf = Pdf(o == 1 ? "portrait.pdf" : "landscape.pdf");
    t.files.Queue(pdf);
    PrintSurface s(t.ctx);
    ASSERT_TRUE(s.Begin("Orientation", o));
    s.SetTextFont(12);
    fit[o] = s.LinesThatFit();
    EXPECT_EQ(s.PageRect().width() > s.PageRect().height(), o == 2);
    s.PrintLine("x");
    ASSERT_TRUE(s.End());
  }
  EXPECT_GT(fit[1], fit[2]);
  auto [pw, ph] = PdfPageSize(Pdf("portrait.pdf"));
  auto [lw, lh] = PdfPageSize(Pdf("landscape.pdf"));
  EXPECT_LT(pw, ph);
  EXPECT_GT(lw, lh);
}

TEST_F(PrintSurfaceTest, CancellingTheFileNamePrintsNothing) {
  t.files.Queue(std::nullopt);
  PrintSurface s(t.ctx);
  EXPECT_FALSE(s.Begin("Nothing", 2));
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_FALSE(s.Active());
  EXPECT_TRUE(t.prompts.asked.empty());
}

TEST_F(PrintSurfaceTest, AnAbandonedJobLeavesTheOldFileAsItWas) {
  const std::string pdf = Pdf("kept.pdf");
  {
    QFile f(QString::fromStdString(pdf));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  t.files.Queue(pdf);
  {
    PrintSurface s(t.ctx);
    ASSERT_TRUE(s.Begin("Dropped", 2));
    s.PrintLine("never finished");
  }
  QFile f(QString::fromStdString(pdf));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("old"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A print killed half-way leaves its hidden file beside the PDF; the next
// print of that file removes it, but not one another running program writes.
TEST_F(PrintSurfaceTest, APrintOfAFileRemovesTheLeftoversOfKilledPrintsOfIt) {
  struct Writer {  // another program, begun before its file
    pid_t pid = fork();
    Writer() {
      if (pid == 0) {
        pause();
        _exit(0);
      }
    }
    ~Writer() {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  } writer;
  ASSERT_GT(writer.pid, 0);
  const QString dead = ".report.pdf.99999999-1a2b.tmp";
  const QString live = ".report.pdf." + QString::number(writer.pid) + "-1.tmp";
  const QString other = ".other.pdf.99999999-1a2b.tmp";
  for (const QString& name : {dead, live, other}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("half a report");
  }
  t.files.Queue(Pdf("report.pdf"));
  PrintSurface s(t.ctx);
  ASSERT_TRUE(s.Begin("Again", 1));
  s.PrintLine("x");
  ASSERT_TRUE(s.End());
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  EXPECT_EQ(left.join(' ').toStdString(),
            QStringList({other, live, "report.pdf"}).join(' ').toStdString());
}

TEST_F(PrintSurfaceTest, AFolderThatCannotBeWrittenIsToldAndLeavesNothing) {
  t.files.Queue(dir.filePath("missing/folder/x.pdf").toStdString());
  PrintSurface s(t.ctx);
  EXPECT_FALSE(s.Begin("Nowhere", 2));
  EXPECT_FALSE(t.pool.DialogCancelled);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_TRUE(t.prompts.AnyTextContains("cannot be written"));
}

}  // namespace
}  // namespace qb
