#pragma once
// Message boxes and the beep, as the core and every window ask them.
// The Qt implementation lives in platform/; ScriptedPrompts serves tests.
#include <deque>
#include <string>
#include <vector>

namespace qb {

inline constexpr const char* kAppTitle = "Quorvel Brakkon";

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgAnswer { OK, Cancel, Abort, Retry, Ignore, Yes, No };

class Prompts {
 public:
  virtual ~Prompts() = default;
  // defaultButton counts from 1, left to right, as on the box.
  MsgAnswer Ask(const std::string& text, MsgButtons buttons, MsgIcon icon,
                int defaultButton = 1, const std::string& title = kAppTitle) {
    return AskBox(text, buttons, icon, defaultButton, title);
  }
  virtual void Beep() = 0;

  void Show(const std::string& text, MsgIcon icon = MsgIcon::None,
            const std::string& title = kAppTitle) {
    AskBox(text, MsgButtons::OK, icon, 1, title);
  }

 protected:
  virtual MsgAnswer AskBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                           int defaultButton, const std::string& title) = 0;
};

// The answer a box gives when nobody chooses: its default button.
MsgAnswer DefaultAnswer(MsgButtons buttons, int defaultButton);

// Test double: answers are queued; every box asked is recorded.
class ScriptedPrompts : public Prompts {
 public:
  struct Asked {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    int defaultButton;
    std::string title;
  };

  void Queue(MsgAnswer a) { answers_.push_back(a); }
  void Beep() override { ++beeps; }

  std::vector<Asked> asked;
  int beeps = 0;
  // Boxes asked with no queued answer; they got their default button.
  int unanswered = 0;
  bool AnyTextContains(const std::string& part) const;
  const std::string& LastText() const;

 protected:
  MsgAnswer AskBox(const std::string& text, MsgButtons buttons, MsgIcon icon, int defaultButton,
                   const std::string& title) override;

 private:
  std::deque<MsgAnswer> answers_;
};

}  // namespace qb
