#include "documents/open_refusal.h"

const char kOpenRefusalCaption[] = "Open file";

std::string OpenRefusalText(const std::string& path, const LoadOutcome& outcome,
                            const std::string& system_reason) {
  const std::string at_line = outcome.line > 0 ? " (line " + std::to_string(outcome.line) + ")" : "";
  std::string reason;
  switch (outcome.refusal) {
    case LoadRefusal::kNone:
      break;
    case LoadRefusal::kNotFound:
      reason = "The file does not exist.";
      break;
    case LoadRefusal::kAccessDenied:
      reason = "Access to the file is denied.";
      break;
    case LoadRefusal::kFolder:
      reason = "This is a folder, not a file.";
      break;
    case LoadRefusal::kInUse:
      reason = "Another program is using the file.";
      break;
    case LoadRefusal::kDevice:
      reason = "This is a device, not a file.";
      break;
    case LoadRefusal::kTooLarge:
      reason = "The file is 16 MB or larger; Orvinale opens files up to 16 MB.";
      break;
    case LoadRefusal::kNotUtf8:
      reason = "The file is not valid UTF-8 text" + at_line + ".";
      break;
    case LoadRefusal::kNulByte:
      reason = "The file holds a NUL byte" + at_line + ", so it is not text.";
      break;
    case LoadRefusal::kTextTooLarge:
      reason = "With its tabs expanded the text would be larger than 1 GB.";
      break;
    case LoadRefusal::kUnreadable:
      reason = system_reason.empty() ? "The file could not be read." : system_reason;
      break;
  }
  return "Orvinale cannot open the file:\n" + path + "\n\n" + reason;
}
