#pragma once
// Open and save dialogs on the desktop.
#include <QPointer>
#include <QWidget>

#include "platform/services.h"

namespace qb {

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* fallbackParent = nullptr) : fallbackParent_(fallbackParent) {}
  void SetFallbackParent(QWidget* w) { fallbackParent_ = w; }

  std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                             const std::string& startPath) override;
  std::vector<std::string> GetOpenFileNames(const std::string& title, const std::string& filter,
                                            const std::string& startPath) override;
  // Asks before replacing an existing file; adds the filter's extension to a
  // name typed without one.
  std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                             const std::string& startPath) override;
  std::optional<std::string> GetFolderName(const std::string& title,
                                           const std::string& startPath) override;

 private:
  QWidget* Parent() const;
  QPointer<QWidget> fallbackParent_;
};

// The extension of a filter's first pattern ("qbp" for "Pool Files (*.qbp);;All (*)"),
// empty when the first pattern is no plain extension.
std::string FirstFilterExtension(const std::string& filter);

}  // namespace qb
