#pragma once
// Context help: one HTML topic per help context, in a help folder beside the
// program (<program folder>/<help file>/<context>.html, index.html for the
// overview), shown in one help window that each request brings forward.
#include <QPointer>
#include <QWidget>

#include "platform/services.h"

class QTextBrowser;

namespace qb {

// The help window: a browser over the topic files.
class frmHelp : public QWidget {
  Q_OBJECT
 public:
  explicit frmHelp(QWidget* parent = nullptr);
  void ShowFile(const QString& path, const QString& windowName);
  QTextBrowser* browser() const { return txtTopic_; }

 private:
  QTextBrowser* txtTopic_;
};

class QtHelp : public Help {
 public:
  explicit QtHelp(std::string programFolder) : folder_(std::move(programFolder)) {}
  ~QtHelp() override;
  bool ShowTopic(const std::string& helpFile, int helpContext,
                 const std::string& windowName) override;
  // The topic file of a context, whether it exists or not.
  std::string TopicPath(const std::string& helpFile, int helpContext) const;
  frmHelp* window() const { return window_; }

 private:
  std::string folder_;
  QPointer<frmHelp> window_;
};

}  // namespace qb
