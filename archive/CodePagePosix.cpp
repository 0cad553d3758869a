// Linux tools keep names as UTF-8 bytes.
#include "CodePage.h"

const CodePage& ProgramCodePage() {
  static const CodePage page = CodePage::Utf8();
  return page;
}
