#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <set>

#include "shell/logic/main_window_rules.h"
#include "shell/main_window_icons.h"

namespace qb {
namespace {

QImage Picture(const QIcon& icon) {
  return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ToolbarIcons, EveryButtonHasAPictogramOfItsOwn) {
  std::set<QByteArray> seen;
  for (const ToolbarButton& b : TopToolbarButtons()) {
    QIcon icon = DrawnToolbarIcon(b.key);
    ASSERT_FALSE(icon.isNull()) << b.key;
    QImage image = Picture(icon);
    EXPECT_TRUE(seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                       image.sizeInBytes()))
                    .second)
        << b.key << " looks like another button";
    // Drawn for the small sizes too, not scaled down from one picture.
    EXPECT_EQ(icon.availableSizes().size(), 4) << b.key;
  }
}

TEST(ToolbarIcons, TheDesktopThemesPictureWhereItHasOne) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("qbtest/24x24/actions");
  QFile index(dir.filePath("qbtest/index.theme"));
  ASSERT_TRUE(index.open(QIODevice::WriteOnly));
  index.write("[Icon Theme]\nName=qbtest\nDirectories=24x24/actions\n\n"
              "[24x24/actions]\nSize=24\nType=Fixed\n");
  index.close();
  QImage red(24, 24, QImage::Format_ARGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(dir.filePath("qbtest/24x24/actions/document-save.png")));
  const QStringList paths = QIcon::themeSearchPaths();
  const QString theme = QIcon::themeName();
  QIcon::setThemeSearchPaths({dir.path()});
  QIcon::setThemeName("qbtest");

  EXPECT_EQ(Picture(ToolbarIcon("Save")).pixel(12, 12), QColor(Qt::red).rgba());
  // No theme picture for a bracket: ours.
  EXPECT_EQ(Picture(ToolbarIcon("SetupBrackets")), Picture(DrawnToolbarIcon("SetupBrackets")));

  QIcon::setThemeName(theme);
  QIcon::setThemeSearchPaths(paths);
}

// A sheet of every drawn pictogram for a look by eye: QB_SHELL_SHOTS=dir writes it.
TEST(ToolbarIcons, Pictures) {
  const QByteArray dir = qgetenv("QB_SHELL_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_SHELL_SHOTS to a folder to write pictures";
  const auto buttons = TopToolbarButtons();
  QImage sheet(static_cast<int>(buttons.size()) * 52, 3 * 52, QImage::Format_ARGB32);
  sheet.fill(QColor(239, 239, 239));
  QPainter p(&sheet);
  int x = 2;
  for (const ToolbarButton& b : buttons) {
    QIcon icon = DrawnToolbarIcon(b.key);
    p.drawPixmap(x, 2, icon.pixmap(48, 48));
    p.drawPixmap(x + 12, 60, icon.pixmap(24, 24));
    p.drawPixmap(x + 12, 110, icon.pixmap(24, 24, QIcon::Disabled));
    x += 52;
  }
  p.end();
  EXPECT_TRUE(sheet.save(QString(dir) + "/toolbar_icons.png"));
}

}  // namespace
}  // namespace qb
