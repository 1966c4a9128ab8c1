#include "core/prompts.h"

namespace qb {

MsgAnswer DefaultAnswer(MsgButtons buttons, int defaultButton) {
  auto pick = [&](std::initializer_list<MsgAnswer> order) {
    int i = 1;
    for (MsgAnswer a : order) {
      if (i++ == defaultButton) return a;
    }
    return *order.begin();
  };
  switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::OKCancel: return pick({MsgAnswer::OK, MsgAnswer::Cancel});
    case MsgButtons::AbortRetryIgnore:
      return pick({MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore});
    case MsgButtons::YesNoCancel: return pick({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel});
    case MsgButtons::YesNo: return pick({MsgAnswer::Yes, MsgAnswer::No});
    case MsgButtons::RetryCancel: return pick({MsgAnswer::Retry, MsgAnswer::Cancel});
  }
  return MsgAnswer::OK;
}

MsgAnswer ScriptedPrompts::AskBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                  int defaultButton, const std::string& title) {
  asked.push_back({text, buttons, icon, defaultButton, title});
  if (answers_.empty()) {
    ++unanswered;
    return DefaultAnswer(buttons, defaultButton);
  }
  MsgAnswer a = answers_.front();
  answers_.pop_front();
  return a;
}

bool ScriptedPrompts::AnyTextContains(const std::string& part) const {
  for (const auto& a : asked) {
    if (a.text.find(part) != std::string::npos) return true;
  }
  return false;
}

const std::string& ScriptedPrompts::LastText() const {
  static const std::string empty;
  return asked.empty() ? empty : asked.back().text;
}

}  // namespace qb
