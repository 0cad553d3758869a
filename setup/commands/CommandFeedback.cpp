#include "CommandFeedback.h"

#include "logic/ErrorText.h"
#include "system/ActionLog.h"

void CommandFeedback::ShowError(const std::exception& error) {
  const std::string text = ErrorBoxText(error.what());
  LogAction(std::string("Error box \"") + ApplicationTitle + "\": " + text);
  ErrorBox(text);
}

int CommandFeedback::Message(const std::string& text, const std::string& caption, UINT type) {
  LogAction("Message box \"" + caption + "\": " + text);
  return ShowMessageBox(text, caption, type);
}
