#include "platform/qt_help.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/prompts.h"
#include "platform/twips.h"

namespace qb {

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmHelp");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  txtTopic_ = new QTextBrowser(this);
  txtTopic_->setObjectName("txtTopic");
  txtTopic_->setOpenExternalLinks(true);
  layout->addWidget(txtTopic_);
  resize(TwipsToPixels(QSize(8000, 7000)));
}

void frmHelp::ShowFile(const QString& path, const QString& windowName) {
  QFileInfo info(path);
  txtTopic_->setSearchPaths({info.absolutePath()});
  txtTopic_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
  QString title = QString(kAppTitle) + " Help";
  if (!windowName.isEmpty()) title += " - " + windowName;
  setWindowTitle(title);
}

QtHelp::~QtHelp() {
  if (window_) delete window_.data();
}

std::string QtHelp::TopicPath(const std::string& helpFile, int helpContext) const {
  const std::string folder = helpFile.empty() ? std::string(kHelpFile) : helpFile;
  const std::string base = QFileInfo(QString::fromStdString(folder)).isAbsolute()
                               ? folder
                               : folder_ + "/" + folder;
  return base + "/" + (helpContext > 0 ? std::to_string(helpContext) : std::string("index")) +
         ".html";
}

bool QtHelp::ShowTopic(const std::string& helpFile, int helpContext,
                       const std::string& windowName) {
  const QString path = QString::fromStdString(TopicPath(helpFile, helpContext));
  if (!QFileInfo(path).isFile()) return false;
  if (!window_) window_ = new frmHelp();
  window_->ShowFile(path, QString::fromStdString(windowName));
  window_->show();
  window_->raise();
  window_->activateWindow();
  return true;
}

}  // namespace qb
