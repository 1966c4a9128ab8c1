#pragma once
// Pictures of windows and pages for a look by eye: written into the folder
// QB_SHOTS names, and not at all without it. A fixed name under the
// temporary folder would be written by two runs side by side at once.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>

namespace qb::test {

inline void SaveShot(const QImage& picture, const QString& name) {
  const QByteArray folder = qgetenv("QB_SHOTS");
  if (folder.isEmpty()) return;
  EXPECT_TRUE(picture.save(QDir(QString::fromLocal8Bit(folder)).filePath(name + ".png"))) << name.toStdString();
}

}  // namespace qb::test
