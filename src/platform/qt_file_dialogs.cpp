#include "platform/qt_file_dialogs.h"

#include "platform/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace qb {

std::string FirstFilterExtension(const std::string& filter) {
  static const QRegularExpression re(R"(\(\s*\*\.([A-Za-z0-9_]+)[\s;)])");
  auto m = re.match(QString::fromStdString(filter));
  return m.hasMatch() ? m.captured(1).toStdString() : std::string();
}

QWidget* QtFileDialogs::Parent() const {
  return ActiveDialogParent(fallbackParent_);
}

namespace {

// startPath may name a folder or a proposed file in a folder.
void Prepare(QFileDialog& dlg, const std::string& startPath) {
  if (startPath.empty()) return;
  QFileInfo info(QString::fromStdString(startPath));
  if (info.isDir()) {
    dlg.setDirectory(info.absoluteFilePath());
  } else {
    if (info.dir().exists()) dlg.setDirectory(info.absolutePath());
    dlg.selectFile(info.fileName());
  }
}

std::vector<std::string> OpenDialog(QWidget* parent, const std::string& title,
                                    const std::string& filter, const std::string& startPath,
                                    QFileDialog::FileMode mode) {
  QFileDialog dlg(parent, QString::fromStdString(title), QString(), QString::fromStdString(filter));
  dlg.setObjectName("QbOpenDialog");
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(mode);
  Prepare(dlg, startPath);
  std::vector<std::string> out;
  if (dlg.exec() != QDialog::Accepted) return out;
  for (const QString& f : dlg.selectedFiles()) out.push_back(f.toStdString());
  return out;
}

}  // namespace

// One file: a dialog that let several be chosen would open only the first.
std::optional<std::string> QtFileDialogs::GetOpenFileName(const std::string& title,
                                                          const std::string& filter,
                                                          const std::string& startPath) {
  auto names = OpenDialog(Parent(), title, filter, startPath, QFileDialog::ExistingFile);
  if (names.empty()) return std::nullopt;
  return names.front();
}

std::vector<std::string> QtFileDialogs::GetOpenFileNames(const std::string& title,
                                                         const std::string& filter,
                                                         const std::string& startPath) {
  return OpenDialog(Parent(), title, filter, startPath, QFileDialog::ExistingFiles);
}

std::optional<std::string> QtFileDialogs::GetSaveFileName(const std::string& title,
                                                          const std::string& filter,
                                                          const std::string& startPath) {
  QFileDialog dlg(Parent(), QString::fromStdString(title), QString(),
                  QString::fromStdString(filter));
  dlg.setObjectName("QbSaveDialog");
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  dlg.setDefaultSuffix(QString::fromStdString(FirstFilterExtension(filter)));
  Prepare(dlg, startPath);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().front().toStdString();
}

std::optional<std::string> QtFileDialogs::GetFolderName(const std::string& title,
                                                        const std::string& startPath) {
  QFileDialog dlg(Parent(), QString::fromStdString(title), QString::fromStdString(startPath));
  dlg.setObjectName("QbFolderDialog");
  dlg.setFileMode(QFileDialog::Directory);
  dlg.setOption(QFileDialog::ShowDirsOnly, true);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().front().toStdString();
}

}  // namespace qb
